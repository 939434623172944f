
#include <cmath>
#include <utility>

#include "render/RenderFixture.h"

namespace quill::test {
namespace {

using RendererTest = RenderFixture;

TEST_F(RendererTest, ThreeVerticesTwoLayersGiveTwelveTrianglesInRingOrder) {
  frame().centerX = 10;  // layers are cut towards the frame's centre...
  frame().centerY = 20;
  setPolygon({{0, 240}, {-200, -120}, {200, -120}}, 2);
  state->centerX = 4;  // ...but the inner triangles meet at the live one
  state->centerY = 2;
  renderer.drawPolygon();

  const Point k{4, 2}, q1{5, 130}, q2{-95, -50}, q3{105, -50};
  const Point v1{0, 240}, v2{-200, -120}, v3{200, -120};
  const Point m12{-100, 60}, m23{0, -120}, m31{100, 60};
  auto pix = [](Point p) {  // at scale 1
    return IntPoint{static_cast<int32_t>(std::floor(p.x + 312.5)),
                    static_cast<int32_t>(std::floor(247 - p.y))};
  };
  auto tri = [&](Point a, Point b, Point c) { return Points{pix(a), pix(b), pix(c)}; };
  const std::vector<Points> expected = {
      tri(k, q1, q2),   tri(k, q2, q3),   tri(k, q3, q1),     // centre ring
      tri(m12, q2, q1), tri(m12, q2, v2), tri(v2, q2, m23),   // sector 1, then 2's first
      tri(m23, q3, q2), tri(m23, q3, v3), tri(v3, q3, m31),   // sector 2, then 3's first
      tri(m31, q1, q3), tri(m31, q1, v1), tri(v1, q1, m12)};  // sector 3, then 1's first
  EXPECT_EQ(shapes(), expected);
}

TEST_F(RendererTest, CornerPixelsUseTheSinglePrecisionScale) {
  // 0.7f lies just below 0.7: 10 * 0.7f taken in double is 6.99999988, so the
  // pixel is 6 (a double 0.7 or a float product would both give 7).
  state->previewScale = 0.7f;
  state->gapPeriod = state->gapLength = 1;
  renderer.subdivideTriangle(-302.5, 237, -302.5, 237, -302.5, 237, 0);
  ASSERT_EQ(polygons().size(), 1u);
  EXPECT_EQ(polygons()[0].points[0], (IntPoint{6, 6}));
}

TEST_F(RendererTest, TheFirstGroupFadesTowardsBlackUnlessAPolygonStartsAtZero) {
  // With groups of two, the second leaf mixes halfway back to the colour held
  // before the first digit: black, whatever the picture before left behind.
  frame().startValue = 0;
  frame().fractions = 1;
  const Color leftOver = rgb(200, 0, 0);
  setPolygon({{0, 200}, {-150, 0}, {150, 0}}, 1);
  rs.currentColor = leftOver;
  renderer.drawPolygon();
  ASSERT_GE(polygons().size(), 2u);
  EXPECT_EQ(polygons()[0].fill, pal(0));
  EXPECT_EQ(polygons()[1].fill, rgb(72, 100, 183));  // halfway from entry 0 to entry 9

  surface.reset();
  setGrid(2, 1);
  rs.currentColor = leftOver;
  renderer.drawBookGrid();
  ASSERT_EQ(polygons().size(), 2u);
  EXPECT_EQ(polygons()[1].fill, rgb(0, 50, 127));  // halfway from entry 0 to black

  surface.reset();
  frame().startValue = 5;
  state->triangleMode = true;
  rs.currentColor = leftOver;
  renderer.drawPolygon();
  EXPECT_EQ(polygons()[1].fill, rgb(40, 50, 87));  // halfway from entry 5 to black
}

// The background first, then every cell of a 5 x 3 grid in book or spiral
// order, coloured by the digits of 1 to 12 written out.
TEST_F(RendererTest, GridsClearThenVisitEveryCellInBookOrSpiralOrder) {
  const int spiral[15][2] = {{1, 1}, {2, 1}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0}, {0, 1},
                             {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {4, 1}, {4, 0}};
  const int digits[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 0, 1, 1, 1, 2};
  setGrid(5, 3);
  for (bool spiralOrder : {false, true}) {
    surface.reset();
    frame().spiralOrder = toBool16(spiralOrder);
    renderer.draw();
    const auto& calls = surface.calls();
    ASSERT_EQ(calls.size(), 16u);
    EXPECT_EQ(std::pair(calls[0].kind, calls[0].fill), std::pair(RecordingSurface::Kind::Clear, rgb(64, 64, 64)));
    for (int i = 0; i < 15; ++i) {
      const int column = spiralOrder ? spiral[i][0] : i % 5, row = spiralOrder ? spiral[i][1] : i / 5;
      EXPECT_EQ(calls[i + 1].points, square(column * 10, row * 10, 10)) << spiralOrder << " " << i;
      EXPECT_EQ(std::pair(calls[i + 1].fill, calls[i + 1].outline), std::pair(pal(digits[i]), kBlack)) << i;
    }
    EXPECT_EQ(std::tuple(rs.cellIndex, state->digitCounter), std::tuple(15, 13));
  }
}

TEST_F(RendererTest, StopCheckEndsALargeRenderAndKeepsWhatWasDrawn) {
  setGrid(100, 100);
  frame().levels = 2;  // 160000 leaves
  int asked = 0;
  // Whoever is asked sees every leaf so far on the surface, batched or not.
  renderer.setStopCheck([&] {
    EXPECT_EQ(static_cast<int64_t>(polygons().size()), rs.cellIndex);
    return ++asked == 3;
  }, 1000);
  renderer.draw();
  EXPECT_TRUE(renderer.stopped());
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(polygons().size(), 3000u);
  EXPECT_EQ(rs.cellIndex, 3000);

  // The next render starts afresh and runs to the end when nobody stops it.
  surface.reset();
  renderer.setStopCheck([] { return false; }, 1000);
  setGrid(10, 10);
  renderer.draw();
  EXPECT_FALSE(renderer.stopped());
  EXPECT_EQ(polygons().size(), 1600u);
}

}  // namespace
}  // namespace quill::test
