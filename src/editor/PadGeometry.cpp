#include "editor/PadGeometry.h"

#include <algorithm>
#include <cmath>

namespace quill {

namespace {

constexpr double kPi = 3.141592654;  // the angle offset and the degree read-out use this value
constexpr double kTinyDistance = 0.00001;

Point centerOf(const PatternState& state) { return {state.centerX, state.centerY}; }

void setCenter(PatternState& state, Point p) {
  state.centerX = p.x;
  state.centerY = p.y;
}

int vertexCountOf(const PatternState& state) {
  return std::clamp<int>(state.vertexCount, 0, kVertexSlots - 1);
}

// Move and scale test the candidate's y as a single-precision value; the
// stored value keeps double precision.
bool refusedCandidate(Point p) { return isOffPad(p.x, static_cast<float>(p.y)); }

}  // namespace

bool isSelected(const PadSelection& selection, int vertex) {
  const int count = std::clamp<int>(selection.count, 0, kVertexSlots - 1);
  for (int k = 1; k <= count; ++k) {
    if (selection.points[k] == vertex) return true;
  }
  return false;
}

void toggleVertex(PadSelection& selection, int vertex) {
  const int count = std::clamp<int>(selection.count, 0, kVertexSlots - 1);
  for (int p = 1; p <= count; ++p) {
    if (selection.points[p] != vertex) continue;
    for (int k = p; k < kVertexSlots - 1; ++k) selection.points[k] = selection.points[k + 1];
    selection.count = static_cast<int16_t>(count - 1);
    return;
  }
  if (count + 1 >= kVertexSlots) return;
  selection.count = static_cast<int16_t>(count + 1);
  selection.points[count + 1] = static_cast<int16_t>(vertex);
}

PadSelection invertSelection(const PadSelection& selection, int vertexCount) {
  PadSelection inverted;
  inverted.centerSelected = selection.centerSelected;
  const int n = std::clamp(vertexCount, 0, kVertexSlots - 1);
  for (int i = 1; i <= n; ++i) {
    if (isSelected(selection, i)) continue;
    ++inverted.count;
    inverted.points[inverted.count] = static_cast<int16_t>(i);
  }
  return inverted;
}

bool isOffPad(double x, double y) {
  constexpr float left = static_cast<float>(kPadLeft);
  constexpr float right = static_cast<float>(kPadLeft + kPadWidth);
  constexpr float top = static_cast<float>(kPadTop);
  constexpr float bottom = static_cast<float>(kPadTop + kPadHeight);
  if (!std::isfinite(x) || !std::isfinite(y)) return true;
  return x > right || x < left || y > top || y < bottom;
}

Point selectionCentroid(const PatternState& state, const PadSelection& selection) {
  double sumX = 0;
  double sumY = 0;
  int n = 0;
  if (selection.centerSelected) {
    sumX += state.centerX;
    sumY += state.centerY;
    ++n;
  }
  const int count = std::clamp<int>(selection.count, 0, kVertexSlots - 1);
  for (int k = 1; k <= count; ++k) {
    const int i = selection.points[k];
    if (i < 0 || i >= kVertexSlots) continue;
    sumX += state.vertexPoints[i].x;
    sumY += state.vertexPoints[i].y;
    ++n;
  }
  if (n == 0) return {0, 0};
  return {sumX / n, sumY / n};
}

DragStart snapshotGeometry(const PatternState& state) {
  DragStart start;
  start.center = centerOf(state);
  // Every slot, so an undo after the vertex count grew puts back real points.
  start.points = state.vertexPoints;
  return start;
}

DragStart beginDrag(const PatternState& state, const PadSelection& selection, double x, double y) {
  DragStart start = snapshotGeometry(state);
  start.downX = x;
  start.downY = y;
  const Point pivot = selectionCentroid(state, selection);
  start.pivotX = pivot.x;
  start.pivotY = pivot.y;
  const int n = vertexCountOf(state);
  for (int i = 1; i <= n; ++i) {
    Point& s = start.points[i];
    double distance = std::sqrt((pivot.x - s.x) * (pivot.x - s.x) + (pivot.y - s.y) * (pivot.y - s.y));
    if (distance == 0) distance = kTinyDistance;
    start.pivotDistance[i] = distance;
    // A vertex straight above or below the pivot is nudged in the copy, so
    // its angle needs no division by zero.
    if (s.x - pivot.x == 0) s.x += kTinyDistance;
    double angle = std::atan((s.y - pivot.y) / (s.x - pivot.x));
    if (s.x - pivot.x < 0) angle += kPi;
    start.pivotAngle[i] = angle;
  }
  return start;
}

PadHit hitTest(const PatternState& state, double x, double y) {
  const auto within = [x, y](Point p) { return std::hypot(p.x - x, p.y - y) < kPickRadius; };
  PadHit hit;
  if (within(centerOf(state))) {
    hit.center = true;
    return hit;
  }
  const int n = vertexCountOf(state);
  for (int i = 1; i <= n; ++i) {
    if (within(state.vertexPoints[i])) hit.vertices.push_back(i);
  }
  return hit;
}

bool dragMove(PatternState& state, const PadSelection& selection, const DragStart& start, double x,
              double y) {
  const double dx = x - start.downX;
  const double dy = y - start.downY;
  if (selection.centerSelected) {
    const Point candidate{start.center.x + dx, start.center.y + dy};
    if (refusedCandidate(candidate)) return false;
    setCenter(state, candidate);
  }
  const int count = std::clamp<int>(selection.count, 0, kVertexSlots - 1);
  for (int k = 1; k <= count; ++k) {
    const int i = selection.points[k];
    if (i < 1 || i >= kVertexSlots) continue;
    const Point candidate{start.points[i].x + dx, start.points[i].y + dy};
    if (refusedCandidate(candidate)) return false;
    state.vertexPoints[i] = candidate;
  }
  return true;
}

double scaleFactorOf(const DragStart& start, double y) { return (start.downY - y) / kDragUnits; }
double rotationOf(const DragStart& start, double y) { return (start.downY - y) / kDragUnits; }

bool dragScale(PatternState& state, const PadSelection& selection, const DragStart& start, double y) {
  const double s = scaleFactorOf(start, y);
  const auto scaled = [&](Point p) {
    return Point{(1 - s) * p.x + s * start.pivotX, (1 - s) * p.y + s * start.pivotY};
  };
  if (selection.centerSelected) {
    const Point candidate = scaled(start.center);
    if (refusedCandidate(candidate)) return false;
    setCenter(state, candidate);
  }
  const int count = std::clamp<int>(selection.count, 0, kVertexSlots - 1);
  for (int k = 1; k <= count; ++k) {
    const int i = selection.points[k];
    if (i < 1 || i >= kVertexSlots) continue;
    const Point candidate = scaled(start.points[i]);
    if (refusedCandidate(candidate)) return false;
    state.vertexPoints[i] = candidate;
  }
  return true;
}

bool dragRotate(PatternState& state, const PadSelection& selection, const DragStart& start, double y) {
  const double a = rotationOf(start, y);
  const int count = std::clamp<int>(selection.count, 0, kVertexSlots - 1);
  for (int k = 1; k <= count; ++k) {
    const int i = selection.points[k];
    if (i < 1 || i >= kVertexSlots) continue;
    const Point turned{start.pivotX + start.pivotDistance[i] * std::cos(a + start.pivotAngle[i]),
                       start.pivotY + start.pivotDistance[i] * std::sin(a + start.pivotAngle[i])};
    // Rotation may leave the pad (the pad clips it), but never the numbers.
    if (!std::isfinite(turned.x) || !std::isfinite(turned.y)) return false;
    state.vertexPoints[i] = turned;
  }
  return true;
}

bool dragPoint(PatternState& state, bool centerGrabbed, int grabbedPoint, double x, double y) {
  if (isOffPad(x, y)) return false;
  if (centerGrabbed) {
    setCenter(state, {x, y});
  } else if (grabbedPoint >= 1 && grabbedPoint < kVertexSlots) {
    state.vertexPoints[grabbedPoint] = {x, y};
  }
  return true;
}

bool fitGeometry(PatternState& state) {
  double minX = state.centerX, maxX = state.centerX;
  double minY = state.centerY, maxY = state.centerY;
  const int n = vertexCountOf(state);
  for (int i = 1; i <= n; ++i) {
    minX = std::min(minX, state.vertexPoints[i].x);
    maxX = std::max(maxX, state.vertexPoints[i].x);
    minY = std::min(minY, state.vertexPoints[i].y);
    maxY = std::max(maxY, state.vertexPoints[i].y);
  }
  const double width = maxX - minX;
  const double height = maxY - minY;
  if (!(width > 0) || !(height > 0)) return false;
  const float midX = static_cast<float>(minX + width / 2);
  const float midY = static_cast<float>(minY + height / 2);
  const double f = (kPadWidth / width < -kPadHeight / height) ? 615 / width : 490 / height;
  if (!std::isfinite(f)) return false;
  const auto fitted = [&](Point p) { return Point{f * (p.x - midX), f * (p.y - midY)}; };
  for (int i = 1; i <= n; ++i) state.vertexPoints[i] = fitted(state.vertexPoints[i]);
  setCenter(state, fitted(centerOf(state)));
  return true;
}

void shrinkGeometry(PatternState& state) {
  const double root2 = std::sqrt(2.0);
  const int n = vertexCountOf(state);
  for (int i = 1; i <= n; ++i) {
    state.vertexPoints[i].x /= root2;
    state.vertexPoints[i].y /= root2;
  }
  state.centerX /= root2;
  state.centerY /= root2;
}

void restoreDragStart(PatternState& state, const DragStart& start) {
  setCenter(state, start.center);
  const int n = vertexCountOf(state);
  for (int i = 1; i <= n; ++i) state.vertexPoints[i] = start.points[i];
}

}  // namespace quill
