#include "editor/PadGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/CellGeometry.h"

namespace quill {
namespace {

PatternState hexagon() {
  PatternState s;
  s.vertexCount = 6;
  placeRegularVertices(s, 6);  // vertex 1 at (0, 240), radius 240 around (0, 0)
  return s;
}

PadSelection selecting(std::initializer_list<int> vertices, bool center = false) {
  PadSelection sel;
  for (int v : vertices) toggleVertex(sel, v);
  sel.centerSelected = toBool16(center);
  return sel;
}

// The selected vertices, in selection order (the list counts from 1).
std::vector<int> selected(const PadSelection& sel) {
  return std::vector<int>(sel.points.begin() + 1, sel.points.begin() + 1 + sel.count);
}

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(PadGeometry, PadBoundsIncludeTheBorderAndCompareYInSinglePrecision) {
  struct Case {
    double x, y;
    bool off;
  } cases[] = {
      {312.5, 250, false},      {-312.5, -250, false},  {312.5000001, 0, true}, {0, -250.01, true},
      {std::nan(""), 0, true},  {0, std::numeric_limits<double>::infinity(), true},
  };
  for (const Case& c : cases) EXPECT_EQ(isOffPad(c.x, c.y), c.off) << c.x << ", " << c.y;
}

TEST(PadGeometry, SelectionTogglesAndInverts) {
  PadSelection sel = selecting({2, 5, 3});
  toggleVertex(sel, 5);  // out, the gap closes
  EXPECT_EQ(selected(sel), (std::vector<int>{2, 3}));
  const PadSelection inverted = invertSelection(selecting({2, 5}, true), 6);
  EXPECT_EQ(selected(inverted), (std::vector<int>{1, 3, 4, 6}));
  EXPECT_TRUE(inverted.centerSelected);
}

TEST(PadGeometry, HitTestIsStrictAndTheCentreWins) {
  PatternState s = hexagon();
  EXPECT_FALSE(hitTest(s, 0, 230).any());               // exactly 10 from vertex 1
  EXPECT_EQ(hitTest(s, 0, 230.001).vertices, std::vector<int>{1});
  s.vertexPoints[2] = {6, 0};                           // a vertex beside the centre
  EXPECT_TRUE(hitTest(s, 3, 0).center);
  EXPECT_TRUE(hitTest(s, 3, 0).vertices.empty());
  s.vertexPoints[3] = {0, 236};                         // two vertices under one click
  EXPECT_EQ(hitTest(s, 0, 238).vertices, (std::vector<int>{1, 3}));
}

TEST(PadGeometry, ScaleAndRotateWorkAboutThePivotFromTheDragStart) {
  PatternState s = hexagon();
  const PadSelection sel = selecting({2, 5});  // opposite vertices: pivot (0, 0)
  const Point v2 = s.vertexPoints[2];
  const DragStart start = beginDrag(s, sel, 100, 0);
  EXPECT_EQ(scaleFactorOf(start, 150), -1);  // 150 units up: factor 2
  EXPECT_FALSE(dragScale(s, sel, start, 150));  // vertex 2 would leave the pad: refused...
  EXPECT_EQ(s.vertexPoints[2], v2);              // ...before anything moved
  ASSERT_TRUE(dragScale(s, sel, start, 15));     // 15 up: 10 % farther
  EXPECT_NEAR(s.vertexPoints[5].y, -132, 1e-6);  // the ten-digit pi puts the pivot a hair off (0, 0)
  ASSERT_TRUE(dragScale(s, sel, start, -150));   // 150 down: onto the pivot
  EXPECT_NEAR(distance(s.vertexPoints[2], {0, 0}), 0, 1e-6);

  const double quarter = std::acos(0.0) * kDragUnits;  // a drag that turns by pi/2
  ASSERT_TRUE(dragRotate(s, sel, start, -quarter));
  EXPECT_NEAR(s.vertexPoints[2].x, -v2.y, 1e-6);
  EXPECT_NEAR(s.vertexPoints[2].y, v2.x, 1e-6);
  EXPECT_EQ(s.vertexPoints[1], hexagon().vertexPoints[1]);  // unselected vertices stay
}

// From -100 to 50 units up doubles every distance to the selection's
// centroid, the centre's included; a pivot on a vertex stays, with finite angles.
TEST(PadGeometry, ScaleAboutAnOffCentrePivotAndAPivotOnAVertex) {
  PatternState s = hexagon();
  PadSelection sel = selecting({2, 3}, true);
  const Point pivot = selectionCentroid(s, sel);
  DragStart start = beginDrag(s, sel, 0, -100);
  ASSERT_TRUE(dragScale(s, sel, start, 50));
  for (int i : {2, 3}) EXPECT_NEAR(distance(s.vertexPoints[i], pivot), 2 * distance(start.points[i], pivot), 1e-9);
  EXPECT_NEAR(distance({s.centerX, s.centerY}, pivot), 2 * distance({0, 0}, pivot), 1e-9);

  s = hexagon();
  sel = selecting({1});
  start = beginDrag(s, sel, 0, 0);
  EXPECT_TRUE(std::isfinite(start.pivotAngle[1]));
  for (double y : {-300.0, 40.0, 123.0}) {
    dragRotate(s, sel, start, y);
    dragScale(s, sel, start, y);
    EXPECT_NEAR(distance(s.vertexPoints[1], {0, 240}), 0, 1e-4);  // not NaN either
  }
}

TEST(PadGeometry, MoveStopsAtThePadEdgeWithoutDrift) {
  PatternState s = hexagon();
  const PadSelection sel = selecting({1, 2}, true);
  const DragStart start = beginDrag(s, sel, 0, 0);
  ASSERT_TRUE(dragMove(s, sel, start, 3, 4));
  EXPECT_EQ(s.vertexPoints[1], (Point{hexagon().vertexPoints[1].x + 3, 244}));
  // Vertex 1 would reach y = 251: the centre has moved, vertex 1 has not.
  EXPECT_FALSE(dragMove(s, sel, start, 5, 11));
  EXPECT_EQ(s.centerX, 5);
  EXPECT_EQ(s.vertexPoints[1].y, 244);
  // The next accepted event places every point exactly from the drag start.
  ASSERT_TRUE(dragMove(s, sel, start, 0, 10.000001));  // y tested in single precision: 250
  EXPECT_EQ(s.vertexPoints[1].y, 250.000001);
  EXPECT_EQ(s.vertexPoints[2], (Point{start.points[2].x, start.points[2].y + 10.000001}));
  EXPECT_FALSE(dragPoint(s, false, 3, 400, 0));
  EXPECT_TRUE(dragPoint(s, false, 3, -312.5, 250));
  EXPECT_EQ(s.vertexPoints[3], (Point{-312.5, 250}));
}

TEST(PadGeometry, FitFillsThePadAndLeavesFlatShapesAlone) {
  PatternState s = hexagon();
  ASSERT_TRUE(fitGeometry(s));
  EXPECT_NEAR(s.vertexPoints[1].y, 245, 1e-9);
  EXPECT_NEAR(s.vertexPoints[4].y, -245, 1e-9);

  PatternState wide = hexagon();  // wide shapes are limited by the width: 5 units each side
  for (int i = 1; i <= 6; ++i) wide.vertexPoints[i].y /= 4;
  ASSERT_TRUE(fitGeometry(wide));
  EXPECT_NEAR(wide.vertexPoints[2].x, -307.5, 1e-9);

  PatternState flat = hexagon();
  for (int i = 1; i <= 6; ++i) flat.vertexPoints[i].x = 0;
  const auto before = flat.vertexPoints;
  EXPECT_FALSE(fitGeometry(flat));
  EXPECT_EQ(flat.vertexPoints, before);

  PatternState shrunk = hexagon();
  shrinkGeometry(shrunk);
  EXPECT_NEAR(shrunk.vertexPoints[1].y, 240 / std::sqrt(2.0), 1e-12);
}

}  // namespace
}  // namespace quill
