// The main window's geometry switch, preview button and keys, and dropping a
// state file.
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <tuple>

#include "mainwindow/MainWindowFixture.h"

namespace quill {
namespace {

// A geometry switch hides an open preview for triangles and draws it for
// polygons, and re-activates the animation window; Esc from any control asks
// a running render to stop.
TEST_F(MainWindowTest, GeometrySwitchRedrawsThePreviewAndEscapeRequestsStop) {
  click("PicRect");
  EXPECT_FALSE(state.triangleMode);
  EXPECT_TRUE(find("picHex")->isVisible() && !find("PicRect")->isVisible());
  EXPECT_EQ(windows.calls, (Calls{"hidePreview", "reactivateAnimator"}));
  windows.calls.clear();
  state.previewOpen = true;
  click("picHex");
  EXPECT_TRUE(state.triangleMode);
  EXPECT_EQ(windows.calls, (Calls{"showPreview", "reactivateAnimator"}));
  for (const char* name : {"startval", "HScroll1", "locked", "Command2"}) {
    state.stopRequested = false;
    QTest::keyClick(find(name), Qt::Key_Escape);
    EXPECT_TRUE(state.stopRequested) << name;
  }
  EXPECT_EQ(text("startval"), "0");
}

TEST_F(MainWindowTest, PreviewIsRefusedWhileARenderIsRunningThenCapturesTheSettingsAndShowsThePreview) {
  windows.busy = true;
  setChecked("Check1", false);
  box("startval")->setText("7");
  click("Command2");
  EXPECT_EQ(beeps(), 1);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(state.curFrame.startValue, 0);

  windows.busy = false;
  click("Command2");
  EXPECT_EQ(windows.calls, Calls{"showPreview"});
  // open, live and in the frame; lines off; the start value in the frame and as the last one
  EXPECT_EQ(std::tuple(state.previewOpen, state.curFrame.previewOpen, state.curFrame.drawLines,
                       state.curFrame.startValue, state.lastStartValue),
            std::tuple(true, kTrue16, 0, 7, 7));
}

// A preview with the window marked hidden beeps, and the count continues in
// the box's base, saturating at i32.
TEST_F(MainWindowTest, PreviewWithTheWindowMarkedHiddenBeepsAndStillContinuesTheCountInTheBoxBase) {
  click("cmdHide");
  EXPECT_EQ(text("cmdHide"), "show preview");
  windows.calls.clear();
  setChecked("locked", false);
  setBase(16);
  state.digitCounter = int64_t{1} << 32;  // where the last render stopped
  click("Command2");
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(beeps(), 1);
  EXPECT_EQ(text("startval"), "7FFFFFFF");
  EXPECT_EQ(state.curFrame.startValue, 2147483647);
}

TEST_F(MainWindowTest, ADroppedStateFileLoads) {
  QTemporaryDir dir;
  const QString file = dir.filePath("dropped.kvt");
  click("Command2");
  windows.scripted.fileNames = {file.toStdString()};
  ASSERT_TRUE(form->saveState());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &drop);
  EXPECT_EQ(form->history().listed().size(), 3u);
  EXPECT_EQ(form->statePath(), file.toStdString());
}

}  // namespace
}  // namespace quill
