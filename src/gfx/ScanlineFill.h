#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/Types.h"

namespace quill {

// The rows of a 32-bit image: pixel (x, y) is bits[y * stride + x].
struct PixelRows {
  uint32_t* bits = nullptr;
  ptrdiff_t stride = 0;  // in pixels
  int width = 0;
  int height = 0;
};

// Fills a polygon of up to 4 integer points by the odd-even rule: a pixel is
// set when its centre is inside; a centre exactly on a slanted edge counts as
// lying just left of it (inside on the polygon's right side, outside on its
// left). Points may lie anywhere; only the rows are written.
void fillPolygon(const PixelRows& rows, const IntPoint* points, int count, uint32_t value);

// A one-pixel closed outline: each edge steps along its longer axis and sets
// one pixel per step, the pixel under the line at the step's centre (at its
// leading side when the line runs towards smaller coordinates); corners are
// set once, with a pixel added where two steps would leave a gap.
void strokeThin(const PixelRows& rows, const IntPoint* points, int count, uint32_t value);

// A closed outline `width` pixels wide: every pixel whose centre lies within
// width / 2 of an edge, measured square to the edge, plus the mitred corners;
// a miter tip farther than 2 x width from the end of the outer sides is cut
// where both outer sides have run on for 2 x width.
void strokeWide(const PixelRows& rows, const IntPoint* points, int count, int width,
                uint32_t value);

}  // namespace quill
