#include "gfx/PolygonStamps.h"

#include <algorithm>
#include <utility>

namespace quill {

namespace {

constexpr uint32_t kUntouched = 0;
constexpr uint32_t kFillMark = 1;
constexpr uint32_t kOutlineMark = 2;

}  // namespace

PolygonStamps::PolygonStamps(size_t storeLimit)
    : storeLimit_(std::max<size_t>(storeLimit, kScratch * kScratch)) {}

// The stamp of a small shape, made if it is new; nullptr when it is not small.
// Inlined: it is most of the cost of every stamped leaf.
[[gnu::always_inline]] inline const PolygonStamps::Stamp* PolygonStamps::find(const IntPoint* p,
                                                                            int count,
                                                                            ptrdiff_t stride) {
  // The first point is the stamp's origin; the others, 0..2 x kReach after
  // shifting, take 5 bits a coordinate.
  uint64_t key = static_cast<uint64_t>(count - 3) | uint64_t{1} << 63;
  IntPoint relative[4] = {{0, 0}};
  for (int i = 1; i < count; ++i) {
    relative[i] = {p[i].x - p[0].x, p[i].y - p[0].y};
    const auto dx = static_cast<uint32_t>(relative[i].x + kReach);
    const auto dy = static_cast<uint32_t>(relative[i].y + kReach);
    if (dx > 2 * kReach || dy > 2 * kReach) return nullptr;
    key |= uint64_t{dx} << (1 + 10 * i) | uint64_t{dy} << (6 + 10 * i);
  }
  if (stride != stride_) {
    forgetAll();
    stride_ = stride;
  }
  const Stamp& slot = slots_[slotOf(key)];
  return slot.key == key ? &slot : &stampFor(key, relative, count, stride);
}

// Only one-pixel outlines are stamped: the wide stroke's miters are not exact under a shift.
bool PolygonStamps::draw(const PixelRows& rows, const IntPoint* p, int count, int lineWidth,
                         uint32_t fill, uint32_t outline) {
  if (!stampable(rows.width, rows.height, p, count, lineWidth)) return false;
  const Stamp* stamp = find(p, count, rows.stride);
  if (stamp == nullptr) return false;
  uint32_t* origin = rows.bits + p[0].y * rows.stride + p[0].x;
  const int32_t* offset = store_.data() + stamp->first;
  const int32_t* fillsEnd = offset + stamp->fills;
  const int32_t* end = fillsEnd + stamp->outlines;
  for (; offset != fillsEnd; ++offset) origin[*offset] = fill;
  for (; offset != end; ++offset) origin[*offset] = outline;
  return true;
}

bool PolygonStamps::pixels(const IntPoint* p, int count, ptrdiff_t stride,
                           std::span<const int32_t>& out) {
  if (count < 3 || count > 4) return false;
  const Stamp* stamp = find(p, count, stride);
  if (stamp == nullptr) return false;
  out = {store_.data() + stamp->first, size_t{stamp->fills} + stamp->outlines};
  return true;
}

void PolygonStamps::forgetAll() {
  for (Stamp& s : slots_) s.key = 0;
  store_.clear();
}

// Made once per shape by drawing it into a scratch picture with the ordinary
// scanline rules, first point at the centre.
const PolygonStamps::Stamp& PolygonStamps::stampFor(uint64_t key, const IntPoint* relative,
                                                    int count, ptrdiff_t stride) {
  // Two neighbouring slots per shape, so two shapes that meet in one slot
  // do not push each other out at every leaf.
  const size_t index = slotOf(key);
  Stamp& first = slots_[index];
  if (first.key == key) return first;
  Stamp& second = slots_[index ^ 1];
  if (second.key == key) return second;

  // A stamp covers at most the scratch picture.
  if (store_.size() + kScratch * kScratch > storeLimit_) forgetAll();
  // A new shape takes the first slot; the shape there moves to the second.
  if (first.key != 0) std::swap(first, second);
  scratch_.fill(kUntouched);
  const PixelRows scratch{scratch_.data(), kScratch, kScratch, kScratch};
  constexpr int centre = kScratch / 2;
  IntPoint points[4];
  for (int i = 0; i < count; ++i) points[i] = {relative[i].x + centre, relative[i].y + centre};
  fillPolygon(scratch, points, count, kFillMark);
  strokeThin(scratch, points, count, kOutlineMark);
  Stamp& slot = first;
  slot.key = key;
  slot.first = static_cast<uint32_t>(store_.size());
  slot.fills = slot.outlines = 0;
  for (const uint32_t wanted : {kFillMark, kOutlineMark}) {
    for (int y = 0; y < kScratch; ++y) {
      for (int x = 0; x < kScratch; ++x) {
        if (scratch_[static_cast<size_t>(y * kScratch + x)] != wanted) continue;
        store_.push_back(static_cast<int32_t>((y - centre) * stride + (x - centre)));
        ++(wanted == kFillMark ? slot.fills : slot.outlines);
      }
    }
  }
  return slot;
}

}  // namespace quill
