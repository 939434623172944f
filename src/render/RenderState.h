#pragma once
#include <array>
#include <cstdint>

#include "engine/Types.h"

namespace quill {

// State shared by the render pipeline and the cell painters, owned by the
// preview window (all zero when the window is created).
struct RenderState {
  // Leaves visited so far, drawn or skipped. 64-bit: a 1600 x 1600 grid divided
  // seven times has about 4.2e10 leaves.
  int64_t cellIndex = 0;
  double fractionPeriod = 0;
  int16_t maxLevel = 0;
  Color currentColor = 0;  // black at the start of every render
  Color previousColor = 0;
  Color cellColor = 0;
  double cellSize = 0;
  int16_t cellPenWidth = 0;
  std::array<IntPoint, 4> quadPoints{};
};

}  // namespace quill
