#pragma once
#include "engine/PatternState.h"

namespace quill {

// Rectangle spiral from the middle of the grid outwards. spiralStart reads the
// live columnCount and rowCount (rows rounded half to even).
void spiralStart(PatternState& state);
void spiralStep(PatternState& state);

}  // namespace quill
