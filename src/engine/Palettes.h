#pragma once
#include <array>

#include "engine/Types.h"

namespace quill {

using Palette = std::array<Color, 16>;

// The preset palettes, chip 0 first: 0 "spectrum", 1 "bright", 2 "dark".
const Palette& presetPalette(int which);

// (r + g + b) div 3; a colour below 85 is dark and gets white text.
int32_t colorBrightness(Color c);
inline bool isDark(Color c) { return colorBrightness(c) < 85; }

}  // namespace quill
