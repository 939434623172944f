#include "engine/FrameCapture.h"

#include <cmath>
#include <limits>
#include <optional>

#include "engine/CellGeometry.h"
#include "engine/DigitText.h"
#include "engine/Palettes.h"
#include "engine/Rounding.h"

namespace quill {

namespace {

// The start value box in display form, read in base 10 or the pattern base.
// Text that is not a number of that base, or does not fit an i32, gives
// nothing; the frame then keeps the start value it had.
std::optional<int32_t> readStartText(const std::string& text, int base) {
  const std::string raw = lettersToDigits(text);
  if (!checkDigits(raw, base)) return std::nullopt;
  return fromDigitText(raw, base);
}

int16_t roundToInt16(double v) {
  const double r = roundHalfEven(v);
  if (std::isnan(r)) return 0;
  if (r <= std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  if (r >= std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  return static_cast<int16_t>(r);
}

void captureExportDialog(KeyFrame& f, const FrameControls& c) {
  f.saveBmp = c.saveBmp;
  f.saveWmf = c.saveWmf;
  f.lineNormal = c.lineNormal;
  f.lineHeavy = c.lineHeavy;
  f.lineExtra = c.lineExtra;
  f.legend = c.legend;
  f.saveWidth = c.saveWidth;
}

void captureDivisionDialog(KeyFrame& f, const FrameControls& c) {
  f.levels = c.levels;
  f.fractionsLimit = c.fractionsLimit;
  f.fractions = c.fractions;
  f.order = c.order;
  f.tailLength = c.tailLength;
  f.tailLaunch = c.tailLaunch;
}

}  // namespace

void captureFrame(PatternState& state, const FrameControls& controls) {
  KeyFrame& f = state.curFrame;
  f.deleted = kFalse16;
  f.vertexCount = state.vertexCount;
  f.layerCount = state.layerCount;
  f.vertexPoints = state.vertexPoints;
  f.centerX = state.centerX;
  f.centerY = state.centerY;
  f.backColor = controls.backColor;
  f.lockedBox = controls.lockedBox;
  f.decimalBox = controls.decimalBox;
  captureExportDialog(f, controls);
  f.numberBase = state.numberBase;
  const int startBase = controls.decimalBox != 0 ? 10 : state.numberBase;
  if (const auto start = readStartText(controls.startText, startBase)) f.startValue = *start;
  f.palette = state.chipColors;
  f.blendVariant = state.blendVariant;
  f.blendOn = toBool16(state.blendOn);
  f.drawLines = controls.drawLines;
  f.drawFills = controls.drawFills;
  f.blendWeights = state.blendWeights;
  f.spiralOrder = toBool16(state.spiralOrder);
  f.rowCount = roundToInt16(state.rowCount);
  f.previewOpen = toBool16(state.previewOpen);
  f.triangleMode = toBool16(state.triangleMode);
  f.columnCount = state.columnCount;
  captureDivisionDialog(f, controls);
}

void loadStartupDefaults(PatternState& state, const FrameControls& controls) {
  state.vertexCount = 6;
  state.layerCount = 4;
  state.lastStartValue = 0;
  state.previewOpen = false;
  placeRegularVertices(state, state.vertexCount);
  computeLayerTables(state);
  state.blendOn = true;
  state.blendVariant = 0;
  state.pendingDigits = 0;
  state.numberBase = 10;
  state.chipColors = presetPalette(0);
  state.blendWeights.fill(100);
  state.columnCount = 12;
  state.rowCount = 10;
  state.triangleMode = true;
  state.spiralOrder = false;
  captureFrame(state, controls);
  captureFrame(state, controls);
  state.tailPhase = 0;
}

}  // namespace quill
