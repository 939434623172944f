// Stepping, running, resetting and closing the animation, and saving a run
// as numbered picture files.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "animation/AnimateWindow.h"
#include "animation/AnimatorHost.h"
#include "animation/FrameWorkers.h"
#include "animation/SeqStatus.h"
#include "animation/SequenceOutput.h"
#include "engine/NumberText.h"
#include "engine/Rounding.h"
#include "platform/DesktopServices.h"
#include "render/RenderCount.h"
#include "media/MovieEncoder.h"

namespace quill {

// One odometer step, then the frame drawn, or drawn and written when saving:
// into the movie when one is being written, else to the sequence's file.
bool AnimateWindow::stepFrame(MovieEncoder* movie) {
  host_.unminimisePreview();
  syncControls();
  run_.step();
  loopLabel->setText(QString::fromStdString(run_.model().loopString()));
  std::optional<SequenceFrame> frame = armedFrame();
  if (frame) frame->movie = movie;
  return host_.drawAnimationFrame(frame ? &*frame : nullptr);
}

std::optional<SequenceFrame> AnimateWindow::armedFrame() const {
  if (!sequence_ || savedRun_) return std::nullopt;  // a saved run's frames are drawn by the workers
  return SequenceFrame{sequenceFile_, sequence_->extension == ".png", nullptr};
}

void AnimateWindow::stepOnce() {
  if (!stepFrame()) host_.services().message("can't write " + sequenceFile_);
}

int AnimateWindow::delayMs() const {
  const double v = numericValue(delayBox->text().toStdString(), NumberForm::WithExponent).value_or(0);
  return static_cast<int>(std::clamp(roundHalfEven(v), 0.0, 3600000.0));  // a negative delay is no wait
}

// The geometry feature indexes its in-between frames with 16 bits.
bool AnimateWindow::geometryFits() {
  syncControls();
  if (run_.geometryFits()) return true;
  host_.services().message("too many in-between frames: \"frames / keyframe\" times the key frames before this "
                           "one must stay below 16384");
  return false;
}

// A run goes from a timer, a frame at a time, so every window stays live
// and Esc, pressed in any of them, stops it before the next frame.
void AnimateWindow::runAnimation() {
  if (running_ || !geometryFits()) return;
  running_ = true;
  framesShown_ = 0;
  if (sequence_) {
    if (!startSavedRun()) return finishRun();
  } else {
    frameTotal_ = static_cast<int>(std::clamp(roundHalfEven(run_.model().totalFrames() + 1), 0.0, double{INT32_MAX}));
  }
  runTimer_->start(0);
}

void AnimateWindow::stopRun() {
  if (!running_) return;
  state_.stopRequested = true;
  runNextFrame();
}

void AnimateWindow::runNextFrame() {
  if (!running_) return;
  if (savedRun_) return savedRunStep();
  if (state_.stopRequested || framesShown_ >= frameTotal_) return finishRun();
  stepFrame();
  ++framesShown_;
  emit frameShown(framesShown_);
  runTimer_->start(delayMs());
}

// The movie a saved run writes, opened at the frame size and rate; nothing for
// numbered picture files, or when it cannot be opened (with a message then).
std::unique_ptr<MovieEncoder> AnimateWindow::openMovie() {
  if (!sequence_->movie) return nullptr;
  const std::string& name = sequence_->name;
  std::unique_ptr<MovieEncoder> movie = host_.movieEncoder(*sequence_->movie);
  const int fps = static_cast<int>(numericValue(fpsBox->text().toStdString(), NumberForm::WithExponent).value_or(25));
  if (movie && movie->open(name, state_.sequenceFrameWidth, state_.sequenceFrameHeight, fps)) return movie;
  host_.services().message("can't write " + name + (movie ? ": " + movie->error() : std::string()));
  return nullptr;
}

// A saved run's frames are drawn on the frame workers, a core each, while
// this thread steps the run ahead of them; they come back in order to be
// shown and written.
bool AnimateWindow::startSavedRun() {
  auto saved = std::make_unique<SavedRun>();
  saved->target = *sequence_;
  if (saved->target.movie && !(saved->movie = openMovie())) return false;
  saved->total = frameCountBox->text();
  saved->frames = static_cast<int>(numericValue(saved->total.toStdString(), NumberForm::WithExponent).value_or(0));
  const FrameFile file = saved->movie                        ? FrameFile::None
                         : saved->target.extension == ".png" ? FrameFile::Png
                                                             : FrameFile::Bmp;
  const auto wake = [this] {
    QMetaObject::invokeMethod(this, [this] { if (!runTimer_->isActive()) runTimer_->start(0); }, Qt::QueuedConnection);
  };
  saved->workers = std::make_unique<FrameWorkers>(FrameWorkers::Options{defaultFrameWorkers(), file, true, {}, wake});
  savedRun_ = std::move(saved);
  host_.hidePreview();
  seqStatus_->show();
  return true;
}

void AnimateWindow::handInFrames() {
  SavedRun& saved = *savedRun_;
  while (saved.handedIn < saved.frames && saved.workers->hasRoom()) {
    syncControls();
    run_.step();
    loopLabel->setText(QString::fromStdString(run_.model().loopString()));
    saved.workers->submit(++saved.handedIn, state_);
    state_.digitCounter = counterAfterRender(state_);  // where drawing the frame leaves it
  }
}

// One frame of a saved run shown and written, once it is drawn; the workers
// wake the run when it is not ready yet.
void AnimateWindow::savedRunStep() {
  SavedRun& saved = *savedRun_;
  // The banner names the frame in hand before Esc is looked at.
  if (saved.written < saved.frames) seqStatus_->showProgress(saved.written + 1, saved.total);
  if (state_.stopRequested || saved.written >= saved.frames) return endSavedRun();
  handInFrames();
  std::optional<DrawnFrame> frame = saved.workers->next(false);
  if (!frame) return;
  host_.unminimisePreview();
  host_.showAnimationPicture(frame->picture);
  if (auto message = writeDrawnFrame(*frame, saved.target, saved.movie.get())) {
    host_.services().message(*message);
    savedRun_.reset();  // an unfinished encoder removes its file
    return finishRun();
  }
  ++saved.written;
  ++framesShown_;
  emit frameShown(framesShown_);
  runTimer_->start(delayMs());
}

// A stopped movie is finished with the frames written so far, so it plays; a
// movie without a frame, or one that failed, leaves no file.
void AnimateWindow::endSavedRun() {
  SavedRun& saved = *savedRun_;
  saved.workers->cancel();
  if (saved.movie && saved.written > 0 && !saved.movie->finish())
    host_.services().message("can't write " + saved.target.name + ": " + saved.movie->error() + "; no movie is left");
  savedRun_.reset();
  finishRun();
}

void AnimateWindow::finishRun() {
  runTimer_->stop();
  savedRun_.reset();
  sequence_.reset();
  saveImagesBox->setChecked(false);
  toggleSaveImages();
  seqStatus_->hide();
  host_.showPreview();
  state_.stopRequested = false;
  running_ = false;
  resetAnimation();
  host_.services().processEvents();
  show();
}

void AnimateWindow::resetAnimation() {
  syncControls();
  run_.reset();
  host_.fitPreview();
}

// Puts back the pattern as it was when the window was activated.
void AnimateWindow::closeRestoring() {
  state_.curFrame = state_.savedFrame;
  host_.restoreMainWindow();
  host_.applyMainSettings();
  state_.animatorOpen = false;
  host_.showPreview();
  hide();
}

void AnimateWindow::showSavingControls(bool shown) {
  for (QWidget* w : std::initializer_list<QWidget*>{resolutionBar, resolutionCaption, resolutionValue, frameCountBox, frameCountCaption, fpsBox, fpsCaption})
    w->setVisible(shown);
}

namespace {

// The picture types and every movie type, for the dialog and the messages.
std::string sequenceFilter() {
  std::string filter = "Pictures (*.bmp)|*.bmp|PNG pictures (*.png)|*.png";
  for (const MovieFormat& f : kMovieFormats)
    filter += std::string("|") + f.codec + " movie (*" + f.extension + ")|*" + f.extension;
  return filter;
}

}  // namespace

// A movie type the installed libraries cannot write is refused at once, with
// the types that can be written instead.
bool AnimateWindow::armMovie(const std::string& name, MovieType type) {
  const auto message =
      missingEncoderMessage(name, type, [this](MovieType t) { return host_.movieEncoder(t); });
  if (message) host_.services().message(*message);
  return !message;
}

void AnimateWindow::toggleSaveImages() {
  if (!saveImagesBox->isChecked()) {
    // Unticking disarms: no further frame is written.
    sequence_.reset();
    showSavingControls(false);
    buildLoops();
    return;
  }
  showSavingControls(true);
  sequenceFile_.clear();
  const auto name = host_.services().saveFileName({"save sequence", sequenceFilter(), "bmp", false, true});
  if (name && !name->empty()) {
    const SequenceTarget target = SequenceTarget::forName(*name);
    if (!target.movie || armMovie(*name, *target.movie)) {
      sequenceFile_ = *name;
      sequence_ = target;
    }
  }
  buildLoops();
}

}  // namespace quill
