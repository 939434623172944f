#include "render/VisibleLeaves.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace quill {

void VisibleLeaves::begin(const PixelBox& box) {
  originX_ = box.left - kMargin;
  originY_ = box.top - kMargin;
  const int width = std::min(box.right - box.left + 2 * kMargin + 2, kSide);
  const int height = std::min(box.bottom - box.top + 2 * kMargin + 2, kSide);
  for (int y = 0; y < height; ++y) std::memset(taken_.data() + y * kSide, 0, static_cast<size_t>(width));
}

// 0..80 for a triangle whose other points lie within one pixel of the first,
// 81..84 for a square of side 0 or 1, -1 for any other shape.
int VisibleLeaves::tinyKey(const IntPoint* p, int count) {
  const int32_t dx1 = p[1].x - p[0].x, dy1 = p[1].y - p[0].y;
  const int32_t dx2 = p[2].x - p[0].x, dy2 = p[2].y - p[0].y;
  if (count == 4)  // squares come as left-top, right-top, right-bottom, left-bottom
    return dx1 >= 0 && dx1 <= 1 && dy2 >= 0 && dy2 <= 1 && dy1 == 0 && dx2 == dx1 &&
                   p[3].x == p[0].x && p[3].y == p[2].y
               ? 81 + dx1 + 2 * dy2
               : -1;
  if (static_cast<uint32_t>(dx1 + 1) > 2 || static_cast<uint32_t>(dy1 + 1) > 2 ||
      static_cast<uint32_t>(dx2 + 1) > 2 || static_cast<uint32_t>(dy2 + 1) > 2)
    return -1;
  return (dx1 + 1) + 3 * (dy1 + 1) + 9 * (dx2 + 1) + 27 * (dy2 + 1);
}

bool VisibleLeaves::take(const IntPoint* points, int count) {
  uint8_t* origin = at(points[0].x, points[0].y);
  const int key = count == 3 || count == 4 ? tinyKey(points, count) : -1;
  if (key >= 0 && tiny_[static_cast<size_t>(key)].count >= 0) {
    const TinyShape& shape = tiny_[static_cast<size_t>(key)];
    bool shows = false;
    for (int i = 0; i < shape.count; ++i) {
      shows |= origin[shape.offsets[i]] == 0;
      origin[shape.offsets[i]] = 1;
    }
    return shows;
  }
  std::span<const int32_t> offsets;
  if (!stamps_.pixels(points, count, kSide, offsets)) return true;
  // A shape within a pixel of its first point sets at most the four pixels
  // of its box; one that would set more is simply not kept here.
  if (key >= 0 && offsets.size() <= 4) {
    TinyShape& shape = tiny_[static_cast<size_t>(key)];
    shape.count = static_cast<int8_t>(offsets.size());
    for (size_t i = 0; i < offsets.size(); ++i) shape.offsets[i] = static_cast<int16_t>(offsets[i]);
  }
  return takeOffsets(origin, offsets.data(), offsets.size());
}

bool VisibleLeaves::takeOffsets(uint8_t* origin, const int32_t* offsets, size_t count) {
  bool shows = false;
  for (size_t i = 0; i < count; ++i) {
    shows |= origin[offsets[i]] == 0;
    origin[offsets[i]] = 1;
  }
  return shows;
}

}  // namespace quill
