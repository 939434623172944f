#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// The rows and columns boxes accept what reads as a plain number: surrounding
// spaces, an optional sign, digits with at most one decimal point and at least
// one digit ("12", " -3.5 ", ".5", "7."). Empty text is not a number. The
// decimal point is always '.', whatever the desktop's locale.
std::optional<double> numericValue(std::string_view text);
inline bool isNumeric(std::string_view text) { return numericValue(text).has_value(); }

// A number as the boxes and labels show it: whole numbers without a point,
// others with up to 15 significant digits ("10", "12.5", "41943040000").
std::string numberText(double value);

}  // namespace quill
