// The buttons that open other windows, the start-value recall, dropping a
// state file and the resize rule.
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "Form1Fixture.h"

namespace quill {
namespace {

TEST_F(Form1Test, ButtonsOpenTheirWindows) {
  click("cmdRecurse");
  click("cmdAnimate");
  EXPECT_EQ(windows.calls, (Calls{"showDivisionDialog", "showPreview", "showAnimator"}));
}

TEST_F(Form1Test, RecallPutsTheLastPreviewStartBackInTheBoxBase) {
  find<QAbstractButton>("locked")->setChecked(false);
  retype("startval", "20");
  click("Command2");  // renders from 20 and moves the box on
  EXPECT_NE(text("startval"), "20");
  setBase(16);
  click("Command4");
  EXPECT_EQ(text("startval"), "14");
  EXPECT_TRUE(find<QAbstractButton>("Command4")->font().bold());
}

TEST_F(Form1Test, ADroppedStateFileLoads) {
  QTemporaryDir dir;
  const QString file = dir.filePath("dropped.kvt");
  click("Command2");
  windows.scripted.fileNames = {file.toStdString()};
  ASSERT_TRUE(form->Command5_Click());
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

TEST_F(Form1Test, AMaximisedWindowReturnsToNormal) {
  form->showMaximized();
  QTRY_VERIFY(!form->isMaximized());
}

}  // namespace
}  // namespace quill
