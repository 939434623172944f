#pragma once
#include <semaphore>
#include <thread>

#include "render/Renderer.h"

namespace quill {

// Walks runs handed over one at a time on a thread of its own.
class Renderer::RunWorker {
 public:
  explicit RunWorker(const Renderer& renderer) : thread_([this, &renderer] { serve(renderer); }) {}
  ~RunWorker() {
    quit_ = true;
    start_.release();
    thread_.join();
  }
  RunWorker(const RunWorker&) = delete;
  RunWorker& operator=(const RunWorker&) = delete;

  void start() { start_.release(); }
  void wait() { done_.acquire(); }
  RunWalk walk;

 private:
  void serve(const Renderer& renderer) {
    for (;;) {
      start_.acquire();
      if (quit_) return;
      renderer.walkRun(walk);
      done_.release();
    }
  }

  std::binary_semaphore start_{0};
  std::binary_semaphore done_{0};
  bool quit_ = false;  // set before start_ is released, so the worker sees it
  std::thread thread_;  // last: it starts once the rest is in place
};

}  // namespace quill
