#include "support/RecordingMovieEncoder.h"

#include "gfx/QtColor.h"
#include <QImage>

namespace quill {

bool RecordingMovieEncoder::open(const std::string& path, int width, int height, int framesPerSecond) {
  *log_ = Log{path, width, height, framesPerSecond, 0, 0, false, log_->failAtFrame};
  return true;
}

bool RecordingMovieEncoder::addFrame(const QImage& image) {
  if (log_->failAtFrame == log_->frames + 1) {
    error_ = "no space left on device";
    return false;
  }
  ++log_->frames;
  if (!image.isNull()) log_->lastCentre = fromQRgb(image.pixel(image.width() / 2, image.height() / 2));
  return true;
}

bool RecordingMovieEncoder::finish() {
  log_->finished = true;
  return true;
}

}  // namespace quill
