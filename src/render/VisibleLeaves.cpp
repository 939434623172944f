#include "render/VisibleLeaves.h"

#include <algorithm>

#include "render/CellOrder.h"
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

int VisibleLeaves::takeQuartet(const IntPoint* p, int order) {
  const int32_t left = std::min({p[0].x, p[1].x, p[2].x}), top = std::min({p[0].y, p[1].y, p[2].y});
  if (std::max({p[0].x, p[1].x, p[2].x}) - left > 1 || std::max({p[0].y, p[1].y, p[2].y}) - top > 1)
    return -1;
  // The midpoints lie between the corners, so every point is in the box.
  int key = order;
  for (int i = 0; i < 6; ++i) key = key << 2 | (p[i].x - left) | (p[i].y - top) << 1;
  QuartetShape& shape = quartets_[static_cast<size_t>(key)];
  if (shape.state == 0) workOutQuartet(shape, p, order, {left, top});
  if (shape.state < 0) return -1;
  uint8_t* box = at(left, top);
  const int free = (box[0] == 0) | (box[1] == 0) << 1 | (box[kSide] == 0) << 2 | (box[kSide + 1] == 0) << 3;
  int shown = 0;
  for (int j = 0; j < 4; ++j)
    if ((shape.last >> (4 * j) & free) != 0) shown |= 1 << j;
  if ((shape.all & 1) != 0) box[0] = 1;
  if ((shape.all & 2) != 0) box[1] = 1;
  if ((shape.all & 4) != 0) box[kSide] = 1;
  if ((shape.all & 8) != 0) box[kSide + 1] = 1;
  return shown;
}

// From the stamps, as take() would find them leaf by leaf, last drawn first.
void VisibleLeaves::workOutQuartet(QuartetShape& shape, const IntPoint* p, int order, IntPoint corner) {
  shape.state = -1;
  int later = 0;
  uint16_t last = 0;
  for (int j = 3; j >= 0; --j) {
    const int* c = kTriangleChildPoints[kTriangleOrder[order][j]];
    const IntPoint leaf[3] = {p[c[0]], p[c[1]], p[c[2]]};
    if (leaf[0] == leaf[1] && leaf[1] == leaf[2]) continue;  // sets nothing
    std::span<const int32_t> offsets;
    if (!stamps_.pixels(leaf, 3, kSide, offsets)) return;
    int sets = 0;
    for (const int32_t offset : offsets) {
      // Offsets from the first point in rows of kSide; a leaf reaches at most a pixel.
      const int32_t dy = (offset + kSide / 2 + kSide) / kSide - 1;
      const int32_t x = leaf[0].x + offset - dy * kSide - corner.x, y = leaf[0].y + dy - corner.y;
      if (x < 0 || x > 1 || y < 0 || y > 1) return;
      sets |= 1 << (x + 2 * y);
    }
    last |= static_cast<uint16_t>((sets & ~later) << (4 * j));
    later |= sets;
  }
  shape.last = last;
  shape.all = static_cast<uint8_t>(later);
  shape.state = 1;
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
