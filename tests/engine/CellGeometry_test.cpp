#include "engine/CellGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace quill {
namespace {

const Point kUnset{12345.5, -6789.25};

// Fills both tables with kUnset, then computes them, so unwritten entries show.
PatternState computed(int vertices, int layers, Point centre = {}) {
  PatternState s;
  placeRegularVertices(s, vertices);
  s.vertexPoints[3] = {-180.5, -200};  // irregular, so no symmetry hides a slip
  s.vertexCount = static_cast<int16_t>(vertices);
  s.layerCount = static_cast<int16_t>(layers);
  s.centerX = centre.x;
  s.centerY = centre.y;
  for (auto& layer : s.layerPoints) layer.fill(kUnset);
  for (auto& layer : s.edgePoints) layer.fill(kUnset);
  computeLayerTables(s);
  return s;
}

// p is at fraction t of the way from -> to.
void expectFraction(Point p, Point from, Point to, double t, double tolerance = 1e-11) {
  EXPECT_NEAR(p.x, from.x + (to.x - from.x) * t, tolerance);
  EXPECT_NEAR(p.y, from.y + (to.y - from.y) * t, tolerance);
}

TEST(CellGeometry, RegularPlacementUsesTenDigitPi) {
  PatternState s;
  placeRegularVertices(s, 3);
  EXPECT_EQ(s.vertexPoints[0], Point{});
  const Point want[] = {{}, {0, 240}, {-207.8461, -120.0000}, {207.8461, -120.0000}};
  for (int i = 1; i <= 3; ++i) expectFraction(s.vertexPoints[i], {}, want[i], 1, 5e-5);
  // 240 cos(3.141592654 / 2) is about -4.92e-8; full-precision pi gives ~1e-14.
  placeRegularVertices(s, 6);
  EXPECT_NEAR(s.vertexPoints[1].x, -4.922e-8, 0.001e-8);
}

// A single layer has no edge points at all.
TEST(CellGeometry, LayerAndEdgePointsDivideSpokesAndEdgesAroundAMovedCentre) {
  const struct {
    int vertices, layers;
    Point centre;
  } cases[] = {{4, 3, {73.25, -41.5}}, {7, 1, {}}};
  for (const auto& [n, layers, c] : cases) {
    SCOPED_TRACE(n);
    const PatternState s = computed(n, layers, c);
    for (int i = 1; i <= n; ++i) {
      const Point v = s.vertexPoints[i], next = s.vertexPoints[i % n + 1];  // the last edge closes
      for (int j = 1; j <= layers; ++j) expectFraction(s.layerPoints[j][i], c, v, double(j) / layers);
      for (int j = 1; j < layers; ++j) expectFraction(s.edgePoints[j][i], v, next, double(j) / layers);
    }
    // Exactly the entries no formula reaches keep what they held.
    for (int j = 0; j < kLayerSlots; ++j) {
      for (int i = 0; i < kVertexSlots; ++i) {
        const bool used = i >= 1 && i <= n && j >= 1;
        EXPECT_EQ(s.layerPoints[j][i] == kUnset, !used || j > layers) << j << " " << i;
        EXPECT_EQ(s.edgePoints[j][i] == kUnset, !used || j >= layers) << j << " " << i;
      }
    }
  }
}

TEST(CellGeometry, DamagedCountsStayInsideTheTables) {
  PatternState s;
  s.curFrame.vertexCount = 40;
  s.centerX = 30;
  s.centerY = -20;
  changeVertices(s);  // places anew, so the centre goes back to (0, 0)
  EXPECT_EQ(s.vertexCount, 40);
  EXPECT_EQ(s.centerX, 0);  // the member after the last vertex slot
  EXPECT_EQ(s.centerY, 0);
  s = computed(40, 500);
  for (int j = 0; j < kLayerSlots; ++j) EXPECT_EQ(s.layerPoints[j][0], kUnset);
  for (const Point& p : s.edgePoints[0]) EXPECT_EQ(p, kUnset);
}

TEST(CellGeometry, TriangleCount) {
  struct Case { int vertices, layers; double fractions; int64_t want; };
  const Case cases[] = {{6, 4, 1, 96}, {7, 1, 1, 7}, {23, 99, 1, 23 * 99 * 99}, {6, 0, 1, 0},
                        {3, 1, 0.5, 2}, {5, 1, 0.5, 2}, {6, 4, 0.25, 24},  // 1.5 and 2.5 round to even
                        {6, 4, std::numeric_limits<double>::quiet_NaN(), 0}, {6, 4, 1e300, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(triCount(c.vertices, c.layers, c.fractions), c.want) << c.vertices << " " << c.fractions;
  }
}

}  // namespace
}  // namespace quill
