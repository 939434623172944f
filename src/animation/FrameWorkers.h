#pragma once
#include <QByteArray>
#include <QImage>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/PatternState.h"
#include "gfx/RasterSurface.h"
#include "render/RenderState.h"

namespace quill {

// What a worker makes of a drawn frame besides the picture: nothing, or the
// bytes of its numbered picture file.
enum class FrameFile { None, Bmp, Png };

struct DrawnFrame {
  int64_t number = 0;
  QImage picture;   // kept only when asked for (movies, the window's preview)
  QByteArray file;  // the encoded picture file, for FrameFile::Bmp and Png
  bool stopped = false;  // the render was stopped part way; nothing of it is whole
  bool encodeFailed = false;
};

// Draws the frames of an animation run on worker threads, each with its own
// surface and render state, and hands them back strictly in the order they
// were handed in. The caller steps the run and hands over a copy of the
// pattern for each frame; at most 2 x workers frames are in flight (handed
// over and not yet taken back), which bounds the memory a run needs.
class FrameWorkers {
 public:
  struct Options {
    int workers = 1;
    FrameFile file = FrameFile::None;
    bool keepPictures = false;
    // Asked while drawing, from the workers' threads; must be thread-safe.
    std::function<bool()> stopCheck;
    // Called from a worker's thread each time a frame is ready.
    std::function<void()> drawn;
  };

  explicit FrameWorkers(Options options);
  ~FrameWorkers();
  FrameWorkers(const FrameWorkers&) = delete;
  FrameWorkers& operator=(const FrameWorkers&) = delete;

  int workers() const { return static_cast<int>(threads_.size()); }
  // Fewer workers than cores: each may take a second thread while it draws.
  bool spareCores() const;
  bool hasRoom() const;
  int inFlight() const;
  // The pattern as the frame is to be drawn (point tables cut, counter set).
  void submit(int64_t number, PatternState pattern);
  // The oldest frame handed in, once drawn: waits for it when `wait`, else
  // gives nothing until it is ready. Nothing when no frame is in flight.
  std::optional<DrawnFrame> next(bool wait = true);
  // Stops the frames being drawn and drops the ones waiting.
  void cancel();

 private:
  struct Job {
    int64_t number;
    PatternState pattern;
  };
  void work();
  DrawnFrame draw(Job& job, RasterSurface& surface, RenderState& renderState);

  Options options_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> waiting_;
  std::deque<int64_t> order_;  // every frame in flight, oldest first
  std::map<int64_t, DrawnFrame> done_;
  std::atomic<bool> cancelled_{false};
  bool quitting_ = false;
  std::vector<std::thread> threads_;
};

// The number of workers when none is asked for: one per core.
int defaultFrameWorkers();

}  // namespace quill
