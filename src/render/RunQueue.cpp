#include "render/RunQueue.h"

#include <system_error>

namespace quill {

Renderer::RunQueue::RunQueue(const Renderer& renderer, bool threaded)
    : renderer_(renderer), threadAsked_(threaded) {
  if (!threaded || std::thread::hardware_concurrency() < 2) return;
  try {
    thread_ = std::thread([this] { serve(); });
  } catch (const std::system_error&) {  // out of threads: every run is walked here
  }
}

Renderer::RunQueue::~RunQueue() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
  }
  waiting_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void Renderer::RunQueue::add(std::unique_ptr<RunWalk> walk) {
  walk->stage = RunWalk::Stage::Waiting;
  {
    const std::lock_guard lock(mutex_);
    walks_.push_back(std::move(walk));
  }
  waiting_.notify_one();
}

auto Renderer::RunQueue::next(bool wait) -> std::unique_ptr<RunWalk> {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (walks_.empty()) return nullptr;
    if (walks_.front()->stage == RunWalk::Stage::Walked) {
      std::unique_ptr<RunWalk> walk = std::move(walks_.front());
      walks_.pop_front();
      return walk;
    }
    if (!wait) return nullptr;
    if (RunWalk* walk = oldestWaiting()) {
      walk->stage = RunWalk::Stage::Walking;
      lock.unlock();
      renderer_.walkRun(*walk);
      lock.lock();
      walk->stage = RunWalk::Stage::Walked;
    } else {
      walked_.wait(lock);
    }
  }
}

void Renderer::RunQueue::serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    RunWalk* walk = nullptr;
    waiting_.wait(lock, [&] { return quit_ || (walk = oldestWaiting()) != nullptr; });
    if (quit_) return;
    walk->stage = RunWalk::Stage::Walking;
    lock.unlock();
    renderer_.walkRun(*walk);
    lock.lock();
    walk->stage = RunWalk::Stage::Walked;
    walked_.notify_one();
  }
}

// Called with the lock held. Runs are taken oldest first, so the waiting
// ones all follow the last one taken; the scan stays short.
Renderer::RunWalk* Renderer::RunQueue::oldestWaiting() {
  for (auto walk = walks_.rbegin(); walk != walks_.rend(); ++walk)
    if ((*walk)->stage != RunWalk::Stage::Waiting)
      return walk == walks_.rbegin() ? nullptr : std::prev(walk)->get();
  return walks_.empty() ? nullptr : walks_.front().get();
}

}  // namespace quill
