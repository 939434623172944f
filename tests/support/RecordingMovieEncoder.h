#pragma once
#include <QImage>
#include <memory>
#include <string>

#include "gfx/QtColor.h"
#include "media/MovieEncoder.h"

namespace quill {

// A movie encoder for tests and for measuring the drawing alone: it keeps
// what it was asked to do in a log that outlives it, and can be told to fail.
class RecordingMovieEncoder : public MovieEncoder {
 public:
  struct Log {
    std::string path;
    int width = 0, height = 0, framesPerSecond = 0, frames = 0;
    Color lastCentre = 0;  // the centre pixel of the last frame
    bool finished = false;
    int failAtFrame = 0;  // addFrame fails for this frame (from 1); 0: never
  };

  explicit RecordingMovieEncoder(std::shared_ptr<Log> log) : log_(std::move(log)) {}

  bool open(const std::string& path, int width, int height, int framesPerSecond) override {
    *log_ = Log{path, width, height, framesPerSecond, 0, 0, false, log_->failAtFrame};
    return true;
  }
  bool addFrame(const QImage& image) override {
    if (log_->failAtFrame == log_->frames + 1) {
      error_ = "no space left on device";
      return false;
    }
    ++log_->frames;
    if (!image.isNull()) log_->lastCentre = fromQRgb(image.pixel(image.width() / 2, image.height() / 2));
    return true;
  }
  bool finish() override { return log_->finished = true; }
  std::string error() const override { return error_; }

 private:
  std::shared_ptr<Log> log_;
  std::string error_;
};

}  // namespace quill
