#pragma once
#include <cstdint>

#include "engine/PatternState.h"

namespace quill {

// pi to ten significant digits, as the regular placement has always used.
constexpr double kPi10 = 3.141592654;
constexpr double kTwoPi10 = 6.283185308;
constexpr double kRegularRadius = 240;

// Places vertexCount vertices regularly on radius 240 around (0, 0), vertex 1
// straight above the centre, counter-clockwise; resets the centre.
void placeRegularVertices(PatternState& state, int vertexCount);

// Sets vertexCount from curFrame.vertexCount and places the vertices regularly.
void changeVertices(PatternState& state);

// Recomputes layerPoints and edgePoints from the vertices, centre and layerCount.
void computeLayerTables(PatternState& state);

// Number of triangles: N * L^2 * fractionsShown, rounded half to even.
int64_t triCount(int vertexCount, int layerCount, double fractionsShown);

}  // namespace quill
