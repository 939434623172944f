#pragma once
#include <cstdint>

namespace quill {

// A colour is red + 256 * green + 65536 * blue.
using Color = int32_t;
constexpr Color kBlack = 0;
constexpr Color kWhite = 16777215;

constexpr Color rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr int redOf(Color c) { return c & 255; }
constexpr int greenOf(Color c) { return (c >> 8) & 255; }
constexpr int blueOf(Color c) { return (c >> 16) & 255; }

// Booleans that are stored (frames, the state file) are 16-bit: -1 true, 0 false.
using Bool16 = int16_t;
constexpr Bool16 kTrue16 = -1;
constexpr Bool16 kFalse16 = 0;
constexpr Bool16 toBool16(bool b) { return b ? kTrue16 : kFalse16; }

// A point on the pad: x from -312.5 (left) to 312.5, y from -250 (bottom) to 250.
struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// A point in device pixels.
struct IntPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

}  // namespace quill
