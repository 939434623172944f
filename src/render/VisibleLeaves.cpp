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

bool VisibleLeaves::takeStamped(const IntPoint* points, int count, int key) {
  uint8_t* origin = at(points[0].x, points[0].y);
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
