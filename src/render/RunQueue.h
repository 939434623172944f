#pragma once
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "render/Renderer.h"

namespace quill {

// Runs waiting to be walked and drawn, in drawing order. A thread of its own
// walks the oldest waiting run while the renderer goes on dividing cells and
// drawing what has come back; when the renderer must wait, it walks the
// oldest waiting run itself. Runs always come back in order.
class Renderer::RunQueue {
 public:
  // Without `threaded`, a second core, or a thread to be had, the renderer
  // walks every run.
  RunQueue(const Renderer& renderer, bool threaded);
  ~RunQueue();
  RunQueue(const RunQueue&) = delete;
  RunQueue& operator=(const RunQueue&) = delete;

  void add(std::unique_ptr<RunWalk> walk);
  // The oldest run once walked, taken out; with `wait`, walks or waits until it
  // is, and nullptr only when none is left.
  std::unique_ptr<RunWalk> next(bool wait);
  bool threadAsked() const { return threadAsked_; }
  size_t size() const { return walks_.size(); }  // only the renderer's thread changes it

 private:
  void serve();
  RunWalk* oldestWaiting();

  const Renderer& renderer_;
  std::mutex mutex_;
  std::condition_variable waiting_;  // a run to walk, or quit
  std::condition_variable walked_;
  std::deque<std::unique_ptr<RunWalk>> walks_;
  bool threadAsked_;
  bool quit_ = false;
  std::thread thread_;  // last: it starts once the rest is in place
};

}  // namespace quill
