#pragma once
#include <vector>

#include "editor/PadGeometry.h"
#include "engine/PatternState.h"

namespace quill {

constexpr Color kPadRed = rgb(255, 0, 0);
constexpr Color kPadGreen = rgb(0, 255, 0);
constexpr Color kPadBlue = rgb(0, 0, 255);
constexpr Color kPadForeColor = kBlack;
constexpr Color kPadBackColor = kWhite;
constexpr double kDotRadius = 3;

// What the pad draws, in pad units and in drawing order: lines and circles
// (the point markers). The pad widget paints it; tests read it.
struct PadShape {
  enum Kind { Line, Circle } kind = Line;
  Point a;          // line start, or circle centre
  Point b;          // line end
  double radius = 0;
  Color color = kPadForeColor;
  friend bool operator==(const PadShape&, const PadShape&) = default;
};

using PadScene = std::vector<PadShape>;

// The polygon, its spokes and the point markers with their selection.
void appendFrame(PadScene& scene, const PatternState& state, const PadSelection& selection);
// The layer rings and the cross lines parallel to the spokes, from the
// layer and edge tables.
void appendMesh(PadScene& scene, const PatternState& state);

}  // namespace quill
