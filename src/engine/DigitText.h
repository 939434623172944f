#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// Raw digit text: digit d is the character with code 48 + d (10..15 are ':'..'?').
// Display text: as raw, with 'A'..'F' for 10..15.

// Most significant digit first; 0 gives "0", a negative value gives "".
std::string toDigitText(int64_t value, int base);

// Reads raw digit text in base; "" gives 0. Characters are not checked (use
// checkDigits first). A value beyond the i32 range is refused with nullopt.
std::optional<int32_t> fromDigitText(std::string_view raw, int base);

std::string digitsToLetters(std::string_view raw);
std::string lettersToDigits(std::string_view display);

// True when every character is a digit of base (and none is a space).
bool checkDigits(std::string_view raw, int base);

// Display text of a value in base: digitsToLetters(toDigitText(value, base)).
std::string toDisplayText(int64_t value, int base);

}  // namespace quill
