#include "editor/PadScene.h"

#include <algorithm>

namespace quill {

namespace {

void dot(PadScene& scene, Point p, Color color) {
  scene.push_back({PadShape::Circle, p, {}, kDotRadius, color});
}

void line(PadScene& scene, Point a, Point b) { scene.push_back({PadShape::Line, a, b, 0, kPadForeColor}); }

}  // namespace

void appendFrame(PadScene& scene, const PatternState& state, const PadSelection& selection) {
  const Point center{state.centerX, state.centerY};
  dot(scene, center, kPadRed);
  if (selection.centerSelected) dot(scene, center, kPadBlue);
  const int n = std::clamp<int>(state.vertexCount, 0, kVertexSlots - 1);
  for (int i = 1; i <= n; ++i) {
    const Point& v = state.vertexPoints[i];
    dot(scene, v, kPadGreen);
    if (isSelected(selection, i)) dot(scene, v, kPadBlue);
    const int next = i + 1 > n ? 1 : i + 1;
    line(scene, v, state.vertexPoints[next]);
    line(scene, center, v);
  }
}

void appendMesh(PadScene& scene, const PatternState& state) {
  const int layers = std::clamp<int>(state.layerCount, 0, kLayerSlots - 1);
  const int n = std::clamp<int>(state.vertexCount, 0, kVertexSlots - 1);
  const auto& lp = state.layerPoints;
  const auto& ep = state.edgePoints;
  for (int l = 1; l <= layers; ++l) {
    for (int j = 1; j < n; ++j) line(scene, lp[l][j], lp[l][j + 1]);
    if (n > 0) line(scene, lp[l][n], lp[l][1]);
  }
  for (int j = 1; j <= n; ++j) {
    for (int l = 1; l < layers; ++l) {
      line(scene, lp[l][j], ep[l][j == 1 ? n : j - 1]);
      line(scene, lp[l][j], ep[layers - l][j]);
    }
  }
}

}  // namespace quill
