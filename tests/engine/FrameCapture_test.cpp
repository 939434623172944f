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

// Which control each member is read from is pinned by the round trip through
// the windows (apply, then capture); here, fractional rows stored half to even
// and saturated.
TEST(FrameCapture, StoresFractionalRowsRoundedHalfToEven) {
  PatternState s;
  loadStartupDefaults(s);
  for (auto [rows, stored] : {std::pair{10.5, 10}, {11.5, 12}, {1e9, 32767}}) {
    s.rowCount = rows;
    captureFrame(s, {});
    EXPECT_EQ(s.curFrame.rowCount, stored) << rows;
  }
}

}  // namespace
}  // namespace quill
