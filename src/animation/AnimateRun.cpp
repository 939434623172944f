// Stepping, running, resetting and closing the animation, and saving a run
// as numbered picture files.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <cmath>

#include "animation/AnimateWindow.h"
#include "animation/AnimatorHost.h"
#include "animation/SeqStatus.h"
#include "engine/Rounding.h"
#include "ui/DesktopServices.h"

namespace quill {

namespace {

// 1 -> "001", 42 -> "042", 1000 -> "1000".
QString frameNumberText(int i) { return QString::number(i).rightJustified(3, '0'); }

}  // namespace

// One odometer step, then the frame drawn, or drawn and written when saving.
bool AnimateWindow::stepFrame() {
  host_.unminimisePreview();
  model_.advanceLevel(model_.levelCount(), [this](int f, int16_t steps, int16_t current) {
    applyFeature(f, steps, current);
  });
  lblloopString->setText(QString::fromStdString(model_.loopString()));
  return host_.drawAnimationFrame();
}

void AnimateWindow::cmdStep_Click() {
  if (!stepFrame()) {
    host_.services().message("can't write " + state_.lastFileName);
  }
}

int AnimateWindow::delayMs() const {
  const double v = animationNumber(txtDelay->text()).value_or(0);
  return static_cast<int>(std::clamp(roundHalfEven(v), 0.0, 3600000.0));  // a negative delay is no wait
}

// The geometry feature indexes its in-between frames with 16 bits.
bool AnimateWindow::geometryFits() {
  if (!model_.isChecked(7)) return true;
  const int k = lblframeWhat->text().toInt();
  if (k < 2 || geoLastFor(animationNumber(txtKeyFrameDivs->text()).value_or(100), k) <= INT16_MAX) return true;
  host_.services().message("too many in-between frames: \"frames / keyframe\" times the key frames before this "
                           "one must stay below 16384");
  return false;
}

void AnimateWindow::cmdRun_Click() {
  if (running_ || !geometryFits()) return;
  running_ = true;
  DesktopServices& services = host_.services();
  if (state_.sequenceFramePending) {
    host_.hidePreview();
    seqStatus_->show();
    const QString total = txtnFrames->text();
    const int frames = static_cast<int>(animationNumber(total).value_or(0));
    for (int i = 1; i <= frames; ++i) {
      seqStatus_->showProgress(i, total);
      if (state_.stopRequested) break;
      state_.lastFileName = state_.sequenceBaseName + frameNumberText(i).toStdString() + state_.sequenceExtension;
      if (!stepFrame()) {
        services.message("can't write " + state_.lastFileName + ": the run stops here; the files before it stay");
        break;
      }
      services.sleepMs(delayMs());
      services.processEvents();
    }
  } else {
    const double total = std::clamp(roundHalfEven(model_.totalFrames() + 1), 0.0, double{INT32_MAX});
    for (int64_t i = 1; i <= static_cast<int64_t>(total); ++i) {
      if (state_.stopRequested) break;
      stepFrame();
      services.sleepMs(delayMs());
      services.processEvents();
    }
  }
  finishRun();
}

void AnimateWindow::finishRun() {
  state_.sequenceFramePending = false;
  chkSaveImages->setChecked(false);
  chkSaveImages_Click();
  seqStatus_->hide();
  host_.showPreview();
  state_.stopRequested = false;
  running_ = false;
  cmdReset_Click();
  host_.services().processEvents();
  show();
}

void AnimateWindow::cmdReset_Click() {
  model_.resetCounters();
  state_.layerValue = state_.layerCount;
  state_.tailPhase = 0;
  model_.advanceLevel(model_.levelCount(), [this](int f, int16_t steps, int16_t current) {
    applyFeature(f, steps, current);
  });
  buildFractionalLayers(state_, state_.layerValue, featureControls().inward);
  host_.fitPreview();
}

// Puts back the pattern as it was when the window was activated.
void AnimateWindow::cmdClose_Click() {
  state_.curFrame = state_.savedFrame;
  host_.restoreMainWindow();
  host_.applyMainSettings();
  state_.animatorOpen = false;
  host_.showPreview();
  hide();
}

void AnimateWindow::showSavingControls(bool shown) {
  for (QWidget* w : std::initializer_list<QWidget*>{hscRes, lblResCaption, lblRes, txtnFrames, lblnFrames})
    w->setVisible(shown);
}

void AnimateWindow::chkSaveImages_Click() {
  if (!chkSaveImages->isChecked()) {
    // Unticking disarms: no further frame is written.
    state_.sequenceFramePending = false;
    showSavingControls(false);
    buildLoops();
    return;
  }
  showSavingControls(true);
  state_.lastFileName.clear();
  const auto name = host_.services().saveFileName({"save sequence", "Files (*.bmp)|*.bmp", "bmp", false, true});
  if (name && !name->empty()) {
    state_.lastFileName = *name;
    const std::string& n = *name;
    const bool png = n.size() >= 4 && QString::fromStdString(n.substr(n.size() - 4)).toLower() == ".png";
    state_.sequenceBaseName = n.size() >= 4 ? n.substr(0, n.size() - 4) : n;
    state_.sequenceExtension = png ? ".png" : ".bmp";
    state_.sequenceFramePending = true;
  }
  buildLoops();
}

}  // namespace quill
