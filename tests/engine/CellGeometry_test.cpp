// Where layer and edge points fall is pinned through the triangles the
// renderer draws from them; here, what feeds them and what they count.
#include "engine/CellGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace quill {
namespace {

TEST(CellGeometry, RegularPlacementUsesTenDigitPi) {
  PatternState s;
  placeRegularVertices(s, 3);
  EXPECT_EQ(s.vertexPoints[0], Point{});
  const Point want[] = {{}, {0, 240}, {-207.8461, -120.0000}, {207.8461, -120.0000}};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_NEAR(s.vertexPoints[i].x, want[i].x, 5e-5);
    EXPECT_NEAR(s.vertexPoints[i].y, want[i].y, 5e-5);
  }
  // 240 cos(3.141592654 / 2) is about -4.92e-8; full-precision pi gives ~1e-14.
  placeRegularVertices(s, 6);
  EXPECT_NEAR(s.vertexPoints[1].x, -4.922e-8, 0.001e-8);
}

TEST(CellGeometry, DamagedCountsStayInsideTheTables) {
  const Point unset{12345.5, -6789.25};
  PatternState s;
  s.curFrame.vertexCount = 40;
  s.centerX = 30;
  s.centerY = -20;
  changeVertices(s);  // places anew, so the centre goes back to (0, 0)
  EXPECT_EQ(s.vertexCount, 40);
  EXPECT_EQ(std::pair(s.centerX, s.centerY), std::pair(0.0, 0.0));  // the members after the last vertex slot
  s.layerCount = 500;
  for (auto& layer : s.layerPoints) layer.fill(unset);
  for (auto& layer : s.edgePoints) layer.fill(unset);
  computeLayerTables(s);
  for (int j = 0; j < kLayerSlots; ++j) EXPECT_EQ(s.layerPoints[j][0], unset);
  for (const Point& p : s.edgePoints[0]) EXPECT_EQ(p, unset);
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
