// The key-frame history as the main window shows it: capture at each
// preview, the navigation commands, delete, clear, modify and new animation.

#include "editor/AniNameDialog.h"
#include "mainwindow/HistoryBar.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

namespace {
constexpr char kHistoryFull[] =
    "the key-frame history is full (32767 frames): save it and clear it to keep more frames";
constexpr char kMidAnimation[] = "can't start a new keyframe sequence in the middle of an existing one";
constexpr char kClearQuestion[] = "Are you sure you want to delete your history?";
}  // namespace

// Run by the preview command after captureFrame: the frame goes in after the
// current one, under the name in the naming dialog.
void MainWindow::captureKeyFrame() {
  const QString name = windows_.namingDialog().name();
  // Frames hold single-byte text, as state files store it.
  if (!history_.capture(state_.curFrame, name.toLatin1().toStdString())) {
    services().message(kHistoryFull);
    return;
  }
  // curFrame keeps the bookkeeping it had: "modify frame" stores it as it is.
  historyBar_->showCaptured(history_, name);
  windows_.updateGeos();
  unsavedEdits_ = true;
  windows_.historyChanged();
}

// The common tail of every navigation: labels, then the preview follows the
// frame's own previewOpen while the toggle says the preview is shown.
void MainWindow::finishNavigation(bool letEventsRun) {
  historyBar_->showPosition(history_);
  windows_.updateGeos();
  if (letEventsRun) services().processEvents();
  if (!previewMarkedShown()) return;
  if (state_.previewOpen) {
    windows_.showPreview();
  } else {
    windows_.hidePreview();
  }
}

void MainWindow::showCurrentFrame() {
  state_.curFrame = history_.current();
  applyFrame();
  finishNavigation(false);
}

void MainWindow::jumpBack() {
  if (windows_.previewBusy()) return services().beep();
  if (!history_.jumpBack()) services().beep();
  showCurrentFrame();
}

void MainWindow::jumpForward() {
  if (windows_.previewBusy()) return services().beep();
  if (!history_.jumpForward()) services().beep();
  showCurrentFrame();
}

void MainWindow::stepBack() {
  if (windows_.previewBusy() || !history_.stepBack()) return services().beep();
  state_.curFrame = history_.current();
  applyFrame();
  finishNavigation(true);
}

void MainWindow::stepForward() {
  if (windows_.previewBusy() || !history_.stepForward()) return services().beep();
  state_.curFrame = history_.current();
  applyFrame();
  finishNavigation(true);
}

void MainWindow::deleteFrame() {
  if (windows_.previewBusy() || !history_.deleteCurrent()) return services().beep();
  state_.curFrame = history_.current();
  applyFrame();
  unsavedEdits_ = true;
  windows_.historyChanged();
  finishNavigation(true);
}

void MainWindow::clearHistory() {
  if (windows_.previewBusy()) return services().beep();
  if (services().message(kClearQuestion, MessageButtons::YesNo, true) != MessageAnswer::Yes) return;
  history_.clear();
  services().processEvents();
  state_.curFrame = history_.current();
  applyFrame();
  statePath_.clear();
  unsavedEdits_ = false;
  windows_.historyChanged();
  finishNavigation(false);
}

// Stores the live settings in the current frame's place, bookkeeping as
// curFrame holds it.
void MainWindow::modifyFrame() {
  if (windows_.previewBusy()) return services().beep();
  captureFrame(state_, controls());
  history_.modifyCurrent(state_.curFrame);
  windows_.historyChanged();
  windows_.showPreview();
}

void MainWindow::showAnimationName(const QString& name) { historyBar_->showAnimationName(name); }

void MainWindow::newAnimation() {
  if (!history_.newAnimation()) {
    services().message(kMidAnimation);
    return;
  }
  windows_.showNamingDialog();
  historyBar_->showNewAnimation(history_);
}

}  // namespace quill
