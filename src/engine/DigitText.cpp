#include "engine/DigitText.h"

#include <limits>

namespace quill {

namespace {
constexpr int kZeroCode = 48;   // '0'
constexpr int kNineCode = 57;   // '9'
constexpr int kLetterShift = 7;  // ':' (raw 10) + 7 = 'A'

int codeOf(char ch) { return static_cast<unsigned char>(ch); }
char charOf(int code) { return static_cast<char>(static_cast<unsigned char>(code)); }
}  // namespace

std::string toDigitText(int64_t value, int base) {
  if (value < 0) return "";
  if (value == 0) return "0";
  // No text form in a base that cannot count; callers never ask for one.
  if (base < 2) return "";
  std::string text;
  while (value > 0) {
    text.insert(text.begin(), charOf(kZeroCode + static_cast<int>(value % base)));
    value /= base;
  }
  return text;
}

std::optional<int32_t> fromDigitText(std::string_view raw, int base) {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  int64_t v = 0;
  for (char ch : raw) {
    v = v * base + (codeOf(ch) - kZeroCode);
    // Out of range once means out of range for good (any digit is far smaller
    // than the growth), so stopping here also keeps long text from overflowing.
    if (v < kMin || v > kMax) return std::nullopt;
  }
  return static_cast<int32_t>(v);
}

std::string digitsToLetters(std::string_view raw) {
  std::string out(raw);
  for (char& ch : out) {
    if (codeOf(ch) > kNineCode) ch = charOf(codeOf(ch) + kLetterShift);
  }
  return out;
}

std::string lettersToDigits(std::string_view display) {
  std::string out(display);
  for (char& ch : out) {
    if (codeOf(ch) < kZeroCode || codeOf(ch) > kNineCode) ch = charOf(codeOf(ch) - kLetterShift);
  }
  return out;
}

bool checkDigits(std::string_view raw, int base) {
  for (char ch : raw) {
    const int digit = codeOf(ch) - kZeroCode;
    if (ch == ' ' || digit < 0 || digit > base - 1) return false;
  }
  return true;
}

std::string toDisplayText(int64_t value, int base) {
  return digitsToLetters(toDigitText(value, base));
}

}  // namespace quill
