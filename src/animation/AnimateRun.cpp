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
// into the movie when one is being written, else to lastFileName.
bool AnimateWindow::stepFrame(MovieEncoder* movie) {
  host_.unminimisePreview();
  syncControls();
  run_.step();
  lblloopString->setText(QString::fromStdString(run_.model().loopString()));
  return host_.drawAnimationFrame(movie);
}

void AnimateWindow::stepOnce() {
  if (!stepFrame()) {
    host_.services().message("can't write " + state_.lastFileName);
  }
}

int AnimateWindow::delayMs() const {
  const double v = numericValue(txtDelay->text().toStdString(), NumberForm::WithExponent).value_or(0);
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
  if (state_.sequenceFramePending) {
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
  const std::optional<MovieType> type = movieTypeOf(state_.lastFileName);
  if (!type) return nullptr;
  std::unique_ptr<MovieEncoder> movie = host_.movieEncoder(*type);
  const int fps = static_cast<int>(numericValue(txtFps->text().toStdString(), NumberForm::WithExponent).value_or(25));
  if (movie && movie->open(state_.lastFileName, state_.sequenceFrameWidth, state_.sequenceFrameHeight, fps))
    return movie;
  host_.services().message("can't write " + state_.lastFileName + (movie ? ": " + movie->error() : std::string()));
  return nullptr;
}

// A stopped movie is finished with the frames written so far, so it plays; a
// movie without a frame, or one that failed, leaves no file.
void AnimateWindow::savedRun() {
  DesktopServices& services = host_.services();
  const bool toMovie = movieTypeOf(state_.lastFileName).has_value();
  std::unique_ptr<MovieEncoder> movie = openMovie();
  if (toMovie && !movie) return;
  const std::string movieName = state_.lastFileName;
  const SequenceTarget target = SequenceTarget::forName(movieName);
  host_.hidePreview();
  seqStatus_->show();
  const QString total = txtnFrames->text();
  const int frames = static_cast<int>(numericValue(total.toStdString(), NumberForm::WithExponent).value_or(0));
  int written = 0;
  for (int i = 1; i <= frames; ++i) {
    seqStatus_->showProgress(i, total);
    if (state_.stopRequested) break;
    if (!toMovie) state_.lastFileName = target.pictureName(i);
    if (!stepFrame(movie.get())) {
      services.message(toMovie ? "can't write " + movieName + ": " + movie->error() + "; the run stops and no movie is left"
                               : "can't write " + state_.lastFileName + ": the run stops here; the files before it stay");
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
  state_.sequenceFramePending = false;
  chkSaveImages->setChecked(false);
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
  for (QWidget* w : std::initializer_list<QWidget*>{hscRes, lblResCaption, lblRes, txtnFrames, lblnFrames, txtFps, lblFps})
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
  if (!chkSaveImages->isChecked()) {
    // Unticking disarms: no further frame is written.
    state_.sequenceFramePending = false;
    showSavingControls(false);
    buildLoops();
    return;
  }
  showSavingControls(true);
  state_.lastFileName.clear();
  const auto name = host_.services().saveFileName({"save sequence", sequenceFilter(), "bmp", false, true});
  if (name && !name->empty()) {
    const SequenceTarget target = SequenceTarget::forName(*name);
    if (!target.movie || armMovie(*name, *target.movie)) {
      state_.lastFileName = *name;
      state_.sequenceBaseName = target.baseName;
      state_.sequenceExtension = target.extension;
      state_.sequenceFramePending = true;
    }
  }
  buildLoops();
}

}  // namespace quill
