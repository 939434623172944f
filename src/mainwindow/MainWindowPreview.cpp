// The "preview" command: record the settings, draw them, and let the next
// preview continue the count where this one stopped.
#include <cstdint>

#include "engine/FrameCapture.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowDirectory.h"
#include "platform/DesktopServices.h"

namespace quill {

namespace {
// A render can count past the largest start value a frame holds; the next
// preview then starts from that largest value.
int32_t nextStartValue(int64_t digitCounter) {
  if (digitCounter > INT32_MAX) return INT32_MAX;
  if (digitCounter < 0) return 0;
  return static_cast<int32_t>(digitCounter);
}
}  // namespace

void MainWindow::previewAndCapture() {
  // A long render lets events run so Esc can stop it; a second preview must
  // not change the frame under it.
  if (windows_.previewBusy()) {
    services().beep();
    return;
  }
  state_.previewOpen = true;
  captureFrame(state_, controls());
  captureKeyFrame();
  state_.lastStartValue = state_.curFrame.startValue;

  std::optional<int64_t> counted;
  if (previewMarkedShown()) {
    counted = windows_.showPreviewCounting();
  } else {
    services().beep();
  }

  if (state_.curFrame.lockedBox == 0) {
    // Without a picture drawn now the count goes on from the last one.
    const int32_t next = nextStartValue(counted.value_or(state_.digitCounter));
    state_.curFrame.startValue = next;
    showStartValue(next);
  }
  if (state_.animatorOpen) windows_.reactivateAnimator();
}

void MainWindow::openSaveImage() { windows_.showSaveOptions(); }

}  // namespace quill
