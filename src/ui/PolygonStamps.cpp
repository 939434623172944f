#include "ui/PolygonStamps.h"

#include <algorithm>
#include <utility>
#include <cstdlib>

namespace quill {

namespace {

constexpr uint32_t kUntouched = 0;
constexpr uint32_t kFillMark = 1;
constexpr uint32_t kOutlineMark = 2;

}  // namespace

bool PolygonStamps::draw(const PixelRows& rows, const IntPoint* p, int count, int lineWidth, uint32_t fill,
                         uint32_t outline) {
  if (lineWidth < 1 || lineWidth > kMaxWidth || count < 3 || count > 4) return false;
  // A stamp needs the whole shape, outline and miters included, inside the picture.
  const int margin = kReach + 4;
  const int x0 = p[0].x, y0 = p[0].y;
  if (x0 < margin || y0 < margin || x0 >= rows.width - margin || y0 >= rows.height - margin) return false;
  uint64_t key = static_cast<uint64_t>(count - 3) | static_cast<uint64_t>(lineWidth) << 1 | uint64_t{1} << 63;
  IntPoint relative[4];
  for (int i = 0; i < count; ++i) {
    relative[i] = {p[i].x - x0, p[i].y - y0};
    if (std::abs(relative[i].x) > kReach || std::abs(relative[i].y) > kReach) return false;
    key |= static_cast<uint64_t>(relative[i].x + kReach) << (3 + 10 * i);
    key |= static_cast<uint64_t>(relative[i].y + kReach) << (8 + 10 * i);
  }
  if (rows.stride != stride_) {
    for (Stamp& s : slots_) s.key = 0;
    stride_ = rows.stride;
  }
  const Stamp& stamp = stampFor(key, relative, count, rows.stride);
  uint32_t* origin = rows.bits + y0 * rows.stride + x0;
  for (const int32_t offset : stamp.fill) origin[offset] = fill;
  for (const int32_t offset : stamp.outline) origin[offset] = outline;
  return true;
}

// Made once per shape by drawing it into a scratch picture with the ordinary
// scanline rules, first point at the centre.
const PolygonStamps::Stamp& PolygonStamps::stampFor(uint64_t key, const IntPoint* relative, int count,
                                                    ptrdiff_t stride) {
  // Two neighbouring slots per shape, so two shapes that meet in one slot
  // do not push each other out at every leaf.
  const uint64_t mixed = key * 0x9E3779B97F4A7C15ull;
  const size_t index = static_cast<size_t>(mixed >> 40) & (kSlots - 1);
  Stamp& first = slots_[index];
  if (first.key == key) return first;
  Stamp& second = slots_[index ^ 1];
  if (second.key == key) return second;
  // A new shape takes the first slot; the shape there moves to the second.
  if (first.key != 0) std::swap(first, second);
  Stamp& slot = first;
  slot.key = key;
  slot.fill.clear();
  slot.outline.clear();
  scratch_.fill(kUntouched);
  const PixelRows scratch{scratch_.data(), kScratch, kScratch, kScratch};
  constexpr int centre = kScratch / 2;
  IntPoint points[4];
  for (int i = 0; i < count; ++i) points[i] = {relative[i].x + centre, relative[i].y + centre};
  fillPolygon(scratch, points, count, kFillMark);
  strokeThin(scratch, points, count, kOutlineMark);
  for (int y = 0; y < kScratch; ++y) {
    for (int x = 0; x < kScratch; ++x) {
      const uint32_t mark = scratch_[static_cast<size_t>(y * kScratch + x)];
      if (mark == kUntouched) continue;
      const auto offset = static_cast<int32_t>((y - centre) * stride + (x - centre));
      (mark == kFillMark ? slot.fill : slot.outline).push_back(offset);
    }
  }
  return slot;
}

}  // namespace quill
