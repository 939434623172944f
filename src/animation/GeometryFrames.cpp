#include "animation/GeometryFrames.h"

#include <algorithm>
#include <cmath>

#include "engine/Rounding.h"
#include "render/Renderer.h"

namespace quill {

namespace {

GeoFrame geoOf(const KeyFrame& f) {
  GeoFrame g;
  g.centerX = f.centerX;
  g.centerY = f.centerY;
  g.vertexCount = static_cast<int16_t>(std::clamp<int>(f.vertexCount, 0, kVertexSlots - 2));
  for (int j = 1; j <= g.vertexCount; ++j) g.points[j] = f.vertexPoints[j];
  return g;
}

// Key frames keep every point slot, so an in-between of a frame with more
// vertices than the next blends towards the points the next frame stores.
GeoFrame between(const KeyFrame& from, const KeyFrame& to, int m, int d) {
  GeoFrame g;
  g.vertexCount = static_cast<int16_t>(std::clamp<int>(from.vertexCount, 0, kVertexSlots - 2));
  g.centerX = lerpValue(m, d, from.centerX, to.centerX);
  g.centerY = lerpValue(m, d, from.centerY, to.centerY);
  for (int j = 1; j <= g.vertexCount; ++j) {
    g.points[j] = {lerpValue(m, d, from.vertexPoints[j].x, to.vertexPoints[j].x),
                   lerpValue(m, d, from.vertexPoints[j].y, to.vertexPoints[j].y)};
  }
  return g;
}

int wholeFrames(double framesPerKeyFrame) {
  return static_cast<int>(std::clamp<double>(roundHalfEven(framesPerKeyFrame), 1, INT16_MAX));
}

}  // namespace

double lerpValue(double t, double n, double a, double b) {
  const float f = static_cast<float>(t / n);
  const float rest = 1 - f;
  return static_cast<double>(rest) * a + static_cast<double>(f) * b;
}

int64_t geoLastFor(double framesPerKeyFrame, int keyFrames) {
  return 2 * static_cast<int64_t>(wholeFrames(framesPerKeyFrame)) * (keyFrames - 1) - 1;
}

std::vector<GeoFrame> buildGeos(const std::vector<KeyFrame>& keyFrames, double framesPerKeyFrame) {
  const int k = static_cast<int>(keyFrames.size());
  const int64_t last = geoLastFor(framesPerKeyFrame, k);
  if (k < 2 || last > INT16_MAX) return {};
  const int d = wholeFrames(framesPerKeyFrame);
  std::vector<GeoFrame> geos(static_cast<size_t>(last + 1));
  size_t n = 0;
  for (int s = 0; s + 1 < k; ++s) {
    const KeyFrame& from = keyFrames[static_cast<size_t>(s)];
    const KeyFrame& to = keyFrames[static_cast<size_t>(s + 1)];
    for (int m = 0; m < d; ++m, ++n) {
      geos[n] = m == 0 ? geoOf(from) : between(from, to, m, d);
      geos[static_cast<size_t>(last) - n] = geos[n];
    }
  }
  return geos;
}

void buildFractionalLayers(PatternState& state, double layerValue, bool inward) {
  // One whole layer at least, and no more than the tables hold.
  const double value = std::clamp(layerValue, 1.0, static_cast<double>(kLayerSlots - 3));
  const int n = static_cast<int>(std::floor(value));
  const float f = static_cast<float>(value - n);
  KeyFrame& frame = state.curFrame;
  const int vertices = std::clamp<int>(frame.vertexCount, 0, kVertexSlots - 2);
  const Point c{frame.centerX, frame.centerY};
  state.centerX = c.x;
  state.centerY = c.y;
  const double snap = n / 100.0;
  for (int i = 1; i <= vertices; ++i) {
    const Point v = frame.vertexPoints[i];
    Point d{(v.x - c.x) / (n + 1) * f, (v.y - c.y) / (n + 1) * f};
    const Point s{((v.x - d.x) - c.x) / n, ((v.y - d.y) - c.y) / n};
    if (std::abs(d.x) < snap) d.x = 0;
    if (std::abs(d.y) < snap) d.y = 0;
    auto& layers = state.layerPoints;
    if (inward) {
      for (int j = 1; j <= n; ++j) layers[j][i] = {c.x + j * s.x, c.y + j * s.y};
      layers[n + 1][i] = v;
    } else {
      const Point inner{c.x + d.x, c.y + d.y};
      layers[1][i] = inner;
      for (int j = 2; j <= n + 1; ++j) layers[j][i] = {inner.x + (j - 1) * s.x, inner.y + (j - 1) * s.y};
    }
  }
  frame.layerCount = static_cast<int16_t>(n + 1);
  for (int j = 1; j <= n + 1; ++j) state.layerPoints[j][vertices + 1] = state.layerPoints[j][1];
  divideLayerEdges(state, vertices, n + 1);
}

void applyGeometry(PatternState& state, const std::vector<GeoFrame>& geos, int16_t current, double layerValue,
                   bool inward) {
  if (geos.empty()) return;
  const GeoFrame& g = geos[static_cast<size_t>(std::max<int>(current, 0)) % geos.size()];
  KeyFrame& frame = state.curFrame;
  frame.centerX = g.centerX;
  frame.centerY = g.centerY;
  frame.vertexCount = g.vertexCount;
  for (int j = 1; j <= g.vertexCount; ++j) frame.vertexPoints[j] = g.points[j];
  buildFractionalLayers(state, layerValue, inward);
}

}  // namespace quill
