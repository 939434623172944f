// A stored frame put back into every window reads back as the same frame:
// every member goes to its control and is read back from it.

#include <random>

#include "app/AppFixture.h"

namespace quill {
namespace {

// Frames as the program can hold them, varied with a fixed seed.
KeyFrame variedFrame(std::mt19937& rng) {
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const auto flag16 = [&] { return static_cast<Bool16>(pick(0, 1) ? kTrue16 : kFalse16); };
  const auto box = [&] { return static_cast<int16_t>(pick(0, 1)); };
  KeyFrame f;
  f.vertexCount = static_cast<int16_t>(pick(3, 23));
  f.layerCount = static_cast<int16_t>(pick(1, 99));
  f.startValue = pick(0, 2000000000);
  f.numberBase = static_cast<int16_t>(pick(2, 16));
  for (Color& c : f.palette) c = pick(0, 16777215);
  f.blendVariant = static_cast<int16_t>(pick(0, 2));
  f.blendOn = flag16();
  f.drawLines = box(), f.drawFills = box();
  for (int16_t& w : f.blendWeights) w = static_cast<int16_t>(pick(0, 100));
  for (Point& p : f.vertexPoints) p = {pick(-3125, 3125) / 10.0, pick(-2500, 2500) / 10.0};
  f.centerX = pick(-100, 100) / 4.0, f.centerY = pick(-100, 100) / 4.0;
  f.backColor = pick(0, 16777215);
  f.lockedBox = box(), f.decimalBox = box();
  f.saveBmp = flag16();
  f.saveWmf = f.saveBmp ? kFalse16 : kTrue16;
  const int line = pick(0, 2);
  f.lineNormal = toBool16(line == 0), f.lineHeavy = toBool16(line == 1), f.lineExtra = toBool16(line == 2);
  f.legend = box();
  f.saveWidth = std::to_string(pick(1, 16000));
  f.previewOpen = flag16();
  f.triangleMode = flag16();
  f.rowCount = static_cast<int16_t>(pick(1, 1600)), f.columnCount = static_cast<int16_t>(pick(1, 1600));
  f.spiralOrder = flag16();
  f.levels = static_cast<int16_t>(pick(0, 7));
  f.fractionsLimit = static_cast<int16_t>(pick(1, 2 * std::max<int>(f.levels, 1)));
  f.fractions = static_cast<int16_t>(pick(0, f.fractionsLimit));
  f.order = static_cast<int16_t>(pick(0, 3));
  f.tailLaunch = static_cast<int16_t>(pick(1, 300));
  f.tailLength = static_cast<int16_t>(pick(-20, 300));
  // What apply leaves alone.
  f.frameNo = 7, f.frameTotal = 9, f.aniName = "kept", f.spare = 5, f.deleted = kTrue16;
  return f;
}

using FrameApply = AppFixture;

TEST_F(FrameApply, ApplyThenCaptureGivesTheFrameBack) {
  MainWindow& form = app->mainWindow();
  PatternState& state = app->state();
  std::mt19937 rng(20261207);
  for (int i = 0; i < 20; ++i) {
    const KeyFrame stored = variedFrame(rng);
    state.curFrame = stored;
    form.applyFrame();
    captureFrame(state, form.controls());
    KeyFrame expected = stored;
    expected.deleted = kFalse16;  // a capture marks the frame live
    expected.blendWeights[15] = state.blendWeights[15];  // weight 15 is not applied
    if (stored.triangleMode == kFalse16) expected.legend = 0;  // a grid has no legend
    EXPECT_EQ(state.curFrame, expected) << "frame " << i;
  }
}

}  // namespace
}  // namespace quill
