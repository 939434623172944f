#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/KeyFrame.h"
#include "engine/PatternState.h"

namespace quill {

// One in-between polygon of the geometry feature.
struct GeoFrame {
  double centerX = 0;
  double centerY = 0;
  int16_t vertexCount = 0;
  std::array<Point, kVertexSlots> points{};
  friend bool operator==(const GeoFrame&, const GeoFrame&) = default;
};

// a at t = 0 to b at t = n, the fraction in single precision.
double lerpValue(double t, double n, double a, double b);

// The in-between polygons of an animation's key frames 1..k (the frames in
// list order, k >= 2) with d frames per key frame: forward from key frame 1
// towards key frame k, then the same way back. 2 d (k - 1) frames.
std::vector<GeoFrame> buildGeos(const std::vector<KeyFrame>& keyFrames, double framesPerKeyFrame);

// The largest geos index a setting would need, or nullopt-like -1 when it
// would not fit the 16-bit index.
int64_t geoLastFor(double framesPerKeyFrame, int keyFrames);

// Rebuilds the layer and corner tables of curFrame's polygon for a real
// number of layers: the whole part gives full bands, the fraction a partial
// band, innermost ("outward") or outermost ("inward").
void buildFractionalLayers(PatternState& state, double layerValue, bool inward);

// The geometry feature: copies in-between frame c (cyclically) into curFrame
// and rebuilds the tables. Nothing when there are no in-between frames.
void applyGeometry(PatternState& state, const std::vector<GeoFrame>& geos, int16_t current, double layerValue,
                   bool inward);

}  // namespace quill
