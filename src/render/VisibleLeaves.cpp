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

bool VisibleLeaves::hidden(const PixelBox& box) const {
  const size_t width = static_cast<size_t>(box.right - box.left) + 2;
  const uint8_t* row = taken_.data() + (box.top - originY_) * ptrdiff_t{kSide} + (box.left - originX_);
  for (int32_t y = box.top; y <= box.bottom + 1; ++y, row += kSide)
    if (std::memchr(row, 0, width) != nullptr) return false;
  return true;
}

bool VisibleLeaves::take(const IntPoint* points, int count) {
  std::span<const int32_t> offsets;
  if (!stamps_.pixels(points, count, kSide, offsets)) return true;
  uint8_t* origin = at(points[0].x, points[0].y);
  bool shows = false;
  for (const int32_t offset : offsets) {
    shows |= origin[offset] == 0;
    origin[offset] = 1;
  }
  return shows;
}

}  // namespace quill
