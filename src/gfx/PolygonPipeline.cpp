#include "gfx/PolygonPipeline.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

namespace quill {

namespace {

// Returns once `value` is no longer `old`. It spins a while before it sleeps:
// on a virtual machine a sleeping thread can take a tenth of a millisecond to
// wake, longer than a batch takes to draw.
void awaitChange(const std::atomic<uint32_t>& value, uint32_t old) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + std::chrono::microseconds(200);
  for (int spin = 1;; ++spin) {
    if (value.load(std::memory_order_acquire) != old) return;
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
    if (spin % 64 == 0 && Clock::now() > until) break;
  }
  value.wait(old, std::memory_order_acquire);
}

}  // namespace

PolygonPipeline::PolygonPipeline(DrawFn draw) : draw_(std::move(draw)) {}

PolygonPipeline::~PolygonPipeline() {
  finish();
  if (!worker_.joinable()) return;
  quit_.store(true);
  head_.fetch_add(1);  // wakes the worker, which sees quit_ before drawing anything
  head_.notify_one();
  worker_.join();
}

void PolygonPipeline::add(const SurfacePolygon* list, int count) {
  while (count > 0) {
    Batch& batch = batches_[head_.load(std::memory_order_relaxed) % kSlots];
    if (batch.polygons.empty()) batch.polygons.resize(kBatch);
    const int take = std::min(count, kBatch - open_);
    std::copy(list, list + take, batch.polygons.begin() + open_);
    open_ += take;
    list += take;
    count -= take;
    if (open_ == kBatch) publish();
  }
}

// Hands the open batch to the worker and waits for a free one to fill next.
void PolygonPipeline::publish() {
  const uint32_t head = head_.load(std::memory_order_relaxed);
  Batch& batch = batches_[head % kSlots];
  batch.count = open_;
  open_ = 0;
  if (!worker_.joinable() && !startWorker()) {
    draw_(batch.polygons.data(), batch.count);  // no second thread to be had: draw here
    return;
  }
  head_.store(head + 1, std::memory_order_release);
  head_.notify_one();
  for (uint32_t tail = tail_.load(std::memory_order_acquire); head + 1 - tail >= kSlots;
       tail = tail_.load(std::memory_order_acquire))
    awaitChange(tail_, tail);
}

bool PolygonPipeline::startWorker() {
  if (noWorker_) return false;
  try {
    worker_ = std::thread([this] { work(); });
  } catch (const std::system_error&) {  // out of threads: everything is drawn in place
    noWorker_ = true;
  }
  return !noWorker_;
}

void PolygonPipeline::finish() {
  const uint32_t head = head_.load(std::memory_order_relaxed);
  if (head == tail_.load(std::memory_order_acquire)) {
    // Nothing is out: a short run is drawn here, without a thread hand-over.
    if (open_ > 0) draw_(batches_[head % kSlots].polygons.data(), open_);
    open_ = 0;
    return;
  }
  if (open_ > 0) publish();
  const uint32_t last = head_.load(std::memory_order_relaxed);
  for (uint32_t tail = tail_.load(std::memory_order_acquire); tail != last;
       tail = tail_.load(std::memory_order_acquire))
    awaitChange(tail_, tail);
}

void PolygonPipeline::work() {
  uint32_t tail = tail_.load(std::memory_order_relaxed);
  for (;;) {
    awaitChange(head_, tail);
    if (quit_.load()) return;
    const Batch& batch = batches_[tail % kSlots];
    draw_(batch.polygons.data(), batch.count);
    tail_.store(++tail, std::memory_order_release);
    tail_.notify_one();
  }
}

}  // namespace quill
