#include "engine/FrameCapture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/CellGeometry.h"
#include "engine/Palettes.h"

namespace quill {
namespace {

TEST(FrameCapture, StartupFrame) {
  PatternState s;
  s.bmpExportPending = s.emfExportPending = s.sequenceFramePending = true;
  s.updatingControls = s.previewOpen = true;
  s.lastStartValue = 99;
  s.tailPhase = 3;
  s.pendingDigits = 2;
  loadStartupDefaults(s);
  const KeyFrame& f = s.curFrame;
  EXPECT_EQ(f.vertexCount, 6);
  EXPECT_EQ(f.layerCount, 4);
  EXPECT_EQ(f.startValue, 0);
  EXPECT_EQ(f.numberBase, 10);
  EXPECT_EQ(f.palette, presetPalette(0));
  EXPECT_EQ(f.blendVariant, 0);
  EXPECT_EQ(f.blendOn, kTrue16);
  EXPECT_EQ(f.drawLines, 1);
  EXPECT_EQ(f.drawFills, 1);
  for (int16_t w : f.blendWeights) EXPECT_EQ(w, 100);
  EXPECT_EQ(f.centerX, 0);
  EXPECT_EQ(f.centerY, 0);
  EXPECT_NEAR(f.vertexPoints[1].x, 0, 1e-6);
  EXPECT_NEAR(f.vertexPoints[1].y, 240, 1e-6);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_NEAR(std::hypot(f.vertexPoints[i].x, f.vertexPoints[i].y), 240, 1e-9);
    EXPECT_EQ(f.vertexPoints[i], s.vertexPoints[i]);
  }
  EXPECT_NEAR(f.vertexPoints[2].x, -207.8461, 5e-5);  // counter-clockwise
  EXPECT_NEAR(f.vertexPoints[2].y, 120, 5e-5);
  EXPECT_EQ(f.backColor, rgb(64, 64, 64));
  EXPECT_EQ(f.lockedBox, 1);
  EXPECT_EQ(f.decimalBox, 0);
  EXPECT_EQ(f.triangleMode, kTrue16);
  EXPECT_EQ(f.rowCount, 10);
  EXPECT_EQ(f.columnCount, 12);
  EXPECT_EQ(f.spiralOrder, kFalse16);
  EXPECT_EQ(f.previewOpen, kFalse16);
  EXPECT_EQ(f.deleted, kFalse16);
  EXPECT_EQ(f.saveWmf, kTrue16);
  EXPECT_EQ(f.saveWidth, "2000");
  EXPECT_EQ(f.tailLaunch, 4);
  EXPECT_EQ(f.tailLength, 4);

