#include "engine/CellGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quill {
namespace {

const Point kUnset{12345.5, -6789.25};

void fillTables(PatternState& s) {
  for (auto& layer : s.layerPoints) layer.fill(kUnset);
  for (auto& layer : s.edgePoints) layer.fill(kUnset);
}

// Distance of p from the line through a and b, and p's fraction along a -> b.
double offLine(Point a, Point b, Point p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  return std::fabs(dx * (p.y - a.y) - dy * (p.x - a.x)) / std::hypot(dx, dy);
}
double along(Point a, Point b, Point p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  return (dx * (p.x - a.x) + dy * (p.y - a.y)) / (dx * dx + dy * dy);
}

TEST(CellGeometry, RegularTriangle) {
  PatternState s;
  s.centerX = 50;
  s.centerY = -20;
  placeRegularVertices(s, 3);
  EXPECT_EQ(s.centerX, 0);
  EXPECT_EQ(s.centerY, 0);
  EXPECT_NEAR(s.vertexPoints[1].x, 0, 5e-5);
  EXPECT_NEAR(s.vertexPoints[1].y, 240, 5e-5);
  EXPECT_NEAR(s.vertexPoints[2].x, -207.8461, 5e-5);
  EXPECT_NEAR(s.vertexPoints[2].y, -120.0000, 5e-5);
  EXPECT_NEAR(s.vertexPoints[3].x, 207.8461, 5e-5);
  EXPECT_NEAR(s.vertexPoints[3].y, -120.0000, 5e-5);
  EXPECT_EQ(s.vertexPoints[0], Point{});
}

TEST(CellGeometry, PlacementUsesTenDigitPi) {
  // 240 cos(3.141592654 / 2) is about -4.92e-8; full-precision pi gives ~1e-14.
  PatternState s;
  placeRegularVertices(s, 6);
  EXPECT_NEAR(s.vertexPoints[1].x, -4.922e-8, 0.001e-8);
}

TEST(CellGeometry, ChangeVerticesDiscardsEdits) {
  PatternState s;
  placeRegularVertices(s, 5);
  s.vertexPoints[2] = {1, 2};
  s.centerX = 30;
  s.curFrame.vertexCount = 5;
  changeVertices(s);
  PatternState fresh;
  placeRegularVertices(fresh, 5);
  EXPECT_EQ(s.vertexCount, 5);
  EXPECT_EQ(s.vertexPoints, fresh.vertexPoints);
  EXPECT_EQ(s.centerX, 0);
}

TEST(CellGeometry, SingleLayerWritesNoEdgePoints) {
  PatternState s;
  placeRegularVertices(s, 7);
  s.vertexCount = 7;
  s.layerCount = 1;
  fillTables(s);
  computeLayerTables(s);
  for (int i = 1; i <= 7; ++i) {
    EXPECT_NEAR(s.layerPoints[1][i].x, s.vertexPoints[i].x, 1e-12);
    EXPECT_NEAR(s.layerPoints[1][i].y, s.vertexPoints[i].y, 1e-12);
  }
  for (const auto& layer : s.edgePoints) {
    for (const Point& p : layer) EXPECT_EQ(p, kUnset);
  }
  EXPECT_EQ(triCount(7, 1, 1), 7);
}

TEST(CellGeometry, LayerPointsLieBetweenCentreAndVertex) {
  PatternState s;
  placeRegularVertices(s, 5);
  s.vertexPoints[3] = {-180.5, -200};
  s.vertexCount = 5;
  s.layerCount = 6;
  s.centerX = 73.25;
  s.centerY = -41.5;
  fillTables(s);
  computeLayerTables(s);
  const Point c{s.centerX, s.centerY};
  for (int i = 1; i <= 5; ++i) {
    for (int j = 1; j <= 6; ++j) {
      const Point p = s.layerPoints[j][i];
      EXPECT_LT(offLine(c, s.vertexPoints[i], p), 1e-9) << i << " " << j;
      EXPECT_NEAR(along(c, s.vertexPoints[i], p), j / 6.0, 1e-12);
    }
    EXPECT_NEAR(s.layerPoints[6][i].x, s.vertexPoints[i].x, 1e-12);
  }
}

TEST(CellGeometry, EdgePointsDivideEveryEdgeIncludingTheClosingOne) {
  PatternState s;
  placeRegularVertices(s, 4);
  s.vertexCount = 4;
  s.layerCount = 3;
  fillTables(s);
  computeLayerTables(s);
  for (int i = 1; i <= 4; ++i) {
    const Point a = s.vertexPoints[i];
    const Point b = s.vertexPoints[i == 4 ? 1 : i + 1];
    for (int j = 1; j <= 2; ++j) {
      EXPECT_LT(offLine(a, b, s.edgePoints[j][i]), 1e-9);
      EXPECT_NEAR(along(a, b, s.edgePoints[j][i]), j / 3.0, 1e-12);
    }
  }
  // Entries no formula reaches keep what they held.
  for (int j = 0; j < kLayerSlots; ++j) {
    for (int i = 0; i < kVertexSlots; ++i) {
      const bool layerWritten = j >= 1 && j <= 3 && i >= 1 && i <= 4;
      const bool edgeWritten = j >= 1 && j <= 2 && i >= 1 && i <= 4;
      if (!layerWritten) {
        EXPECT_EQ(s.layerPoints[j][i], kUnset) << j << " " << i;
      }
      if (!edgeWritten) {
        EXPECT_EQ(s.edgePoints[j][i], kUnset) << j << " " << i;
      }
    }
  }
}

TEST(CellGeometry, DamagedCountsStayInsideTheTables) {
  PatternState s;
  placeRegularVertices(s, 40);
  EXPECT_EQ(s.centerX, 0);  // the member after the last vertex slot
  EXPECT_EQ(s.centerY, 0);
  s.vertexCount = 40;
  s.layerCount = 500;
  fillTables(s);
  computeLayerTables(s);
  for (int j = 0; j < kLayerSlots; ++j) EXPECT_EQ(s.layerPoints[j][0], kUnset);
  for (const Point& p : s.edgePoints[0]) EXPECT_EQ(p, kUnset);
}

TEST(CellGeometry, TriangleCount) {
  EXPECT_EQ(triCount(6, 4, 1), 96);
  EXPECT_EQ(triCount(23, 99, 1), 23 * 99 * 99);
  EXPECT_EQ(triCount(3, 1, 0.5), 2);  // 1.5 rounds to even
  EXPECT_EQ(triCount(5, 1, 0.5), 2);  // 2.5 rounds to even
  EXPECT_EQ(triCount(6, 4, 0.25), 24);
  EXPECT_EQ(triCount(6, 0, 1), 0);
  EXPECT_EQ(triCount(6, 4, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(triCount(6, 4, 1e300), 0);
}

}  // namespace
}  // namespace quill
