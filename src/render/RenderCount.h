#pragma once
#include <cstdint>

#include "engine/PatternState.h"

namespace quill {

// The leaves a whole render of curFrame visits, drawn or skipped by the gaps.
int64_t leafCount(const PatternState& state);

// The digit counter a whole render of curFrame leaves behind, worked out
// without drawing: every group of leaves takes one number in blend mode and
// one digit in list mode, counting up from the start value.
int64_t counterAfterRender(const PatternState& state);

}  // namespace quill
