#include "gfx/PolygonStamps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace quill {
namespace {

// Stamped polygons give exactly the pixels of the scanline rules, at any
// position and line width, for every shape a stamp takes (what it declines is
// drawn by the rules, as the renderer does). The store is small, so
// stamps are forgotten again and again, and a new stride forgets them too.
// Which pixels a stamp lists for the walk over hidden leaves is pinned by the
// pixel-bound renders, which draw exactly what drawing every leaf draws.
TEST(PolygonStamps, StampsMatchTheScanlineRulesPixelForPixel) {
  PolygonStamps stamps(4096);
  for (const int width : {97, 128}) {
    std::vector<uint32_t> stamped(static_cast<size_t>(width) * 90), direct(stamped.size());
    const PixelRows a{stamped.data(), width, width, 90}, b{direct.data(), width, width, 90};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> reach(-9, 9), xs(-5, width + 5), ys(-5, 95), lineWidth(1, 3);
    int used = 0;
    for (int n = 0; n < 3000; ++n) {
      const int count = 3 + n % 2;
      IntPoint p[4];
      p[0] = {xs(rng), ys(rng)};
      for (int i = 1; i < count; ++i) p[i] = {p[0].x + reach(rng), p[0].y + reach(rng)};
      const int w = lineWidth(rng);
      const uint32_t fill = 0xFF000000u | static_cast<uint32_t>(n), outline = 0xFFFF0000u | static_cast<uint32_t>(n);
      if (stamps.draw(a, p, count, w, fill, outline)) {
        ++used;
      } else {
        fillPolygon(a, p, count, fill);
        w == 1 ? strokeThin(a, p, count, outline) : strokeWide(a, p, count, w, outline);
      }
      fillPolygon(b, p, count, fill);
      w == 1 ? strokeThin(b, p, count, outline) : strokeWide(b, p, count, w, outline);
      ASSERT_EQ(stamped, direct) << "polygon " << n << " width " << w;
    }
    EXPECT_GT(used, 300);  // the test covers stamps, not only the fallback
  }
}

}  // namespace
}  // namespace quill
