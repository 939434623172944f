#include "engine/FrameCapture.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "engine/Palettes.h"

namespace quill {
namespace {

// The first capture is of the start-up settings: a blended, locked hexagon of
// four layers in base 10 on the spectrum, vertex 1 on top, its tables ready to draw.
TEST(FrameCapture, StartupIsTheLockedHexagonOfFourLayers) {
  PatternState s;
  loadStartupDefaults(s);
  const KeyFrame& f = s.curFrame;
  EXPECT_EQ(std::tuple(f.vertexCount, f.layerCount, f.numberBase, f.lockedBox, f.blendOn, f.triangleMode),
            std::tuple(6, 4, 10, 1, kTrue16, kTrue16));
  EXPECT_EQ(f.palette, presetPalette(0));
  EXPECT_EQ(f.vertexPoints, s.vertexPoints);
  EXPECT_NEAR(f.vertexPoints[1].y, 240, 1e-6);
  EXPECT_EQ(s.layerPoints[4][3], s.vertexPoints[3]);
}

TEST(FrameCapture, StartTextKeepsThePreviousValueForTextItCannotRead) {
  PatternState s;
  loadStartupDefaults(s);
  struct Step { int16_t base; const char* text; int16_t decimalBox; int32_t want; };
  // Reading itself is tested with the digit text; here: which base, and what is kept.
  const Step steps[] = {
      {16, "FF", 0, 255}, {16, "10", 1, 10}, {8, "17", 0, 15}, {8, "19", 0, 15}, {8, "FF", 1, 15},
      {8, "1 2", 0, 15},  {8, "2147483648", 1, 15}, {8, "", 0, 0}, {8, "2147483647", 1, 2147483647},
  };
  for (const Step& step : steps) {
    s.numberBase = step.base;
    captureFrame(s, FrameControls{.startText = step.text, .decimalBox = step.decimalBox});
    EXPECT_EQ(s.curFrame.startValue, step.want) << step.base << " '" << step.text << "' " << step.decimalBox;
  }
}

TEST(FrameCapture, StoresLiveSettingsInFrameForm) {
  PatternState s;
  loadStartupDefaults(s);
  s.curFrame.deleted = kTrue16;
  KeyFrame want = s.curFrame;
  want.deleted = kFalse16;
  // Key-frame bookkeeping and the spare field belong to others and stay.
  s.curFrame.frameNo = want.frameNo = 7;
  s.curFrame.aniName = want.aniName = "waves";
  s.curFrame.spare = want.spare = 5;
  s.blendOn = false, want.blendOn = kFalse16;
  s.spiralOrder = true, want.spiralOrder = kTrue16;
  s.previewOpen = true, want.previewOpen = kTrue16;
  s.blendWeights[3] = want.blendWeights[3] = 40;
  s.chipColors[5] = want.palette[5] = rgb(1, 2, 3);
  s.vertexPoints[2] = want.vertexPoints[2] = {10, 20};
  s.centerX = want.centerX = -3.5;
  // Controls away from their start-up values, so a member read from the wrong one shows.
  const FrameControls c{.decimalBox = 1, .lockedBox = 0, .drawLines = 0, .backColor = rgb(9, 8, 7),
                        .saveBmp = kTrue16, .saveWmf = kFalse16, .lineNormal = kFalse16, .lineExtra = kTrue16,
                        .legend = 1, .saveWidth = "1234", .levels = 3, .fractionsLimit = 6, .fractions = 2,
                        .order = 1, .tailLaunch = 5, .tailLength = 7};
  want.decimalBox = 1, want.lockedBox = 0, want.drawLines = 0, want.backColor = rgb(9, 8, 7);
  want.saveBmp = kTrue16, want.saveWmf = kFalse16, want.lineNormal = kFalse16, want.lineExtra = kTrue16;
  want.legend = 1, want.saveWidth = "1234", want.levels = 3, want.fractionsLimit = 6, want.fractions = 2;
  want.order = 1, want.tailLaunch = 5, want.tailLength = 7;
  captureFrame(s, c);
  EXPECT_EQ(s.curFrame, want);

  for (auto [rows, stored] : {std::pair{10.5, 10}, {11.5, 12}, {1e9, 32767}}) {
    s.rowCount = rows;
    captureFrame(s, c);
    EXPECT_EQ(s.curFrame.rowCount, stored) << rows;
  }
}

}  // namespace
}  // namespace quill
