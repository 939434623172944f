// The palette chips, the background label and the blending options dialog.
#include <QScrollBar>

#include "MainWindowFixture.h"
#include "engine/Palettes.h"
#include "gfx/QtColor.h"
#include "mainwindow/BlendModeDialog.h"

namespace quill {
namespace {

class PaletteTest : public MainWindowTest {
 protected:
  QLabel* chip(int k) const { return find<QLabel>(("chip" + std::to_string(k)).c_str()); }
  Color chipBack(int k) const { return fromQColor(chip(k)->palette().color(QPalette::Window)); }
  Color chipText(int k) const { return fromQColor(chip(k)->palette().color(QPalette::WindowText)); }
  bool bordered(int k) const { return chip(k)->frameShape() == QFrame::Box; }
  void release(QWidget* w, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(w, button); }
};

// The caption names the next preset: spectrum at start-up, then bright, then
// dark. A chip's digit is black on a bright colour, white on a dark one
// (85 is not dark), and the random palette takes the scripted numbers.
TEST_F(PaletteTest, PresetsCycleAndRandomTakesTheGeneratorAndTextColoursFollowBrightness) {
  EXPECT_EQ(text("Command3"), "bright");
  for (auto [k, colour] : {std::pair{8, kBlack}, {14, kBlack}, {13, kBlack}, {11, kBlack}, {15, kWhite}})
    EXPECT_EQ(chipText(k), colour) << "chip " << k;
  const std::pair<const char*, int> steps[] = {{"dark", 1}, {"spectrum", 2}, {"bright", 0}, {"dark", 1}};
  for (auto [caption, palette] : steps) {
    click("Command3");
    EXPECT_EQ(text("Command3"), caption);
    EXPECT_EQ(state.chipColors, presetPalette(palette)) << caption;
    EXPECT_EQ(chipBack(9), presetPalette(palette)[9]);
  }
  windows.scripted.randoms = {0.0, 0.999999999, 0.25};  // then 0.5 for the rest
  click("Command1");
  EXPECT_EQ(std::vector<Color>(state.chipColors.begin(), state.chipColors.begin() + 3),
            (std::vector<Color>{0, 16777215, 4194304}));
  EXPECT_EQ(chipBack(5), 8388608);
  EXPECT_EQ(chipText(0), kWhite);
  EXPECT_EQ(chip(11)->text(), "B");  // the captions stay the digits
}

TEST_F(PaletteTest, LeftClicksPickChipAndBackgroundColoursAndCancelKeepsThem) {
  state.previewOpen = true;
  windows.scripted.colors = {rgb(1, 2, 3), std::nullopt, rgb(200, 200, 200)};
  release(chip(12));
  EXPECT_EQ(state.chipColors[12], rgb(1, 2, 3));
  EXPECT_EQ(chipText(12), kWhite);
  EXPECT_EQ(windows.calls, (Calls{"hidePreview", "showPreview"}));
  release(chip(12));  // cancelled
  EXPECT_EQ(state.chipColors[12], rgb(1, 2, 3));
  release(find<QLabel>("Label22"));
  EXPECT_EQ(form->controls().backColor, rgb(200, 200, 200));
  EXPECT_EQ(fromQColor(find<QLabel>("Label22")->palette().color(QPalette::WindowText)), kBlack);
}

TEST_F(PaletteTest, RightClicksSwapTwoChipsWithTheBorderMark) {
  const Palette spectrum = presetPalette(0);
  release(chip(3), Qt::RightButton);
  EXPECT_FALSE(bordered(3));
  release(chip(7), Qt::RightButton);
  EXPECT_EQ(state.chipColors[3], spectrum[7]);
  EXPECT_EQ(state.chipColors[7], spectrum[3]);
  EXPECT_TRUE(bordered(3) && bordered(7));
  release(chip(3), Qt::RightButton);
  release(chip(3), Qt::RightButton);  // the same chip twice
  EXPECT_EQ(state.chipColors[3], spectrum[7]);
  EXPECT_TRUE(bordered(3));
}

// A bar carries the weights of longer numbers with it; "revert" puts back
// 100 on the 15 bars; the rule options set the variant; closing only hides.
TEST(BlendModeDialog, BarsCarryTheLongerNumbersRevertRestoresAndTheCloseBoxHides) {
  PatternState state;
  FakeWindows windows{state};
  BlendModeDialog dialog(state, windows);
  state.blendWeights.fill(100);
  const auto bar = [&](int i) { return dialog.findChild<QScrollBar*>(QString("CV%1").arg(i)); };
  const auto percent = [&](int i) { return dialog.findChild<QLabel*>(QString("dpct%1").arg(i))->text(); };
  bar(0)->setValue(40);
  bar(5)->setValue(70);
  bar(14)->setValue(3);
  for (int i = 0; i < 15; ++i) {
    const int want = i < 5 ? 40 : i < 14 ? 70 : 3;
    EXPECT_EQ(std::pair(int(state.blendWeights[i]), bar(i)->value()), std::pair(want, want)) << i;
    EXPECT_EQ(percent(i), QString::number(want)) << i;
  }
  state.blendWeights[15] = 55;
  click(&dialog, "Command2");
  for (int i = 0; i < 15; ++i) EXPECT_EQ(percent(i), "100") << i;
  EXPECT_EQ(state.blendWeights[14], 100);
  EXPECT_EQ(state.blendWeights[15], 55);
  click(&dialog, "Option3");
  EXPECT_EQ(state.blendVariant, 2);
  click(&dialog, "Option2");
  EXPECT_EQ(state.blendVariant, 1);
  windows.calls.clear();
  state.previewOpen = true;
  dialog.show();
  bar(2)->setValue(10);
  EXPECT_FALSE(dialog.close());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(windows.calls, (Calls{"showPreview"}));
  dialog.show();
  EXPECT_EQ(bar(2)->value(), 10);
}

}  // namespace
}  // namespace quill
