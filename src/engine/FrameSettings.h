#pragma once
#include "engine/PatternState.h"

namespace quill {

// Puts curFrame's pattern settings back into the live settings: counts, base,
// palette, vertices and centre (with the layer tables), blend rule and weights
// 0..14, geometry type, grid size and order. The controls are the windows'
// business; this is the part every caller shares.
void adoptFrameSettings(PatternState& state);

}  // namespace quill
