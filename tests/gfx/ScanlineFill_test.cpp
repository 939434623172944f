#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "gfx/QtColor.h"
#include "gfx/RasterSurface.h"

namespace quill {
namespace {

constexpr int kSide = 64;

double distanceToSegment(double px, double py, const IntPoint& a, const IntPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

bool nearAnEdge(int x, int y, const std::vector<IntPoint>& p, double reach) {
  for (size_t i = 0; i < p.size(); ++i)
    if (distanceToSegment(x + 0.5, y + 0.5, p[i], p[(i + 1) % p.size()]) <= reach) return true;
  return false;
}

struct Comparison {
  int64_t differing = 0;
  int64_t farDiffering = 0;  // beyond the reach of every edge's outline
  int64_t pixels = 0;
};

// Draws each polygon alone on both surfaces and compares every pixel.
Comparison compareRandomPolygons(int corners, int lineWidth, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> coordinate(-8, kSide + 8);
  Comparison out;
  for (int n = 0; n < count; ++n) {
    std::vector<IntPoint> p(static_cast<size_t>(corners));
    for (IntPoint& q : p) q = {coordinate(random), coordinate(random)};
    if (n % 4 == 0)  // small ones, as deep divisions draw them
      for (IntPoint& q : p) q = {p[0].x + (q.x & 7) - 3, p[0].y + (q.y & 7) - 3};
    RasterSurface fast(kSide, kSide), reference(kSide, kSide, PolygonFill::Painter);
    for (RasterSurface* s : {&fast, &reference}) {
      s->clear(rgb(10, 20, 30));
      s->setLineWidth(lineWidth);
      s->polygon(p.data(), corners, rgb(0, 200, 0), rgb(200, 0, 0));
    }
    const QImage& a = fast.image();
    const QImage& b = reference.image();
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        ++out.pixels;
        if (a.pixel(x, y) == b.pixel(x, y)) continue;
        ++out.differing;
        // A wide line's cut miter may reach 2 widths past a corner.
        if (!nearAnEdge(x, y, p, lineWidth == 1 ? 1.0 : 2.0 * lineWidth + 1)) {
          ++out.farDiffering;
          ADD_FAILURE() << "polygon " << n << " pixel " << x << "," << y;
        }
      }
    }
  }
  return out;
}

TEST(ScanlineFill, RandomTrianglesAndQuadsMatchThePainterAwayFromTheirEdges) {
  struct Case {
    int corners, lineWidth;
  };
  for (const Case c : {Case{3, 1}, Case{4, 1}, Case{3, 3}, Case{4, 3}}) {
    SCOPED_TRACE(c.corners * 10 + c.lineWidth);
    const Comparison r = compareRandomPolygons(c.corners, c.lineWidth, 400, 20240611u);
    std::printf("%d corners, line width %d: %.4f%% of pixels differ\n", c.corners, c.lineWidth,
                100.0 * static_cast<double>(r.differing) / static_cast<double>(r.pixels));
    EXPECT_EQ(r.farDiffering, 0);
  }
}

}  // namespace
}  // namespace quill
