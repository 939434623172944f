#include "engine/PrintableText.h"

#include <cstdint>

namespace quill {

namespace {

bool continuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence of a printable character at i
// (beyond ASCII), or 0.
size_t printableSequence(std::string_view s, size_t i) {
  const auto at = [&](size_t k) { return static_cast<uint8_t>(s[i + k]); };
  const uint8_t lead = at(0);
  size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
  if (length == 0 || i + length > s.size() || at(1) < low || at(1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (!continuation(at(k))) return 0;
  // U+0080..U+009F are the C1 controls.
  if (lead == 0xC2 && at(1) <= 0x9F) return 0;
  return length;
}

}  // namespace

std::string printableText(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    if (b >= 0x20 && b < 0x7F) {
      out += static_cast<char>(b);
      ++i;
    } else if (const size_t n = b >= 0x80 ? printableSequence(bytes, i) : 0; n > 0) {
      out.append(bytes.substr(i, n));
      i += n;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
      ++i;
    }
  }
  return out;
}

}  // namespace quill
