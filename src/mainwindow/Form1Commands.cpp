// The main window's remaining commands: the buttons that open other windows,
// the start-value recall, the resize rule and the close sequence.
#include <QCloseEvent>
#include <QTimer>

#include "mainwindow/Form1.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

void Form1::cmdRecurse_Click() { windows_.showDivisionDialog(); }

void Form1::cmdAnimate_Click() {
  windows_.showPreview();
  services().processEvents();
  windows_.showAnimator();
}

// "R": the start value of the last preview, in the box's current base.
void Form1::Command4_Click() { showStartValue(state_.lastStartValue); }

bool Form1::Form_QueryUnload() {
  if (!unsavedEdits_) return true;
  const char* question =
      statePath_.empty() ? "Do you want to save your edits?" : "Do you want to save changes?";
  switch (services().message(question, MessageButtons::YesNoCancel, true)) {
    case MessageAnswer::Cancel:
      return false;
    case MessageAnswer::Yes:
      Command5_Click();  // a failed or cancelled save does not stop the close
      return true;
    default:
      return true;
  }
}

// Only a close the user asks for (the close box, the system menu) asks about
// unsaved work; the program closing itself goes ahead.
void Form1::closeEvent(QCloseEvent* event) {
  if (event->spontaneous() && !Form_QueryUnload()) {
    event->ignore();
    return;
  }
  windows_.closeOtherWindows();
  event->accept();
}

// The window may be minimised but never stays maximised.
void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMaximized()) {
    QTimer::singleShot(0, this, [this] { showNormal(); });
  }
}

}  // namespace quill
