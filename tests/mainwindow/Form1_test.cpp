// The main window's start-up, geometry switch, polygon controls, preview
// buttons and keys.
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "mainwindow/Form1Fixture.h"

namespace quill {
namespace {

TEST_F(Form1Test, StartsWithTheDefaultControlsAndFrame) {
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_EQ(form->windowTitle(), "Quillaven");
  EXPECT_EQ(form->width(), 901);
  EXPECT_EQ(text("Label8"), "triangles");
  EXPECT_EQ(text("Label1"), "#  polygon vertices ");
  EXPECT_EQ(text("Label2"), "6");
  EXPECT_EQ(text("Label4"), "# concentric layers");
  EXPECT_EQ(text("Label5"), "4");
  EXPECT_EQ(text("Label7"), "96");
  EXPECT_EQ(text("txtDims0"), "12");
  EXPECT_EQ(text("txtDims1"), "10");
  EXPECT_EQ(text("lblRects"), "120");
  EXPECT_EQ(text("Label9"), "10");
  EXPECT_EQ(text("startval"), "0");
  EXPECT_EQ(text("Label22"), "background");
  EXPECT_TRUE(find<QRadioButton>("Option2")->isChecked());
  EXPECT_TRUE(find<QRadioButton>("optLinear")->isChecked());
  EXPECT_FALSE(find<QRadioButton>("optLock")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("locked")->isChecked());
  EXPECT_FALSE(find<QCheckBox>("decimal")->isChecked());
  EXPECT_EQ(find<QPushButton>("cmdHide")->text(), "hide preview");
  EXPECT_EQ(find<QPushButton>("Command2")->text(), "preview");
  EXPECT_FLOAT_EQ(form->aspectRatio(), 0.8f);
  EXPECT_EQ(form->lastGoodStart(), "0");

  const KeyFrame& f = state.curFrame;
  EXPECT_EQ(f.lockedBox, 1);
  EXPECT_EQ(f.decimalBox, 0);
  EXPECT_EQ(f.drawLines, 1);
  EXPECT_EQ(f.drawFills, 1);
  EXPECT_EQ(f.backColor, rgb(64, 64, 64));
  EXPECT_EQ(f.startValue, 0);
  EXPECT_EQ(f.numberBase, 10);
  EXPECT_EQ(f.vertexCount, 6);
  EXPECT_EQ(f.layerCount, 4);
  EXPECT_EQ(f.rowCount, 10);
  EXPECT_EQ(f.columnCount, 12);
  EXPECT_EQ(f.triangleMode, kTrue16);
  EXPECT_EQ(f.spiralOrder, kFalse16);
  EXPECT_NEAR(f.vertexPoints[1].x, 0.0, 1e-6);
  EXPECT_EQ(f.vertexPoints[1].y, 240.0);
}

TEST_F(Form1Test, ControlsFeedTheCapture) {
  find<QCheckBox>("Check1")->setChecked(false);
  find<QCheckBox>("locked")->setChecked(false);
  retype("startval", "7");
  const FrameControls c = form->controls();
  EXPECT_EQ(c.drawLines, 0);
  EXPECT_EQ(c.drawFills, 1);
  EXPECT_EQ(c.lockedBox, 0);
  EXPECT_EQ(c.startText, "7");
  EXPECT_EQ(c.backColor, rgb(64, 64, 64));
}

TEST_F(Form1Test, GeometrySwitchSetsWidthControlsAndPreview) {
  click("PicRect");
  EXPECT_FALSE(state.triangleMode);
  EXPECT_EQ(form->width(), 184);
  EXPECT_EQ(text("Label8"), "rectangles");
  for (const char* shown : {"txtDims0", "txtDims1", "lblRows", "lblCols", "lblRects", "optLock", "Frame2", "picHex"}) {
    EXPECT_FALSE(find(shown)->isHidden()) << shown;
  }
  for (const char* hidden : {"HScroll1", "HScroll2", "Label1", "Label2", "Label4", "Label5", "Label7", "PicRect"}) {
    EXPECT_TRUE(find(hidden)->isHidden()) << hidden;
  }
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"hidePreview", "reactivateAnimator"}));

  windows.calls.clear();
  state.previewOpen = true;
  click("picHex");
  EXPECT_TRUE(state.triangleMode);
  EXPECT_EQ(form->width(), 901);
  EXPECT_TRUE(find("txtDims0")->isHidden());
  EXPECT_FALSE(find("HScroll1")->isHidden());
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"showPreview", "reactivateAnimator"}));

  // Code that writes the controls switches quietly, apart from hiding the preview.
  windows.calls.clear();
  state.updatingControls = true;
  form->PicRect_Click();
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"hidePreview"}));
}

