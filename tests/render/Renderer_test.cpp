#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/RenderFixture.h"

namespace quill::test {
namespace {

using Tri = std::vector<IntPoint>;

std::vector<Tri> trianglesOf(const std::vector<RecordingSurface::Call>& calls) {
  std::vector<Tri> out;
  for (const auto& c : calls) out.push_back(c.points);
  return out;
}

Tri tri(Point a, Point b, Point c) { return {pix(a.x, a.y), pix(b.x, b.y), pix(c.x, c.y)}; }

using RendererTest = RenderFixture;

TEST_F(RendererTest, TranslateCutsLayersAndEdgesAndClosesTheRing) {
  setPolygon({{0, 240}, {-200, -120}, {200, -120}}, 2);
  frame().centerX = 10;
  frame().centerY = 20;
  translate(*state);

  // Halfway from the centre (10, 20) to each vertex.
  EXPECT_EQ(state->layerPoints[1][1], (Point{5, 130}));
  EXPECT_EQ(state->layerPoints[1][2], (Point{-95, -50}));
  EXPECT_EQ(state->layerPoints[2][3], (Point{200, -120}));
  EXPECT_EQ(state->layerPoints[1][4], state->layerPoints[1][1]);
  EXPECT_EQ(state->layerPoints[2][4], state->layerPoints[2][1]);

  // Layer 2's edge from vertex 3 back to vertex 1, in two segments.
  EXPECT_EQ(state->cellCorner(3, 2, 1), (Point{200, -120}));
  EXPECT_EQ(state->cellCorner(3, 2, 2), (Point{100, 60}));
  EXPECT_EQ(state->cellCorner(3, 2, 3), (Point{0, 240}));
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 2; ++j)
      EXPECT_EQ(state->cellCorner(i, j, j + 1), state->cellCorner(i + 1, j, 1));
}

TEST_F(RendererTest, TranslateKeepsADamagedFrameInsideTheTables) {
  frame().vertexCount = 30000;
  frame().layerCount = 30000;
  translate(*state);  // must not write past the tables
  EXPECT_EQ(polygonExtent(frame()).vertices, 24);
  EXPECT_EQ(polygonExtent(frame()).layers, 100);
  frame().vertexCount = -5;
  frame().layerCount = -5;
  EXPECT_EQ(polygonExtent(frame()).vertices, 0);
  EXPECT_EQ(polygonExtent(frame()).layers, 0);
}

TEST_F(RendererTest, ThreeVerticesTwoLayersGiveTwelveTrianglesInRingOrder) {
  setPolygon({{0, 240}, {-200, -120}, {200, -120}}, 2);
  translate(*state);
  // The inner triangles meet at the live centre, not at the frame's.
  state->centerX = 4;
  state->centerY = 2;
  renderer.render();

  const Point k{4, 2};
  const Point q1{0, 120}, q2{-100, -60}, q3{100, -60};
  const Point v1{0, 240}, v2{-200, -120}, v3{200, -120};
  const Point m12{-100, 60}, m23{0, -120}, m31{100, 60};
  const std::vector<Tri> expected = {
      tri(k, q1, q2),   tri(k, q2, q3),   tri(k, q3, q1),     // centre ring
      tri(m12, q2, q1), tri(m12, q2, v2), tri(v2, q2, m23),   // sector 1, then 2's first
      tri(m23, q3, q2), tri(m23, q3, v3), tri(v3, q3, m31),   // sector 2, then 3's first
      tri(m31, q1, q3), tri(m31, q1, v1), tri(v1, q1, m12)};  // sector 3, then 1's first
  EXPECT_EQ(trianglesOf(polygons()), expected);
}

TEST_F(RendererTest, OneLayerDrawsOnlyTheCentreTriangles) {
  setPolygon({{0, 200}, {-150, 0}, {0, -200}, {150, 0}}, 1);
  translate(*state);
  renderer.render();
  const Point k{0, 0};
  const std::vector<Tri> expected = {tri(k, {0, 200}, {-150, 0}), tri(k, {-150, 0}, {0, -200}),
                                     tri(k, {0, -200}, {150, 0}), tri(k, {150, 0}, {0, 200})};
  EXPECT_EQ(trianglesOf(polygons()), expected);
}

TEST_F(RendererTest, CornerPixelsUseTheSinglePrecisionScale) {
  // 0.7f lies just below 0.7: 10 * 0.7f taken in double is 6.99999988, so the
  // pixel is 6 (a double 0.7 or a float product would both give 7).
  state->previewScale = 0.7f;
  state->gapPeriod = 1;
  state->gapLength = 1;
  renderer.curse(-302.5, 237, -302.5, 237, -302.5, 237, 0);
  ASSERT_EQ(polygons().size(), 1u);
  EXPECT_EQ(polygons()[0].points[0], (IntPoint{6, 6}));
  EXPECT_EQ(state->trianglePoints[0], (IntPoint{6, 6}));
}

TEST_F(RendererTest, StartValueZeroSeedsTheFadeOnlyInPolygonMode) {
  // With groups of two, the second leaf mixes halfway back to the colour
  // held before the first digit.
  frame().startValue = 0;
  frame().fractions = 1;
  const Color leftOver = rgb(200, 0, 0);
  const Color halfToNine = rgb(72, 100, 183);  // halfway from entry 0 to entry 9
  const Color halfToLeftOver = rgb(100, 50, 127);

  setPolygon({{0, 200}, {-150, 0}, {150, 0}}, 1);
  translate(*state);
  rs.currentColor = leftOver;
  renderer.render();
  ASSERT_GE(polygons().size(), 2u);
  EXPECT_EQ(polygons()[0].fill, pal(0));
  EXPECT_EQ(polygons()[1].fill, halfToNine);

  surface.reset();
  setGrid(2, 1);
  rs.currentColor = leftOver;
  renderer.render_book();
  ASSERT_EQ(polygons().size(), 2u);
  EXPECT_EQ(polygons()[1].fill, halfToLeftOver);

  surface.reset();
  frame().startValue = 5;
  state->triangleMode = true;
  rs.currentColor = leftOver;
  renderer.render();
  EXPECT_EQ(polygons()[1].fill, rgb(140, 50, 87));  // halfway from entry 5 to leftOver
}

TEST_F(RendererTest, BookOrderClearsThenGoesRowByRow) {
  setGrid(3, 2);
  frame().startValue = 1;
  renderer.render_book();
  const auto& calls = surface.calls();
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls[0].kind, RecordingSurface::Kind::Clear);
  EXPECT_EQ(calls[0].fill, rgb(64, 64, 64));
  const int corners[6][2] = {{0, 0}, {10, 0}, {20, 0}, {0, 10}, {10, 10}, {20, 10}};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(calls[c + 1].points, square(corners[c][0], corners[c][1], 10)) << c;
    EXPECT_EQ(calls[c + 1].fill, pal(c + 1));
    EXPECT_EQ(calls[c + 1].outline, kBlack);
  }
  EXPECT_EQ(rs.cellPenWidth, 1);
  EXPECT_EQ(state->digitCounter, 7);

  surface.reset();
  renderer.setBackground(kWhite);
  renderer.render_book();
  EXPECT_EQ(surface.calls()[0].fill, kWhite);
}

