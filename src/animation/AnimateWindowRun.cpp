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
#include "animation/SequenceOutput.h"
#include "engine/NumberText.h"
#include "engine/Rounding.h"
#include "platform/DesktopServices.h"
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
  if (!sequence_) return std::nullopt;
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

void AnimateWindow::runAnimation() {
  if (running_ || !geometryFits()) return;
  running_ = true;
  if (sequence_) {
    savedRun();
  } else {
    DesktopServices& services = host_.services();
    const double total = std::clamp(roundHalfEven(run_.model().totalFrames() + 1), 0.0, double{INT32_MAX});
    for (int64_t i = 1; i <= static_cast<int64_t>(total); ++i) {
      if (state_.stopRequested) break;
      stepFrame();
      services.sleepMs(delayMs());
      services.processEvents();
    }
  }
  finishRun();
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

// A stopped movie is finished with the frames written so far, so it plays; a
// movie without a frame, or one that failed, leaves no file.
void AnimateWindow::savedRun() {
  DesktopServices& services = host_.services();
  const SequenceTarget target = *sequence_;
  const bool toMovie = target.movie.has_value();
  std::unique_ptr<MovieEncoder> movie = openMovie();
  if (toMovie && !movie) return;
  const std::string& movieName = target.name;
  host_.hidePreview();
  seqStatus_->show();
  const QString total = frameCountBox->text();
  const int frames = static_cast<int>(numericValue(total.toStdString(), NumberForm::WithExponent).value_or(0));
  int written = 0;
  for (int i = 1; i <= frames; ++i) {
    seqStatus_->showProgress(i, total);
    if (state_.stopRequested) break;
    if (!toMovie) sequenceFile_ = target.pictureName(i);
    if (!stepFrame(movie.get())) {
      services.message(toMovie ? "can't write " + movieName + ": " + movie->error() + "; the run stops and no movie is left"
                               : "can't write " + sequenceFile_ + ": the run stops here; the files before it stay");
      return;  // an unfinished encoder removes its file
    }
    ++written;
    services.sleepMs(delayMs());
    services.processEvents();
  }
  if (movie && written > 0 && !movie->finish())
    services.message("can't write " + movieName + ": " + movie->error() + "; no movie is left");
}

void AnimateWindow::finishRun() {
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
