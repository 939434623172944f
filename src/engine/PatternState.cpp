#include "engine/PatternState.h"

namespace quill {

PatternState::PatternState()
    : cellCorners(static_cast<size_t>(kVertexSlots) * kLayerSlots * kLayerSlots) {}

}  // namespace quill
