#include "animation/GeometryFrames.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace quill {
namespace {

KeyFrame square(double size, double cx = 0) {
  KeyFrame f;
  f.vertexCount = 4;
  f.centerX = cx;
  const Point corners[] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
  for (int i = 0; i < 4; ++i) f.vertexPoints[i + 1] = {cx + size * corners[i].x, size * corners[i].y};
  return f;
}

TEST(GeometryFrames, ThreeKeyFramesOfAHundredRunForthAndBack) {
  const auto geos = buildGeos({square(100), square(200, 50), square(50)}, 100);
  ASSERT_EQ(geos.size(), 400u);
  EXPECT_EQ(geos[50].centerX, 25);
  EXPECT_EQ(geos[0].points[1].y, 100);
  EXPECT_EQ(geos[100].points[1].y, 200);
  EXPECT_NEAR(geos[199].points[1].y, lerpValue(99, 100, 200, 50), 0);
  EXPECT_EQ(geos[200], geos[199]);
  EXPECT_EQ(geos[399], geos[0]);
  // Single precision fraction: 0.99f is not 0.99.
  EXPECT_NE(lerpValue(99, 100, 200, 50), 0.01 * 200 + 0.99 * 50);
  // In-between frames are counted in 16 bits: a run past that is refused up front.
  EXPECT_GT(geoLastFor(10000, 5), 32767);
  EXPECT_TRUE(buildGeos({square(1), square(2), square(3), square(4), square(5)}, 10000).empty());
}

TEST(GeometryFrames, InBetweensOfDifferentVertexCountsBlendTheStoredSlots) {
  // Key frames of 3, 5 and 3 vertices; the last stores its own points in
  // slots 4 and 5, which the in-betweens from the 5-vertex frame head for.
  KeyFrame triangle = square(100), pentagon = square(200), last = square(50);
  triangle.vertexCount = last.vertexCount = 3;
  pentagon.vertexCount = 5;
  pentagon.vertexPoints[5] = {0, 300};
  last.vertexPoints[4] = {-40, -80};
  last.vertexPoints[5] = {60, 90};
  const auto geos = buildGeos({triangle, pentagon, last}, 4);
  ASSERT_EQ(geos.size(), 16u);
  EXPECT_EQ(geos[1].vertexCount, 3);  // from the triangle: its own count
  EXPECT_EQ(geos[4].vertexCount, 5);
  for (int m = 1; m < 4; ++m) {
    const GeoFrame& g = geos[static_cast<size_t>(4 + m)];
    ASSERT_EQ(g.vertexCount, 5);
    EXPECT_EQ(g.points[4], (Point{lerpValue(m, 4, -200, -40), lerpValue(m, 4, -200, -80)})) << m;
    EXPECT_EQ(g.points[5], (Point{lerpValue(m, 4, 0, 60), lerpValue(m, 4, 300, 90)})) << m;
  }
  EXPECT_EQ(geos[7].points[5], (Point{45, 142.5}));  // three quarters of the way
}

TEST(GeometryFrames, FractionalLayersInwardAndOutward) {
  PatternState state;
  state.curFrame = square(100 / std::sqrt(2.0));  // vertex 1 at distance 100 from the centre
  state.curFrame.vertexPoints[1] = {0, 100};
  for (const auto& [inward, want] : {std::pair{false, std::array{10.0, 32.5, 55.0, 77.5, 100.0}},
                                     {true, std::array{22.5, 45.0, 67.5, 90.0, 100.0}}}) {
    buildFractionalLayers(state, 4.5, inward);
    EXPECT_EQ(state.curFrame.layerCount, 5);
    for (int j = 1; j <= 5; ++j) EXPECT_NEAR(state.layerPoints[j][1].y, want[j - 1], 1e-6) << inward << " " << j;
  }
  buildFractionalLayers(state, 4.0, false);
  EXPECT_EQ(state.layerPoints[1][1].y, 0);  // an empty partial band: layer 1 is the centre
  EXPECT_EQ(state.layerPoints[5][1].y, 100);
  // The rings close and the corners follow the rings.
  EXPECT_EQ(state.layerPoints[3][5], state.layerPoints[3][1]);
  EXPECT_EQ(state.cellCorner(1, 3, 1), state.layerPoints[3][1]);
  EXPECT_EQ(state.cellCorner(1, 3, 4), state.layerPoints[3][2]);
}

TEST(GeometryFrames, GeometryFeatureCopiesTheInBetweenFrameCyclically) {
  PatternState state;
  const auto geos = buildGeos({square(100), square(200)}, 2);
  applyGeometry(state, geos, 5, 3, true);  // 5 mod 4 = 1: the halfway frame
  EXPECT_EQ(state.curFrame.vertexPoints[2], (Point{150, 150}));
  EXPECT_EQ(state.curFrame.layerCount, 4);
  state.curFrame.vertexPoints[2] = {1, 1};
  applyGeometry(state, {}, 0, 3, true);  // nothing built: nothing changes
  EXPECT_EQ(state.curFrame.vertexPoints[2], (Point{1, 1}));
}

}  // namespace
}  // namespace quill