  // The live side of start-up.
  EXPECT_FALSE(s.bmpExportPending || s.emfExportPending || s.sequenceFramePending);
  EXPECT_FALSE(s.updatingControls || s.previewOpen);
  EXPECT_EQ(s.lastStartValue, 0);
  EXPECT_EQ(s.tailPhase, 0);
  EXPECT_EQ(s.pendingDigits, 0);
  EXPECT_EQ(s.chipColors, presetPalette(0));
  EXPECT_EQ(s.layerPoints[4][3], s.vertexPoints[3]);
  EXPECT_NEAR(s.layerPoints[2][1].y, 120, 1e-9);
  EXPECT_EQ(triCount(s.vertexCount, s.layerCount, 1), 96);
}

class StartText : public ::testing::Test {
 protected:
  StartText() { loadStartupDefaults(state); }
  int32_t capture(const std::string& text, int16_t decimalBox = 0) {
    controls.startText = text;
    controls.decimalBox = decimalBox;
    captureFrame(state, controls);
    return state.curFrame.startValue;
  }
  PatternState state;
  FrameControls controls;
};

TEST_F(StartText, ReadsInTheBaseOrInDecimal) {
  state.numberBase = 16;
  EXPECT_EQ(capture("FF"), 255);
  EXPECT_EQ(capture("10", 1), 10);
  EXPECT_EQ(capture("7FFFFFFF"), 2147483647);
  EXPECT_EQ(capture(""), 0);
  state.numberBase = 2;
  EXPECT_EQ(capture("101"), 5);
}

TEST_F(StartText, KeepsThePreviousValueForTextItCannotRead) {
  state.numberBase = 8;
  EXPECT_EQ(capture("17"), 15);
  EXPECT_EQ(capture("19"), 15);          // 9 is no octal digit
  EXPECT_EQ(capture("FF", 1), 15);       // letters are no decimal digits
  EXPECT_EQ(capture("1 2"), 15);
  EXPECT_EQ(capture("2147483648", 1), 15);  // beyond i32
  EXPECT_EQ(capture("99999999999999999999999", 1), 15);
  EXPECT_EQ(capture("2147483647", 1), 2147483647);
}

TEST(FrameCapture, StoresLiveSettingsInFrameForm) {
  PatternState s;
  loadStartupDefaults(s);
  s.curFrame.frameNo = 7;
  s.curFrame.frameTotal = 9;
  s.curFrame.aniName = "waves";
  s.curFrame.deleted = kTrue16;
  s.curFrame.spare = 5;
  s.blendOn = false;
  s.triangleMode = false;
  s.spiralOrder = true;
  s.previewOpen = true;
  s.blendVariant = 2;
  s.blendWeights[3] = 40;
  s.chipColors[5] = rgb(1, 2, 3);
  s.vertexPoints[2] = {10, 20};
  s.centerX = -3.5;
  s.rowCount = 10.5;

  FrameControls c;
  c.drawLines = 0;
  c.lockedBox = 0;
  c.backColor = rgb(9, 8, 7);
  c.saveBmp = kTrue16;
  c.saveWmf = kFalse16;
  c.lineExtra = kTrue16;
  c.legend = 1;
  c.saveWidth = "1234";
  c.levels = 3;
  c.fractionsLimit = 6;
  c.fractions = 2;
  c.order = 1;
  c.tailLaunch = 5;
  c.tailLength = 6;
  captureFrame(s, c);

  const KeyFrame& f = s.curFrame;
  EXPECT_EQ(f.blendOn, kFalse16);
  EXPECT_EQ(f.triangleMode, kFalse16);
  EXPECT_EQ(f.spiralOrder, kTrue16);
  EXPECT_EQ(f.previewOpen, kTrue16);
  EXPECT_EQ(f.deleted, kFalse16);
  EXPECT_EQ(f.blendVariant, 2);
  EXPECT_EQ(f.blendWeights, s.blendWeights);
  EXPECT_EQ(f.palette, s.chipColors);
  EXPECT_EQ(f.vertexPoints, s.vertexPoints);
  EXPECT_EQ(f.centerX, -3.5);
  EXPECT_EQ(f.rowCount, 10);  // 10.5 rounds to even
  EXPECT_EQ(f.drawLines, 0);
  EXPECT_EQ(f.lockedBox, 0);
  EXPECT_EQ(f.backColor, rgb(9, 8, 7));
  EXPECT_EQ(f.saveBmp, kTrue16);
  EXPECT_EQ(f.saveWmf, kFalse16);
  EXPECT_EQ(f.lineExtra, kTrue16);
  EXPECT_EQ(f.legend, 1);
  EXPECT_EQ(f.saveWidth, "1234");
  EXPECT_EQ(f.levels, 3);
  EXPECT_EQ(f.fractionsLimit, 6);
  EXPECT_EQ(f.fractions, 2);
  EXPECT_EQ(f.order, 1);
  EXPECT_EQ(f.tailLaunch, 5);
  EXPECT_EQ(f.tailLength, 6);
  // Key-frame bookkeeping and the spare field belong to others.
  EXPECT_EQ(f.frameNo, 7);
  EXPECT_EQ(f.frameTotal, 9);
  EXPECT_EQ(f.aniName, "waves");
  EXPECT_EQ(f.spare, 5);

  s.rowCount = 11.5;
  captureFrame(s, c);
  EXPECT_EQ(s.curFrame.rowCount, 12);
  s.rowCount = 1e9;
  captureFrame(s, c);
  EXPECT_EQ(s.curFrame.rowCount, 32767);
}

}  // namespace
}  // namespace quill
