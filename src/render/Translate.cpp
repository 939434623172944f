#include <algorithm>

#include "render/Renderer.h"

namespace quill {

PolygonExtent polygonExtent(const KeyFrame& frame) {
  return {std::clamp<int>(frame.vertexCount, 0, kVertexSlots - 2),
          std::clamp<int>(frame.layerCount, 0, kLayerSlots - 2)};
}

void translate(PatternState& state) {
  const KeyFrame& f = state.curFrame;
  const auto [n, layers] = polygonExtent(f);
  const double cx = f.centerX;
  const double cy = f.centerY;

  for (int i = 1; i <= n; ++i) {
    const Point& v = f.vertexPoints[i];
    for (int j = 1; j <= layers; ++j)
      state.layerPoints[j][i] = {cx + (v.x - cx) * j / layers, cy + (v.y - cy) * j / layers};
  }
  for (int j = 1; j <= layers; ++j) state.layerPoints[j][n + 1] = state.layerPoints[j][1];

  divideLayerEdges(state, n, layers);
}

// Layer j's edge from vertex i to i + 1, cut into j equal segments.
void divideLayerEdges(PatternState& state, int vertices, int layers) {
  for (int i = 1; i <= vertices; ++i) {
    for (int j = 1; j <= layers; ++j) {
      const Point a = state.layerPoints[j][i];
      const Point b = state.layerPoints[j][i + 1];
      for (int m = 1; m <= j + 1; ++m)
        state.cellCorner(i, j, m) = {a.x - (a.x - b.x) * (m - 1) / j,
                                     a.y - (a.y - b.y) * (m - 1) / j};
    }
  }
}

}  // namespace quill
