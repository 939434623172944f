#include "gfx/PolygonStamps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <span>
#include <vector>

namespace quill {
namespace {

// Stamped polygons give exactly the pixels of the scanline rules, at any
// position, for every shape a stamp takes; wide lines keep to the rules. The
// store is small, so stamps are forgotten again and again, and a new stride
// forgets them too.
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

TEST(PolygonStamps, LargeShapesAndWideLinesAreLeftToTheScanlineRules) {
  std::vector<uint32_t> pixels(200 * 200);
  const PixelRows rows{pixels.data(), 200, 200, 200};
  PolygonStamps stamps;
  const IntPoint big[3] = {{100, 100}, {130, 100}, {100, 104}};
  const IntPoint small[3] = {{100, 100}, {103, 100}, {100, 104}};
  EXPECT_FALSE(stamps.draw(rows, big, 3, 1, 1, 2));
  EXPECT_FALSE(stamps.draw(rows, small, 3, 4, 1, 2));
  const IntPoint edge[3] = {{2, 2}, {5, 2}, {2, 6}};
  EXPECT_FALSE(stamps.draw(rows, edge, 3, 1, 1, 2));
  EXPECT_TRUE(stamps.draw(rows, small, 3, 1, 1, 2));
}

// pixels() lists exactly what draw() sets, and every stamped shape keeps to
// the box of its points, one pixel further along an axis it spans 5 or more:
// the reach by which a walk over leaves tells whether any can still show.
TEST(PolygonStamps, PixelsAreWhatDrawSetsWithinThePointsBox) {
  constexpr int kSide = 64, kReach = 6;
  std::vector<uint32_t> image(kSide * kSide);
  const PixelRows rows{image.data(), kSide, kSide, kSide};
  PolygonStamps stamps;
  std::vector<std::array<IntPoint, 4>> shapes;
  for (int a = -kReach; a <= kReach; ++a)
    for (int b = -kReach; b <= kReach; ++b)
      for (int c = -kReach; c <= kReach; ++c)
        for (int d = -kReach; d <= kReach; ++d) shapes.push_back({{{32, 32}, {32 + a, 32 + b}, {32 + c, 32 + d}, {0, 0}}});
  for (int w = 0; w <= 2 * kReach; ++w)
    for (int h = 0; h <= 2 * kReach; ++h) shapes.push_back({{{32, 32}, {32 + w, 32}, {32 + w, 32 + h}, {32, 32 + h}}});
  for (const auto& shape : shapes) {
    const IntPoint* p = shape.data();
    const int count = p[3].x == 0 && p[3].y == 0 ? 3 : 4;
    std::fill(image.begin(), image.end(), 0);
    ASSERT_TRUE(stamps.draw(rows, p, count, 1, 1, 2));
    std::span<const int32_t> offsets;
    ASSERT_TRUE(stamps.pixels(p, count, kSide, offsets));
    std::vector<uint32_t> listed(image.size());
    for (const int32_t offset : offsets) listed[static_cast<size_t>(32 * kSide + 32 + offset)] = 1;
    int left = 99, top = 99, right = -99, bottom = -99;
    for (int i = 0; i < count; ++i) {
      left = std::min(left, p[i].x), right = std::max(right, p[i].x);
      top = std::min(top, p[i].y), bottom = std::max(bottom, p[i].y);
    }
    right += right - left >= 5, bottom += bottom - top >= 5;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const bool set = image[static_cast<size_t>(y * kSide + x)] != 0;
        ASSERT_EQ(set, listed[static_cast<size_t>(y * kSide + x)] != 0) << x << "," << y;
        if (set) {
          ASSERT_TRUE(x >= left && x <= right && y >= top && y <= bottom) << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quill
