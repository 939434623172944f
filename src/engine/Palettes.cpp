#include "engine/Palettes.h"

namespace quill {

namespace {
constexpr Palette kPresets[3] = {
    {rgb(255, 0, 0), rgb(255, 125, 0), rgb(255, 255, 0), rgb(127, 255, 0), rgb(0, 255, 0),
     rgb(0, 255, 127), rgb(0, 255, 255), rgb(0, 127, 255), rgb(0, 0, 255), rgb(255, 0, 127),
     rgb(255, 0, 255), rgb(127, 0, 255), rgb(255, 255, 255), rgb(170, 170, 170), rgb(85, 85, 85),
     rgb(0, 0, 0)},
    {rgb(255, 64, 64), rgb(255, 125, 64), rgb(192, 192, 64), rgb(127, 255, 64), rgb(64, 255, 64),
     rgb(64, 255, 127), rgb(64, 192, 192), rgb(64, 127, 255), rgb(64, 64, 255), rgb(255, 64, 127),
     rgb(192, 64, 192), rgb(127, 64, 255), rgb(255, 255, 255), rgb(192, 192, 192),
     rgb(128, 128, 128), rgb(64, 64, 64)},
    {rgb(128, 0, 0), rgb(128, 64, 0), rgb(128, 128, 0), rgb(64, 128, 0), rgb(0, 128, 0),
     rgb(0, 128, 64), rgb(0, 128, 128), rgb(0, 64, 128), rgb(0, 0, 128), rgb(128, 0, 64),
     rgb(128, 0, 128), rgb(64, 0, 128), rgb(196, 196, 196), rgb(128, 128, 128), rgb(64, 64, 64),
     rgb(0, 0, 0)},
};
}  // namespace

const Palette& presetPalette(int which) {
  return kPresets[(which >= 0 && which <= 2) ? which : 0];
}

int32_t colorBrightness(Color c) {
  const int32_t r = c & 255;
  const int32_t g = (c / 256) & 255;
  const int32_t b = c / 65536;
  return (r + g + b) / 3;
}

}  // namespace quill
