// The app as the animation window's host: the main window's settings and
// key frames, and the preview's drawing.
#include "animation/AnimateWindow.h"
#include "app/QuillavenApp.h"
#include "engine/FrameCapture.h"
#include "mainwindow/MainWindow.h"
#include "preview/PreviewWindow.h"

namespace quill {

AnimateWindow& QuillavenApp::animator() {
  if (!animator_) {
    animator_ = std::make_unique<AnimateWindow>(*state_, *this);
    animator_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return *animator_;
}

void QuillavenApp::showAnimator() {
  AnimateWindow& window = animator();
  window.show();
  window.raise();
  window.activateWindow();
  window.activate();
}

void QuillavenApp::reactivateAnimator() {
  if (animator_ && state_->animatorOpen) animator_->activate();
}

void QuillavenApp::updateGeos() {
  if (animator_) animator_->updateGeos();
}

void QuillavenApp::captureMainSettings() { captureFrame(*state_, mainWindow().controls()); }
void QuillavenApp::applyMainSettings() { mainWindow().applyFrame(); }

void QuillavenApp::restoreMainWindow() {
  if (mainWindow().isMinimized()) mainWindow().showNormal();
}

void QuillavenApp::mainKeyDown(int keyCode, int shift) { mainWindow().keyDown(keyCode, shift); }
void QuillavenApp::jumpBack() { mainWindow().jumpBack(); }
void QuillavenApp::jumpForward() { mainWindow().jumpForward(); }
KeyFrame QuillavenApp::currentKeyFrame() { return mainWindow().history().current(); }

std::vector<KeyFrame> QuillavenApp::keyFramesUpToCurrent(int k) {
  return mainWindow().history().framesUpToCurrent(k);
}

void QuillavenApp::unminimisePreview() {
  if (preview_ && preview_->isMinimized()) preview_->showNormal();
}

void QuillavenApp::fitPreview() { preview().fitToWindow(); }

bool QuillavenApp::drawAnimationFrame(const SequenceFrame* frame) { return preview().drawAnimationFrame(frame); }

void QuillavenApp::showAnimationPicture(const QImage& picture) { preview().showAnimationPicture(picture); }

std::unique_ptr<MovieEncoder> QuillavenApp::movieEncoder(MovieType type) {
  return movieEncoders_ ? movieEncoders_(type) : nullptr;
}

}  // namespace quill
