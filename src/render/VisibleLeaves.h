#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/Types.h"
#include "gfx/PolygonStamps.h"

namespace quill {

// A box of pixel points, corners included.
struct PixelBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = -1;
  int32_t bottom = -1;
};

// The pixels of a small stretch of the picture already taken by later leaves,
// for walking a run of leaves backwards: a leaf shows only where it sets a
// pixel no later leaf sets. What a leaf sets comes from the raster surface's
// own stamps, so it is exactly what drawing it would set.
class VisibleLeaves {
 public:
  // The widest and highest box of points a run may span.
  static constexpr int kRunSide = 64;

  // Starts a run whose leaves all have their points within `box`, nothing taken.
  void begin(const PixelBox& box);
  // Whether every pixel that a stamped shape with points in `box` can set is
  // taken. Such a shape sets pixels from its least point to its greatest, and
  // one further along an axis over which it spans 5 pixels or more.
  bool hidden(const PixelBox& box) const {
    const int32_t width = box.right - box.left, height = box.bottom - box.top;
    const uint8_t* row = taken_.data() + (box.top - originY_) * ptrdiff_t{kSide} + (box.left - originX_);
    if (width <= 1 && height <= 1) {  // most boxes, read two bytes a row
      const uint16_t wanted = width == 0 ? kFirstByte : kBothBytes;
      const uint16_t first = twoBytes(row) & wanted;
      const uint16_t second = height == 0 ? wanted : twoBytes(row + kSide) & wanted;
      return first == wanted && second == wanted;
    }
    const int32_t columns = width + (width >= kLongSpan ? 2 : 1);
    const int32_t bottom = box.bottom + (height >= kLongSpan ? 1 : 0);
    for (int32_t y = box.top; y <= bottom; ++y, row += kSide)
      for (int32_t x = 0; x < columns; ++x)
        if (row[x] == 0) return false;
    return true;
  }
  static constexpr int kLongSpan = 5;
  // The four leaves of a cell one level above the leaves, from its corners and
  // midpoints (1, 2, 3, 12, 23, 13) and the frame's child order: bit j set for
  // each j-th drawn leaf that sets a free pixel no later one of them sets.
  // Takes the pixels of all four. -1 (nothing taken) unless the corners lie
  // within a box of 2 x 2 pixels, where the answer is kept by shape.
  int takeQuartet(const IntPoint* points, int order);
  // Takes the pixels a small leaf sets; true when any was still free, or when
  // the leaf is too large to tell (it then takes none).
  bool take(const IntPoint* points, int count) {
    const int key = tinyKey(points, count);
    if (key < 0 || tiny_[static_cast<size_t>(key)].count < 0) return takeStamped(points, count, key);
    const TinyShape& shape = tiny_[static_cast<size_t>(key)];
    uint8_t* origin = at(points[0].x, points[0].y);
    bool shows = false;
    for (int i = 0; i < shape.count; ++i) {
      shows |= origin[shape.offsets[i]] == 0;
      origin[shape.offsets[i]] = 1;
    }
    return shows;
  }

 private:
  // The stamps reach half their scratch picture from the first point.
  static constexpr int kMargin = PolygonStamps::kScratch / 2 + 1;
  static constexpr int kSide = 128;
  static_assert(kRunSide + 2 * kMargin + 2 <= kSide);

  static uint16_t twoBytes(const uint8_t* at) {
    uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
  }
  // A taken first byte, and two taken bytes, read as twoBytes reads them.
  static constexpr uint16_t kFirstByte = std::endian::native == std::endian::little ? 0x0001 : 0x0100;
  static constexpr uint16_t kBothBytes = 0x0101;

  uint8_t* at(int32_t x, int32_t y) {
    return taken_.data() + (y - originY_) * ptrdiff_t{kSide} + (x - originX_);
  }

  // The pixels of the shapes within one pixel of their first point, which
  // leaves below a pixel nearly always are, kept here by shape so most leaves
  // need no look-up among the stamps.
  struct TinyShape {
    int8_t count = -1;  // -1: not worked out yet
    int16_t offsets[4] = {};
  };
  // 0..80 for a triangle whose other points lie within one pixel of the first,
  // 81..84 for a square of side 0 or 1, -1 for any other shape.
  static int tinyKey(const IntPoint* p, int count) {
    const int32_t dx1 = p[1].x - p[0].x, dy1 = p[1].y - p[0].y;
    const int32_t dx2 = p[2].x - p[0].x, dy2 = p[2].y - p[0].y;
    if (count == 4)  // squares come as left-top, right-top, right-bottom, left-bottom
      return dx1 >= 0 && dx1 <= 1 && dy2 >= 0 && dy2 <= 1 && dy1 == 0 && dx2 == dx1 &&
                     p[3].x == p[0].x && p[3].y == p[2].y
                 ? 81 + dx1 + 2 * dy2
                 : -1;
    if (count != 3 || static_cast<uint32_t>(dx1 + 1) > 2 || static_cast<uint32_t>(dy1 + 1) > 2 ||
        static_cast<uint32_t>(dx2 + 1) > 2 || static_cast<uint32_t>(dy2 + 1) > 2)
      return -1;
    return (dx1 + 1) + 3 * (dy1 + 1) + 9 * (dx2 + 1) + 27 * (dy2 + 1);
  }
  bool takeStamped(const IntPoint* points, int count, int key);

  // Which pixels of a quartet's 2 x 2 box (bit dx + 2 dy) each drawn leaf is
  // the last to set, and all they set, by the points' places in the box and
  // the child order.
  struct QuartetShape {
    uint16_t last = 0;    // 4 bits a leaf, the first drawn lowest
    uint8_t all = 0;
    int8_t state = 0;     // 0 not worked out yet, 1 known, -1 not a small shape
  };
  static constexpr int kQuartetKeys = 4 << 12;
  void workOutQuartet(QuartetShape& shape, const IntPoint* points, int order, IntPoint corner);
  std::unique_ptr<QuartetShape[]> quartets_ = std::make_unique<QuartetShape[]>(kQuartetKeys);
  bool takeOffsets(uint8_t* origin, const int32_t* offsets, size_t count);

  std::array<TinyShape, 81 + 4> tiny_{};
  PolygonStamps stamps_;
  std::array<uint8_t, kSide * kSide> taken_{};
  int32_t originX_ = 0;
  int32_t originY_ = 0;
};

}  // namespace quill
