#include "animation/FrameWorkers.h"

#include <QBuffer>
#include <algorithm>
#include <utility>

#include "render/ExportPass.h"

namespace quill {

int defaultFrameWorkers() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

FrameWorkers::FrameWorkers(Options options) : options_(std::move(options)) {
  const int count = std::max(1, options_.workers);
  for (int i = 0; i < count; ++i) {
    try {
      threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      if (threads_.empty()) throw;  // not even one worker: nothing can be drawn
      break;                        // out of threads: fewer workers draw the run
    }
  }
}

FrameWorkers::~FrameWorkers() {
  cancel();
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

bool FrameWorkers::hasRoom() const { return inFlight() < 2 * workers(); }

int FrameWorkers::inFlight() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(order_.size());
}

void FrameWorkers::submit(int64_t number, PatternState pattern) {
  {
    std::lock_guard lock(mutex_);
    order_.push_back(number);
    waiting_.push_back(Job{number, std::move(pattern)});
  }
  changed_.notify_all();
}

std::optional<DrawnFrame> FrameWorkers::next(bool wait) {
  std::unique_lock lock(mutex_);
  if (order_.empty()) return std::nullopt;
  const int64_t number = order_.front();
  if (wait) changed_.wait(lock, [&] { return done_.count(number) != 0; });
  const auto found = done_.find(number);
  if (found == done_.end()) return std::nullopt;
  DrawnFrame frame = std::move(found->second);
  done_.erase(found);
  order_.pop_front();
  return frame;
}

// The frames waiting are dropped; the ones being drawn stop at their next stop
// check and come back marked stopped, so next() never waits for ever.
void FrameWorkers::cancel() {
  cancelled_ = true;
  std::lock_guard lock(mutex_);
  for (const Job& job : waiting_) done_[job.number] = DrawnFrame{job.number, {}, {}, true, false};
  waiting_.clear();
  changed_.notify_all();
}

bool FrameWorkers::spareCores() const { return workers() < defaultFrameWorkers(); }

void FrameWorkers::work() {
  RasterSurface surface;
  // With a worker per core, a second drawing thread per surface only competes.
  surface.setThreaded(surface.threaded() && spareCores());
  RenderState renderState;
  for (;;) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return quitting_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    Job job = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    DrawnFrame frame = draw(job, surface, renderState);
    lock.lock();
    done_[frame.number] = std::move(frame);
    changed_.notify_all();
    lock.unlock();
    if (options_.drawn) options_.drawn();
  }
}

DrawnFrame FrameWorkers::draw(Job& job, RasterSurface& surface, RenderState& renderState) {
  DrawnFrame frame{job.number, {}, {}, false, false};
  const auto stop = [this] { return cancelled_.load() || (options_.stopCheck && options_.stopCheck()); };
  drawSequenceFrame(job.pattern, renderState, surface,
                    [&stop, this](Renderer& renderer) {
                      renderer.setStopCheck(stop);
                      renderer.setSecondThread(spareCores());
                    });
  frame.stopped = stop();
  if (frame.stopped) return frame;
  if (options_.keepPictures) frame.picture = surface.image();
  if (options_.file != FrameFile::None) {
    QBuffer buffer(&frame.file);
    buffer.open(QIODevice::WriteOnly);
    frame.encodeFailed = !surface.image().save(&buffer, options_.file == FrameFile::Png ? "PNG" : "BMP");
  }
  return frame;
}

}  // namespace quill
