#include "engine/SpiralWalk.h"

#include "engine/Rounding.h"

namespace quill {

namespace {
// The rows box may hold a fraction (10.5); the walk counts whole rows.
int32_t wholeRows(double rowCount) {
  const double b = roundHalfEven(rowCount);
  if (!(b >= 0)) return 0;  // also NaN
  return b > 1.0e9 ? 1000000000 : static_cast<int32_t>(b);
}
}  // namespace

void spiralStart(PatternState& state) {
  const int32_t a = state.columnCount;
  const int32_t b = wholeRows(state.rowCount);
  if (b >= a) {
    // First run: a vertical segment of b - a + 1 cells.
    state.spiralCol = (a + 1) / 2 - 1;
    state.spiralRow = a / 2;
    state.spiralMinCol = state.spiralMaxCol = state.spiralCol;
    state.spiralMinRow = state.spiralRow;
    state.spiralMaxRow = state.spiralRow + (b - a);
    state.spiralDir = 0;
  } else {
    // First run: a horizontal segment of a - b + 1 cells.
    state.spiralRow = b / 2;
    state.spiralCol = b / 2;
    state.spiralMinRow = state.spiralMaxRow = state.spiralRow;
    state.spiralMinCol = state.spiralCol;
    state.spiralMaxCol = state.spiralCol + (a - b);
    state.spiralDir = 1;
  }
}

void spiralStep(PatternState& state) {
  switch (state.spiralDir) {
    case 0:
      if (state.spiralRow != state.spiralMaxRow) {
        ++state.spiralRow;
      } else {
        state.spiralDir = 1;
        ++state.spiralMaxCol;
        ++state.spiralCol;
      }
      break;
    case 1:
      if (state.spiralCol != state.spiralMaxCol) {
        ++state.spiralCol;
      } else {
        state.spiralDir = 2;
        --state.spiralMinRow;
        --state.spiralRow;
      }
      break;
    case 2:
      if (state.spiralRow != state.spiralMinRow) {
        --state.spiralRow;
      } else {
        state.spiralDir = 3;
        --state.spiralMinCol;
        --state.spiralCol;
      }
      break;
    case 3:
      if (state.spiralCol != state.spiralMinCol) {
        --state.spiralCol;
      } else {
        state.spiralDir = 0;
        ++state.spiralMaxRow;
        ++state.spiralRow;
      }
      break;
    default:
      break;
  }
}

}  // namespace quill
