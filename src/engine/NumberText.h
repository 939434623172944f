#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// Which numbers a box takes. Every box takes a plain number: surrounding
// spaces, an optional sign, digits with at most one decimal point and at
// least one digit ("12", " -3.5 ", ".5", "7."). The animation window's boxes
// also take an exponent ("-3.5e2") and surrounding tabs.
enum class NumberForm { Plain, WithExponent };

// The one reader of numbers typed into boxes or written in descriptions.
// Empty text is not a number. The decimal point is always '.', whatever the
// desktop's locale; digits beyond any range read as infinity.
std::optional<double> numericValue(std::string_view text, NumberForm form = NumberForm::Plain);
inline bool isNumeric(std::string_view text) { return numericValue(text).has_value(); }

// A number as the boxes and labels show it: whole numbers without a point,
// others with up to 15 significant digits ("10", "12.5", "41943040000").
std::string numberText(double value);

}  // namespace quill