TEST_F(Form1Test, PolygonScrollBarsRebuildTheGeometryAndCount) {
  find<QScrollBar>("HScroll1")->setValue(3);
  EXPECT_EQ(text("Label2"), "3");
  EXPECT_EQ(state.vertexCount, 3);
  EXPECT_EQ(text("Label7"), "48");  // 3 vertices * 4 layers squared
  EXPECT_NEAR(state.vertexPoints[2].x, -207.8461, 1e-4);
  EXPECT_NEAR(state.layerPoints[2][1].y, 120.0, 1e-9);

  find<QScrollBar>("HScroll2")->setValue(2);
  EXPECT_EQ(text("Label5"), "2");
  EXPECT_EQ(state.layerCount, 2);
  EXPECT_EQ(text("Label7"), "12");
  EXPECT_NEAR(state.layerPoints[1][1].y, 120.0, 1e-9);
}

TEST_F(Form1Test, OrderAndColourModeButtons) {
  click("optSpiral");
  EXPECT_TRUE(state.spiralOrder);
  EXPECT_FALSE(find<QRadioButton>("optLinear")->isChecked());
  click("optLinear");
  EXPECT_FALSE(state.spiralOrder);
  click("Option1");
  EXPECT_FALSE(state.blendOn);
  click("Option2");
  EXPECT_TRUE(state.blendOn);
}

TEST_F(Form1Test, PreviewToggleFlipsCaptionThenShowsOrHides) {
  click("cmdHide");
  EXPECT_EQ(find<QPushButton>("cmdHide")->text(), "show preview");
  EXPECT_FALSE(form->previewMarkedShown());
  click("cmdHide");
  EXPECT_EQ(find<QPushButton>("cmdHide")->text(), "hide preview");
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"hidePreview", "showPreview"}));
}

TEST_F(Form1Test, PreviewCapturesTheSettingsAndShowsThePreview) {
  state.bmpExportPending = true;
  find<QCheckBox>("Check1")->setChecked(false);
  box("startval")->setText("7");
  click("Command2");
  EXPECT_EQ(windows.calls, std::vector<std::string>{"showPreview"});
  EXPECT_TRUE(state.previewOpen);
  EXPECT_EQ(state.curFrame.previewOpen, kTrue16);
  EXPECT_EQ(state.curFrame.drawLines, 0);
  EXPECT_EQ(state.curFrame.startValue, 7);
  EXPECT_EQ(state.lastStartValue, 7);
  EXPECT_FALSE(state.bmpExportPending);
}

TEST_F(Form1Test, PreviewWithTheWindowMarkedHiddenBeepsAndStillContinuesTheCount) {
  click("cmdHide");
  windows.calls.clear();
  find<QCheckBox>("locked")->setChecked(false);
  state.digitCounter = 96;  // where the last render stopped
  click("Command2");
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(windows.scripted.beeps, 1);
  EXPECT_EQ(text("startval"), "96");
  EXPECT_EQ(state.curFrame.startValue, 96);
}

TEST_F(Form1Test, PreviewContinuesInTheBoxBaseAndSaturatesPastTheInt32Range) {
  find<QCheckBox>("locked")->setChecked(false);
  find<QScrollBar>("HScroll3")->setValue(16);
  windows.calls.clear();
  state.digitCounter = 255;
  click("Command2");
  EXPECT_EQ(text("startval"), "FF");
  state.digitCounter = int64_t{1} << 32;
  click("Command2");
  EXPECT_EQ(text("startval"), "7FFFFFFF");
  EXPECT_EQ(state.curFrame.startValue, 2147483647);
}

TEST_F(Form1Test, PreviewIsRefusedWhileARenderIsRunning) {
  windows.busy = true;
  box("startval")->setText("5");
  click("Command2");
  EXPECT_EQ(windows.scripted.beeps, 1);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(state.curFrame.startValue, 0);
}

TEST_F(Form1Test, EscapeRequestsStopFromAnyControl) {
  QTest::keyClick(box("startval"), Qt::Key_Escape);
  EXPECT_TRUE(state.stopRequested);
  EXPECT_EQ(text("startval"), "0");
}

}  // namespace
}  // namespace quill
