#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/MovieEncoder.h"

class QImage;

namespace quill {

// The pictures a movie encoder is given, prepared without FFmpeg.

// H.264 and VP9 in 4:2:0 store colour for 2 x 2 pixel blocks: even sizes only.
int codedSide(MovieType type, int side);

// Copies the picture into the top-left of `padded` and repeats its last column
// and row into the extra ones, so the padding continues the edge.
void padInto(const QImage& picture, QImage& padded);

// `count` pixels (as many as the picture has) holding the picture's distinct
// colours, each repeated about the fourth root of its pixel count times, and
// the rest the most used one: what a GIF frame's palette is made from.
// Counted as they are, the large cells outweigh the thousands of small
// blends, and the median cut leaves some of those 60 levels away from any
// palette entry; weighed so, under 48.
std::vector<uint32_t> weighedColours(const QImage& picture, size_t count);

}  // namespace quill