TEST_F(RendererTest, SpiralOrderWindsOutFromTheMiddle) {
  setGrid(5, 3);
  frame().spiralOrder = kTrue16;
  renderer.draw();
  const int cells[15][2] = {{1, 1}, {2, 1}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0}, {0, 1},
                            {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {4, 1}, {4, 0}};
  ASSERT_EQ(surface.calls().front().kind, RecordingSurface::Kind::Clear);
  const auto drawn = polygons();
  ASSERT_EQ(drawn.size(), 15u);
  for (int c = 0; c < 15; ++c)
    EXPECT_EQ(drawn[c].points, square(cells[c][0] * 10, cells[c][1] * 10, 10)) << c;
}

TEST_F(RendererTest, GridRendersVisitEveryCellOnce) {
  for (bool spiral : {false, true}) {
    surface.reset();
    setGrid(7, 4);
    frame().spiralOrder = toBool16(spiral);
    renderer.draw();
    std::set<std::pair<int, int>> seen;
    for (const auto& p : polygons()) seen.insert({p.points[0].x, p.points[0].y});
    EXPECT_EQ(polygons().size(), 28u) << spiral;
    EXPECT_EQ(seen.size(), 28u) << spiral;
    EXPECT_EQ(rs.cellIndex, 28);
  }
}

TEST_F(RendererTest, DamagedDivisionValuesStayBounded) {
  setGrid(2, 1);
  frame().levels = -3;  // every top-level cell is a leaf
  frame().fractions = -2;
  renderer.draw();
  EXPECT_EQ(polygons().size(), 2u);
  EXPECT_EQ(polygons()[1].fill, pal(2));

  // A depth far beyond the dialog's is capped instead of recursing without end.
  surface.reset();
  frame().levels = 30000;
  frame().fractions = 30000;
  rs.cellSize = 65536;
  renderer.setStopCheck([] { return true; }, 8);
  renderer.draw();
  EXPECT_EQ(rs.maxLevel, kDeepestLevel);
  ASSERT_EQ(polygons().size(), 8u);
  EXPECT_EQ(polygons()[0].points, square(0, 0, 1));
}

TEST_F(RendererTest, StopCheckEndsALargeRenderAndKeepsWhatWasDrawn) {
  setGrid(100, 100);
  frame().levels = 2;  // 160000 leaves
  int asked = 0;
  renderer.setStopCheck([&] { return ++asked == 3; }, 1000);
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
