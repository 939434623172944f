#include "mainwindow/NumericText.h"

#include <array>
#include <cctype>
#include <charconv>
#include <limits>

namespace quill {

namespace {

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool isPlainDecimal(std::string_view body) {
  int digits = 0;
  int points = 0;
  for (char c : body) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

}  // namespace

std::optional<double> numericValue(std::string_view text) {
  text = trimSpaces(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (!isPlainDecimal(text)) return std::nullopt;
  // from_chars is locale-independent, unlike strtod after the toolkit has set
  // the desktop's locale.
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Hundreds of digits are still a number, just far out of any range.
    value = std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::string numberText(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace quill
