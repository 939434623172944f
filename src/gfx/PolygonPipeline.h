#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "gfx/Surface.h"

namespace quill {

// Polygons handed to a second thread that draws them strictly in the order
// they came, so the picture is the same as drawing them one by one, while the
// caller goes on working out the next ones. Batches that never fill up are
// drawn on the caller's thread and no thread is started for them.
//
// The draw function runs on one thread at a time: the worker while batches are
// out, the caller's thread only inside finish(). Whatever it reads or writes
// must be left alone by the caller until finish() returns.
class PolygonPipeline {
 public:
  using DrawFn = std::function<void(const SurfacePolygon* list, int count)>;

  explicit PolygonPipeline(DrawFn draw);
  ~PolygonPipeline();
  PolygonPipeline(const PolygonPipeline&) = delete;
  PolygonPipeline& operator=(const PolygonPipeline&) = delete;

  void add(const SurfacePolygon* list, int count);
  // Returns once every polygon added so far has been drawn.
  void finish();

 private:
  static constexpr int kBatch = 2048;
  static constexpr uint32_t kSlots = 4;
  struct Batch {
    std::vector<SurfacePolygon> polygons;  // kBatch of them, from the first use
    int count = 0;
  };

  void publish();
  bool startWorker();
  void work();

  DrawFn draw_;
  std::array<Batch, kSlots> batches_;
  int open_ = 0;  // polygons in the batch being filled, batches_[head_ % kSlots]
  // Batches published (head_) and drawn (tail_); the counters wrap together.
  std::atomic<uint32_t> head_{0};
  std::atomic<uint32_t> tail_{0};
  std::atomic<bool> quit_{false};
  bool noWorker_ = false;
  std::thread worker_;
};

}  // namespace quill
