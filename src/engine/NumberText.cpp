#include "engine/NumberText.h"

#include <array>
#include <cctype>
#include <charconv>
#include <limits>

namespace quill {

namespace {

std::string_view trimSpaces(std::string_view text, NumberForm form) {
  const auto space = [form](char c) {
    return c == ' ' || (form == NumberForm::WithExponent && (c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'));
  };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
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

// "e" or "E", an optional sign and at least one digit.
bool isExponent(std::string_view text) {
  if (text.size() < 2 || (text.front() != 'e' && text.front() != 'E')) return false;
  text.remove_prefix(1);
  if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace

std::optional<double> numericValue(std::string_view text, NumberForm form) {
  text = trimSpaces(text, form);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const size_t mark = form == NumberForm::WithExponent ? text.find_first_of("eE") : std::string_view::npos;
  const std::string_view mantissa = text.substr(0, mark);
  if (!isPlainDecimal(mantissa)) return std::nullopt;
  if (mark != std::string_view::npos && !isExponent(text.substr(mark))) return std::nullopt;
  // from_chars is locale-independent, unlike strtod after the toolkit has set
  // the desktop's locale.
  double value = 0;
  const auto format = mark == std::string_view::npos ? std::chars_format::fixed : std::chars_format::scientific;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, format);
  if (result.ec == std::errc::result_out_of_range) {
    // Hundreds of digits are still a number, just far out of any range; a
    // tiny one is as good as zero.
    const bool tiny = mark != std::string_view::npos && text[mark + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
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
