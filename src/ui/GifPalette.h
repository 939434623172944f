#pragma once
#include <array>
#include <cstdint>

namespace quill {

// One GIF frame's colours: every distinct colour exactly when the frame has at
// most 256 of them (the usual case: patterns are made of a few palette and
// blend colours), else the 256 most frequent with each other colour sent to
// the nearest of them. Palette entries are 0xffRRGGBB, sorted, so two frames
// with the same colours get the same palette; unused entries are black.
//
// pixels: rows of 0xffRRGGBB words, `pixelStride` words apart; indices: rows
// `indexStride` bytes apart. Returns the number of colours used.
int indexGifFrame(const uint32_t* pixels, int width, int height, int pixelStride, std::array<uint32_t, 256>& palette,
                  uint8_t* indices, int indexStride);

}  // namespace quill
