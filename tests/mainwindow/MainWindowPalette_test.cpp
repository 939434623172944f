// The palette chips, the background label and the blending options dialog.
#include <QScrollBar>

#include "MainWindowFixture.h"
#include "engine/Palettes.h"
#include "mainwindow/BlendModeDialog.h"
#include "gfx/QtColor.h"

namespace quill {
namespace {

class PaletteTest : public MainWindowTest {
 protected:
  QLabel* chip(int k) const { return find<QLabel>(("chip" + std::to_string(k)).c_str()); }
  Color chipBack(int k) const { return fromQColor(chip(k)->palette().color(QPalette::Window)); }
  Color chipText(int k) const { return fromQColor(chip(k)->palette().color(QPalette::WindowText)); }
  bool bordered(int k) const { return chip(k)->frameShape() == QFrame::Box; }
  void release(QWidget* w, Qt::MouseButton button) { QTest::mouseClick(w, button); }
};

// The caption names the next preset: spectrum at start-up, then bright, then dark.
TEST_F(PaletteTest, PresetButtonCyclesFromStartupAndTextColoursFollowBrightnessWithEightyFiveNotDark) {
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
}

TEST_F(PaletteTest, RandomUsesTheSeededGeneratorAndKeepsCaptions) {
  windows.scripted.randoms = {0.0, 0.999999999, 0.25};  // then 0.5 for the rest
  click("Command1");
  EXPECT_EQ(std::vector<Color>(state.chipColors.begin(), state.chipColors.begin() + 3),
            (std::vector<Color>{0, 16777215, 4194304}));
  EXPECT_EQ(chipBack(5), 8388608);
  EXPECT_EQ(chipText(0), kWhite);
  EXPECT_EQ(chip(11)->text(), "B");  // the captions stay the digits
}

TEST_F(PaletteTest, LeftClickPicksAColourAndCancelKeepsIt) {
  state.previewOpen = true;
  windows.scripted.colors = {rgb(1, 2, 3), std::nullopt};
  release(chip(12), Qt::LeftButton);
  EXPECT_EQ(state.chipColors[12], rgb(1, 2, 3));
  EXPECT_EQ(chipText(12), kWhite);
  EXPECT_EQ(chip(12)->text(), "C");
  EXPECT_EQ(windows.calls, (Calls{"hidePreview", "showPreview"}));
  release(chip(12), Qt::LeftButton);  // cancelled
  EXPECT_EQ(state.chipColors[12], rgb(1, 2, 3));
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

TEST_F(PaletteTest, BackgroundLabelPicksTheColourCaptureReads) {
  windows.scripted.colors = {rgb(200, 200, 200)};
  release(find<QLabel>("Label22"), Qt::LeftButton);
  EXPECT_EQ(form->controls().backColor, rgb(200, 200, 200));
  EXPECT_EQ(fromQColor(find<QLabel>("Label22")->palette().color(QPalette::WindowText)), kBlack);
  click("Command6");
  EXPECT_EQ(windows.calls.back(), "showBlendOptions");
}

class BlendModeTest : public ::testing::Test {
 protected:
  BlendModeTest() : dialog(state, windows) { state.blendWeights.fill(100); }
  QScrollBar* bar(int i) { return dialog.findChild<QScrollBar*>(QString("CV%1").arg(i)); }
  QString percent(int i) { return dialog.findChild<QLabel*>(QString("dpct%1").arg(i))->text(); }
  void click(const char* name) { QTest::mouseClick(dialog.findChild<QAbstractButton*>(name), Qt::LeftButton); }

  PatternState state;
  FakeWindows windows{state};
  BlendModeDialog dialog;
};

TEST_F(BlendModeTest, ABarCarriesTheLongerNumbersAndRevertRestores) {
  bar(0)->setValue(40);
  bar(5)->setValue(70);
  for (int i = 0; i < 15; ++i) {
    const int want = i < 5 ? 40 : 70;
    EXPECT_EQ(state.blendWeights[i], want) << i;
    EXPECT_EQ(bar(i)->value(), want) << i;
    EXPECT_EQ(percent(i), QString::number(want)) << i;
  }
  bar(14)->setValue(3);
  EXPECT_EQ(state.blendWeights[13], 70);
  EXPECT_EQ(state.blendWeights[14], 3);
  state.blendWeights[15] = 55;
  click("Command2");
  for (int i = 0; i < 15; ++i) EXPECT_EQ(percent(i), "100") << i;
  EXPECT_EQ(state.blendWeights[14], 100);
  EXPECT_EQ(state.blendWeights[15], 55);
}

TEST_F(BlendModeTest, RuleOptionsAndTheCloseBoxOnlyHides) {
  click("Option3");
  EXPECT_EQ(state.blendVariant, 2);
  click("Option2");
  EXPECT_EQ(state.blendVariant, 1);

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
