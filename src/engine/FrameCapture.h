#pragma once
#include <cstdint>
#include <string>

#include "engine/PatternState.h"

namespace quill {

// Values that captureFrame reads from controls rather than from the live
// settings. The windows fill it from their controls; the defaults are the
// controls' start-up values.
struct FrameControls {
  std::string startText = "0";  // the start value box, display form ("FF")
  int16_t decimalBox = 0;       // "decimal"
  int16_t lockedBox = 1;        // "lock"
  int16_t drawLines = 1;        // "lines"
  int16_t drawFills = 1;        // "fills"
  Color backColor = rgb(64, 64, 64);

  // Export dialog.
  Bool16 saveBmp = kFalse16;
  Bool16 saveWmf = kTrue16;
  Bool16 lineNormal = kTrue16;
  Bool16 lineHeavy = kFalse16;
  Bool16 lineExtra = kFalse16;
  int16_t legend = 0;
  std::string saveWidth = "2000";

  // Division dialog.
  int16_t levels = 0;
  int16_t fractionsLimit = 1;
  int16_t fractions = 0;
  int16_t order = 0;
  int16_t tailLaunch = 4;
  int16_t tailLength = 4;
};

// Rebuilds state.curFrame from the live settings and the controls. frameNo,
// frameTotal and aniName are left as they are.
void captureFrame(PatternState& state, const FrameControls& controls);

// The start-up values of the live settings, the regular hexagon and its
// tables, the spectrum palette and the first capture of curFrame.
void loadStartupDefaults(PatternState& state, const FrameControls& controls = {});

}  // namespace quill
