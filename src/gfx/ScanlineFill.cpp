#include "gfx/ScanlineFill.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace quill {

namespace {

__extension__ typedef __int128 Wide;

// Below this size every product of the crossing formula fits 64 bits.
constexpr int64_t kSmallCoordinate = int64_t{1} << 24;

template <typename Int>
Int floorDiv(Int num, Int den) {  // den > 0
  const Int q = num / den;
  return (num % den != 0 && num < 0) ? q - 1 : q;
}

void setSpan(const PixelRows& rows, int y, int64_t from, int64_t to, uint32_t value) {
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, rows.width);
  if (from >= to) return;
  uint32_t* row = rows.bits + y * rows.stride;
  std::fill(row + from, row + to, value);
}

// The first pixel whose centre lies right of where the edge a-b (a above b)
// crosses the centre line of row y.
template <typename Int>
int64_t firstPixelRightOf(const IntPoint& a, const IntPoint& b, int y) {
  const Int dy = Int{b.y} - a.y, dx = Int{b.x} - a.x;
  const Int num = Int{2} * a.x * dy + (Int{2} * (Int{y} - a.y) + 1) * dx - dy;
  return static_cast<int64_t>(floorDiv<Int>(num, 2 * dy) + 1);
}

template <typename Int>
void fillRows(const PixelRows& rows, const IntPoint* p, int count, int yFrom, int yTo,
              uint32_t value) {
  for (int y = yFrom; y < yTo; ++y) {
    int64_t xs[4];
    int n = 0;
    for (int i = 0; i < count; ++i) {
      const IntPoint& a = p[i];
      const IntPoint& b = p[i + 1 == count ? 0 : i + 1];
      if (a.y == b.y) continue;
      const IntPoint& top = a.y < b.y ? a : b;
      const IntPoint& bottom = a.y < b.y ? b : a;
      if (y >= top.y && y < bottom.y) xs[n++] = firstPixelRightOf<Int>(top, bottom, y);
    }
    for (int i = 1; i < n; ++i)  // at most four crossings
      for (int j = i; j > 0 && xs[j - 1] > xs[j]; --j) std::swap(xs[j - 1], xs[j]);
    for (int i = 0; i + 1 < n; i += 2) setSpan(rows, y, xs[i], xs[i + 1], value);
  }
}

}  // namespace

void fillPolygon(const PixelRows& rows, const IntPoint* p, int count, uint32_t value) {
  if (p == nullptr || count < 3 || count > 4 || rows.bits == nullptr) return;
  int64_t top = INT64_MAX, bottom = INT64_MIN, reach = 0;
  for (int i = 0; i < count; ++i) {
    top = std::min<int64_t>(top, p[i].y);
    bottom = std::max<int64_t>(bottom, p[i].y);
    reach = std::max({reach, std::abs(int64_t{p[i].x}), std::abs(int64_t{p[i].y})});
  }
  const int yFrom = static_cast<int>(std::max<int64_t>(top, 0));
  const int yTo = static_cast<int>(std::min<int64_t>(bottom, rows.height));
  if (reach < kSmallCoordinate)
    fillRows<int64_t>(rows, p, count, yFrom, yTo, value);
  else
    fillRows<Wide>(rows, p, count, yFrom, yTo, value);
}

}  // namespace quill
