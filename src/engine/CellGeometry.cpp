#include "engine/CellGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/Rounding.h"

namespace quill {

namespace {
// The tables end at vertex 25 and layer 101; larger counts only come from a
// damaged frame and are drawn as far as the tables reach.
int tableVertices(int n) { return std::min(n, kVertexSlots - 1); }
int tableLayers(int n) { return std::min(n, kLayerSlots - 1); }

Point between(const Point& from, const Point& to, int j, int l) {
  return {from.x + (to.x - from.x) * j / l, from.y + (to.y - from.y) * j / l};
}
}  // namespace

void placeRegularVertices(PatternState& state, int vertexCount) {
  state.centerX = 0;
  state.centerY = 0;
  double a = 0;
  const int last = tableVertices(vertexCount);
  for (int i = 1; i <= last; ++i) {
    state.vertexPoints[static_cast<size_t>(i)] = {kRegularRadius * std::cos(kPi10 / 2 + a),
                                                  kRegularRadius * std::sin(kPi10 / 2 + a)};
    a += kTwoPi10 / vertexCount;
  }
}

void changeVertices(PatternState& state) {
  state.vertexCount = state.curFrame.vertexCount;
  placeRegularVertices(state, state.vertexCount);
}

void computeLayerTables(PatternState& state) {
  const int n = tableVertices(state.vertexCount);
  const int l = tableLayers(state.layerCount);
  const Point centre{state.centerX, state.centerY};
  const auto& v = state.vertexPoints;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= l; ++j) state.layerPoints[j][i] = between(centre, v[i], j, l);
  }
  for (int i = 1; i <= n; ++i) {
    const Point& next = i < n ? v[i + 1] : v[1];
    for (int j = 1; j <= l - 1; ++j) state.edgePoints[j][i] = between(v[i], next, j, l);
  }
}

int64_t triCount(int vertexCount, int layerCount, double fractionsShown) {
  // 1 + 3 + ... + (2L - 1) = L^2
  const double s = layerCount > 0 ? static_cast<double>(layerCount) * layerCount : 0.0;
  const double t = roundHalfEven(s * vertexCount * fractionsShown);
  // Only a nonsensical fractions label gets here; keep the conversion defined.
  constexpr double kLimit = 9.0e18;
  if (!std::isfinite(t) || std::fabs(t) > kLimit) return 0;
  return static_cast<int64_t>(t);
}

}  // namespace quill
