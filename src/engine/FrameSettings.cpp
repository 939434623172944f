#include "engine/FrameSettings.h"

#include "engine/CellGeometry.h"

namespace quill {

void adoptFrameSettings(PatternState& state) {
  const KeyFrame& f = state.curFrame;
  state.vertexCount = f.vertexCount;
  state.layerCount = f.layerCount;
  state.numberBase = f.numberBase;
  state.chipColors = f.palette;
  state.vertexPoints = f.vertexPoints;
  state.centerX = f.centerX;
  state.centerY = f.centerY;
  computeLayerTables(state);
  state.blendVariant = f.blendVariant;
  state.blendOn = f.blendOn != 0;
  // Entry 15 of the live weights is not part of what a frame restores.
  for (int i = 0; i < 15; ++i) state.blendWeights[i] = f.blendWeights[i];
  state.previewOpen = f.previewOpen != 0;
  state.triangleMode = f.triangleMode != 0;
  state.columnCount = f.columnCount;
  state.rowCount = f.rowCount;
  state.spiralOrder = f.spiralOrder != 0;
}

}  // namespace quill
