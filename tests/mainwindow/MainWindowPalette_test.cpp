// The palette chips, the background label and the blending options dialog.

#include "MainWindowFixture.h"
#include "engine/Palettes.h"
#include "gfx/QtColor.h"

namespace quill {
namespace {

Color textColour(const QLabel* label) { return fromQColor(label->palette().color(QPalette::WindowText)); }

// The presets cycle from the start-up spectrum through bright and dark; the
// random palette takes the scripted numbers; a chip's digit is black on a
// bright colour and white on a dark one (85 is not dark).
TEST_F(MainWindowTest, PresetsAndRandomFillTheChipsWithTextColoursByBrightness) {
  QLabel* chips[16];
  for (int k = 0; k < 16; ++k) chips[k] = find<QLabel>(("chip" + std::to_string(k)).c_str());
  for (auto [k, colour] : {std::pair{13, kBlack}, {15, kWhite}}) EXPECT_EQ(textColour(chips[k]), colour) << k;
  for (int palette : {1, 2, 0}) {
    click("Command3");
    EXPECT_EQ(state.chipColors, presetPalette(palette));
    EXPECT_EQ(fromQColor(chips[9]->palette().color(QPalette::Window)), presetPalette(palette)[9]);
  }
  windows.scripted.randoms = {0.0, 0.999999999, 0.25};  // then 0.5 for the rest
  click("Command1");
  EXPECT_EQ(std::vector<Color>(state.chipColors.begin(), state.chipColors.begin() + 6),
            (std::vector<Color>{0, 16777215, 4194304, 8388608, 8388608, 8388608}));
  EXPECT_EQ(textColour(chips[0]), kWhite);
  EXPECT_EQ(chips[11]->text(), "B");  // the captions stay the digits
}

// A left click picks a chip's or the background's colour (cancel keeps it)
// and redraws an open preview; right clicks on two chips swap them, the first
// losing its border until the second.
TEST_F(MainWindowTest, ClicksPickAndSwapColours) {
  QLabel* chip3 = find<QLabel>("chip3");
  QLabel* chip7 = find<QLabel>("chip7");
  state.previewOpen = true;
  windows.scripted.colors = {rgb(1, 2, 3), std::nullopt, rgb(200, 200, 200)};
  QTest::mouseClick(chip3, Qt::LeftButton);
  EXPECT_EQ(windows.calls, (Calls{"hidePreview", "showPreview"}));
  QTest::mouseClick(chip3, Qt::LeftButton);
  EXPECT_EQ(state.chipColors[3], rgb(1, 2, 3));
  EXPECT_EQ(textColour(chip3), kWhite);
  QTest::mouseClick(find<QLabel>("Label22"), Qt::LeftButton);
  EXPECT_EQ(form->controls().backColor, rgb(200, 200, 200));
  EXPECT_EQ(textColour(find<QLabel>("Label22")), kBlack);

  const Color seven = state.chipColors[7];
  QTest::mouseClick(chip3, Qt::RightButton);
  EXPECT_NE(chip3->frameShape(), QFrame::Box);
  QTest::mouseClick(chip7, Qt::RightButton);
  EXPECT_EQ(std::pair(state.chipColors[3], state.chipColors[7]), std::pair(seven, rgb(1, 2, 3)));
  EXPECT_TRUE(chip3->frameShape() == QFrame::Box && chip7->frameShape() == QFrame::Box);
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
  bar(5)->setValue(70);
  bar(14)->setValue(3);
  for (int i = 0; i < 15; ++i) {
    const int want = i < 5 ? 100 : i < 14 ? 70 : 3;
    EXPECT_EQ(std::tuple(state.blendWeights[i], bar(i)->value(), percent(i)), std::tuple(want, want, QString::number(want))) << i;
  }
  state.blendWeights[15] = 55;
  click(&dialog, "Command2");
  for (int i = 0; i < 15; ++i) EXPECT_EQ(percent(i), "100") << i;
  EXPECT_EQ(std::pair(state.blendWeights[14], state.blendWeights[15]), std::pair(int16_t{100}, int16_t{55}));
  click(&dialog, "Option3");
  EXPECT_EQ(state.blendVariant, 2);
  windows.calls.clear();
  state.previewOpen = true;
  dialog.show();
  bar(2)->setValue(10);
  EXPECT_FALSE(dialog.close());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(windows.calls, (Calls{"showPreview"}));
}

}  // namespace
}  // namespace quill
