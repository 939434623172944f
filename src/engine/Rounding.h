#pragma once
#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// floorToPixel of both lanes, into the low two 32-bit lanes of `out`; false
// (out untouched) when either lies outside the usual range.
inline bool floorToPixelLanes(__m128d x, __m128i& out) {
  const __m128d low = _mm_set1_pd(-2147483647.0), high = _mm_set1_pd(2147483647.0);
  if (_mm_movemask_pd(_mm_and_pd(_mm_cmpgt_pd(x, low), _mm_cmplt_pd(x, high))) != 3) return false;
  const __m128i t = _mm_cvttpd_epi32(x);  // towards zero, in the low two lanes
  // All ones (-1) in each 64-bit lane whose truncation lies above the value.
  const __m128i above = _mm_castpd_si128(_mm_cmpgt_pd(_mm_cvtepi32_pd(t), x));
  out = _mm_add_epi32(t, _mm_shuffle_epi32(above, _MM_SHUFFLE(3, 3, 2, 0)));
  return true;
}
#endif

// floorToPixel of `count` coordinates, two at a time where the processor can.
inline void floorToPixels(const double* v, int32_t* out, int count) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 2 <= count; i += 2) {
    __m128i pair;
    if (floorToPixelLanes(_mm_loadu_pd(v + i), pair)) {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), pair);
    } else {
      out[i] = floorToPixel(v[i]);
      out[i + 1] = floorToPixel(v[i + 1]);
    }
  }
#endif
  for (; i < count; ++i) out[i] = floorToPixel(v[i]);
}

}  // namespace quill
