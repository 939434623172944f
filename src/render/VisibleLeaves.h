#pragma once
#include <array>
#include <cstdint>

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
  // taken: such a shape sets pixels from its least point to one past its greatest.
  bool hidden(const PixelBox& box) const;
  // Takes the pixels a small leaf sets; true when any was still free, or when
  // the leaf is too large to tell (it then takes none).
  bool take(const IntPoint* points, int count);

 private:
  // The stamps reach half their scratch picture from the first point.
  static constexpr int kMargin = PolygonStamps::kScratch / 2 + 1;
  static constexpr int kSide = 128;
  static_assert(kRunSide + 2 * kMargin + 2 <= kSide);

  uint8_t* at(int32_t x, int32_t y) {
    return taken_.data() + (y - originY_) * ptrdiff_t{kSide} + (x - originX_);
  }

  PolygonStamps stamps_;
  std::array<uint8_t, kSide * kSide> taken_{};
  int32_t originX_ = 0;
  int32_t originY_ = 0;
};

}  // namespace quill
