#pragma once
#include <memory>
#include <string>

#include "engine/Types.h"
#include "media/MovieEncoder.h"

namespace quill {

// A movie encoder for tests and for measuring the drawing alone: it keeps
// what it was asked to do in a log that outlives it, and can be told to fail.
class RecordingMovieEncoder : public MovieEncoder {
 public:
  struct Log {
    std::string path;
    int width = 0;
    int height = 0;
    int framesPerSecond = 0;
    int frames = 0;
    Color lastCentre = 0;  // the centre pixel of the last frame
    bool finished = false;
    int failAtFrame = 0;  // addFrame fails for this frame (from 1); 0: never
  };

  explicit RecordingMovieEncoder(std::shared_ptr<Log> log) : log_(std::move(log)) {}

  bool open(const std::string& path, int width, int height, int framesPerSecond) override;
  bool addFrame(const QImage& picture) override;
  bool finish() override;
  std::string error() const override { return error_; }

 private:
  std::shared_ptr<Log> log_;
  std::string error_;
};

}  // namespace quill
