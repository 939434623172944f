#pragma once
#include <cmath>
#include <cstdint>

namespace quill {

// User-visible integers round half to even (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double v) { return std::nearbyint(v); }

// Round half to even into a 64-bit integer; callers range-check before narrowing.
inline int64_t roundHalfEvenToInt(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

// Coordinates become pixels by truncating towards minus infinity. Every leaf
// converts six of them, so the usual range skips the library call.
inline int32_t floorToPixel(double v) {
  if (v > -2147483647.0 && v < 2147483647.0) {
    const auto t = static_cast<int32_t>(v);  // towards zero
    return t - (static_cast<double>(t) > v ? 1 : 0);
  }
  return static_cast<int32_t>(std::floor(v));
}

}  // namespace quill
