#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/PatternState.h"
#include "engine/PadUnits.h"

namespace quill {

constexpr double kPickRadius = 10;
// A vertical drag of this many pad units scales by a whole factor or turns
// by one radian.
constexpr double kDragUnits = 150;

enum class PadTool { Select, Move, Scale, Rotate, Point };

// The selected vertices in points[1..count] (entry 0 is unused), each at most
// once, and whether the centre is selected.
struct PadSelection {
  int16_t count = 0;
  Bool16 centerSelected = kFalse16;
  std::array<int16_t, kVertexSlots> points{};
};

bool isSelected(const PadSelection& selection, int vertex);
// Adds the vertex at the end, or takes it out and closes the gap.
void toggleVertex(PadSelection& selection, int vertex);
// Every vertex 1..vertexCount not selected now, ascending; the centre keeps its mark.
PadSelection invertSelection(const PadSelection& selection, int vertexCount);

// Outside [-312.5, 312.5] x [-250, 250]; the border is on the pad. A point
// that is not a number is off the pad too, so it can never be stored.
bool isOffPad(double x, double y);

// The mean of the selected points (the centre counts when selected); (0, 0)
// with nothing selected.
Point selectionCentroid(const PatternState& state, const PadSelection& selection);

// What a mouse-down remembers: every drag event is computed from these
// copies, never from the previous event, so a refused event leaves no drift.
struct DragStart {
  double downX = 0;
  double downY = 0;
  double pivotX = 0;
  double pivotY = 0;
  Point center;
  std::array<Point, kVertexSlots> points{};
  std::array<double, kVertexSlots> pivotDistance{};
  std::array<double, kVertexSlots> pivotAngle{};
};

// The start-up snapshot holds the start-up geometry, so "undo" before any
// drag changes nothing.
DragStart snapshotGeometry(const PatternState& state);
DragStart beginDrag(const PatternState& state, const PadSelection& selection, double x, double y);

// What a click at (x, y) hits, strictly within the pick radius. When the
// centre is hit the vertices are not tested.
struct PadHit {
  bool center = false;
  std::vector<int> vertices;  // ascending
  bool any() const { return center || !vertices.empty(); }
};
PadHit hitTest(const PatternState& state, double x, double y);

// The drag operations. Each returns false when a candidate position was
// refused (off the pad or not finite); points placed before that keep their
// new positions, as the event ends there.
bool dragMove(PatternState& state, const PadSelection& selection, const DragStart& start, double x,
              double y);
bool dragScale(PatternState& state, const PadSelection& selection, const DragStart& start, double y);
bool dragRotate(PatternState& state, const PadSelection& selection, const DragStart& start, double y);
bool dragPoint(PatternState& state, bool centerGrabbed, int grabbedPoint, double x, double y);

// The label values of a drag to (x, y).
double scaleFactorOf(const DragStart& start, double y);  // s: points go to (1 - s) start + s pivot
double rotationOf(const DragStart& start, double y);     // radians

// Scales and centres the centre and vertices to fill the pad with a 5-unit
// margin on the limiting side. A flat or empty box leaves the geometry as it
// is and returns false.
bool fitGeometry(PatternState& state);
// Scales about the pad origin by 1 / sqrt(2).
void shrinkGeometry(PatternState& state);
// Puts back the centre and vertices of the drag start.
void restoreDragStart(PatternState& state, const DragStart& start);

}  // namespace quill
