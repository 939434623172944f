// The main window's remaining commands: the buttons that open other windows,
// the start-value recall, the resize rule and the close sequence.
#include <QCloseEvent>
#include <QTimer>

#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

void MainWindow::showDivision() { windows_.showDivisionDialog(); }

void MainWindow::showAnimation() {
  windows_.showPreview();
  services().processEvents();
  windows_.showAnimator();
}

// "R": the start value of the last preview, in the box's current base.
void MainWindow::restoreStartValue() { showStartValue(state_.lastStartValue); }

bool MainWindow::confirmClose() {
  if (!unsavedEdits_) return true;
  const char* question =
      statePath_.empty() ? "Do you want to save your edits?" : "Do you want to save changes?";
  switch (services().message(question, MessageButtons::YesNoCancel, true)) {
    case MessageAnswer::Cancel:
      return false;
    case MessageAnswer::Yes:
      saveState();  // a failed or cancelled save does not stop the close
      return true;
    default:
      return true;
  }
}

// Only a close the user asks for (the close box, the system menu) asks about
// unsaved work; the program closing itself goes ahead.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (event->spontaneous() && !confirmClose()) {
    event->ignore();
    return;
  }
  windows_.closeOtherWindows();
  event->accept();
}

// The window may be minimised but never stays maximised.
void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMaximized()) {
    QTimer::singleShot(0, this, [this] { showNormal(); });
  }
}

}  // namespace quill
