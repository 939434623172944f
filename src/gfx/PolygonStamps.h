#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/ScanlineFill.h"

namespace quill {

// The pixels of small polygons, kept by shape. The scanline rules depend only
// on the points relative to each other, so a triangle drawn once can be
// stamped wherever the same shape comes again, as long as it lies wholly
// inside the picture: pixel for pixel what fillPolygon and the strokes give.
class PolygonStamps {
 public:
  // The stamps' pixel offsets are kept in one store of at most `storeLimit`
  // entries; when it is full, every stamp is forgotten and made afresh.
  explicit PolygonStamps(size_t storeLimit = size_t{1} << 20);

  // Draws the polygon from its stamp and returns true, or returns false when
  // it is too large, too near the picture's border or has too wide a line to stamp.
  bool draw(const PixelRows& rows, const IntPoint* points, int count, int lineWidth, uint32_t fill,
            uint32_t outline);

  // Whether draw() would stamp a small shape on a width x height picture: a
  // one-pixel line, and the first point far enough inside.
  static bool stampable(int width, int height, const IntPoint* points, int count, int lineWidth) {
    if (lineWidth != 1 || count < 3 || count > 4) return false;
    const int x0 = points[0].x, y0 = points[0].y;
    return x0 >= kMargin && y0 >= kMargin && x0 < width - kMargin && y0 < height - kMargin;
  }
  // Every pixel draw() sets for a small shape, fill and outline alike, as
  // offsets from its first point in rows of `stride` pixels; false when the
  // shape is not small. The offsets lie within kScratch / 2 pixels either way
  // and stay valid until the next call.
  bool pixels(const IntPoint* points, int count, ptrdiff_t stride, std::span<const int32_t>& out);

  // Whether the shape is small enough for a stamp: every point within reach of the first.
  static bool small(const IntPoint* points, int count) {
    for (int i = 1; i < count; ++i) {
      if (static_cast<unsigned>(points[i].x - points[0].x + kReach) > 2u * kReach ||
          static_cast<unsigned>(points[i].y - points[0].y + kReach) > 2u * kReach)
        return false;
    }
    return true;
  }

  static constexpr int kReach = 12;  // largest offset of a stamped point from the first
  static constexpr int kScratch = 32;  // the scratch picture a stamp is made in
  // A stamp needs the whole shape, outline included, inside the picture.
  static constexpr int kMargin = kReach + 4;

 private:
  struct Stamp {
    uint64_t key = 0;  // 0: empty slot
    uint32_t first = 0;  // the first offset in store_: fills, then outline pixels
    uint16_t fills = 0;
    uint16_t outlines = 0;
  };
  static constexpr int kSlots = 16384;

  static size_t slotOf(uint64_t key) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & (kSlots - 1);
  }
  const Stamp* find(const IntPoint* points, int count, ptrdiff_t stride);
  const Stamp& stampFor(uint64_t key, const IntPoint* relative, int count, ptrdiff_t stride);
  void forgetAll();

  std::vector<Stamp> slots_ = std::vector<Stamp>(kSlots);
  std::vector<int32_t> store_;
  size_t storeLimit_;
  ptrdiff_t stride_ = 0;
  std::array<uint32_t, kScratch * kScratch> scratch_{};
};

}  // namespace quill
