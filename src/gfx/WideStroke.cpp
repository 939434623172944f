#include <algorithm>
#include <cmath>

#include "gfx/ScanlineFill.h"

namespace quill {

namespace {

struct Vec {
  double x = 0, y = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
Vec unit(Vec a) {
  const double len = std::hypot(a.x, a.y);
  return len > 0 ? a * (1 / len) : Vec{};
}

// Pixels whose centre lies in a convex polygon; a centre on a side counts as
// lying just below and left of it, as in the integer fill.
void fillConvex(const PixelRows& rows, const Vec* p, int count, uint32_t value) {
  double top = p[0].y, bottom = p[0].y;
  for (int i = 1; i < count; ++i) {
    top = std::min(top, p[i].y);
    bottom = std::max(bottom, p[i].y);
  }
  const int yFrom = static_cast<int>(std::max(std::ceil(top - 0.5), 0.0));
  const int yTo = static_cast<int>(std::min(std::floor(bottom - 0.5) + 1, double(rows.height)));
  for (int y = yFrom; y < yTo; ++y) {
    const double yc = y + 0.5;
    double left = INFINITY, right = -INFINITY;
    for (int i = 0; i < count; ++i) {
      const Vec a = p[i], b = p[i + 1 == count ? 0 : i + 1];
      if ((a.y < yc) == (b.y < yc)) continue;
      const double x = a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
    if (!(left < right)) continue;
    const double from = std::max(std::floor(left - 0.5) + 1, 0.0);
    const double to = std::min(std::floor(right - 0.5) + 1, double(rows.width));
    if (from >= to) continue;
    uint32_t* row = rows.bits + y * rows.stride;
    std::fill(row + static_cast<int>(from), row + static_cast<int>(to), value);
  }
}

// The outer wedge at corner v between an edge arriving along t1 and one
// leaving along t2. A miter whose tip lies farther than `limit` from where the
// outer sides end is cut: both run on for `limit` and a straight line joins them.
void fillMiter(const PixelRows& rows, Vec v, Vec t1, Vec t2, double half, double limit,
               uint32_t value) {
  const double turn = cross(t1, t2);
  if (std::abs(turn) < 1e-12) {
    if (dot(t1, t2) > 0) return;  // straight on
    // Turning back: the miter never meets, so both sides run on and are cut.
    const Vec n = Vec{-t1.y, t1.x} * half;
    const Vec spike[4] = {v + n, v + n + t1 * limit, v - n + t1 * limit, v - n};
    fillConvex(rows, spike, 4, value);
    return;
  }
  const double side = turn > 0 ? -1 : 1;
  const Vec n1 = Vec{-t1.y, t1.x} * side, n2 = Vec{-t2.y, t2.x} * side;
  const Vec o1 = v + n1 * half, o2 = v + n2 * half;
  const Vec tip = v + (n1 + n2) * (half / (1 + dot(n1, n2)));
  if (std::hypot(tip.x - o1.x, tip.y - o1.y) <= limit) {
    const Vec wedge[4] = {v, o1, tip, o2};
    fillConvex(rows, wedge, 4, value);
    return;
  }
  const Vec cut[5] = {v, o1, o1 + t1 * limit, o2 - t2 * limit, o2};
  fillConvex(rows, cut, 5, value);
}

}  // namespace

void strokeWide(const PixelRows& rows, const IntPoint* p, int count, int width, uint32_t value) {
  if (p == nullptr || count < 2 || count > 4 || rows.bits == nullptr || width < 1) return;
  const double half = width / 2.0;
  // Repeated points add no edge and no corner.
  Vec pts[4], dirs[4];
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const Vec q{double(p[i].x), double(p[i].y)};
    if (kept == 0 || q.x != pts[kept - 1].x || q.y != pts[kept - 1].y) pts[kept++] = q;
  }
  while (kept > 1 && pts[kept - 1].x == pts[0].x && pts[kept - 1].y == pts[0].y) --kept;
  if (kept < 2) return;
  count = kept;
  for (int i = 0; i < count; ++i) dirs[i] = unit(pts[i + 1 == count ? 0 : i + 1] - pts[i]);
  for (int i = 0; i < count; ++i) {
    const Vec a = pts[i], b = pts[i + 1 == count ? 0 : i + 1];
    const Vec n = Vec{-dirs[i].y, dirs[i].x} * half;
    const Vec band[4] = {a + n, b + n, b - n, a - n};
    fillConvex(rows, band, 4, value);
  }
  for (int i = 0; i < count; ++i) {
    const int before = i == 0 ? count - 1 : i - 1;
    fillMiter(rows, pts[i], dirs[before], dirs[i], half, 2.0 * width, value);
  }
}

}  // namespace quill
