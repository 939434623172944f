#pragma once
#include <cstdint>
#include <string>

#include "engine/Palettes.h"
#include "render/Renderer.h"
#include "gfx/Surface.h"

namespace quill {

// What the legend shows: one triangle per digit of the base in its chip
// colour, the caption ("base 10  list") and the range of numbers used, from
// the start value box's text to the first number the pattern did not use.
struct LegendText {
  int base = 10;
  Palette chips{};
  bool blend = false;
  std::string startText = "0";
  int64_t digitCounter = 0;
};

// "base " and the base, then "  blend" or "  list".
std::string legendCaption(int base, bool blend);
// The start value box's text, " to ", and digitCounter in the base.
std::string legendRange(const LegendText& legend);

// Bitmap legend: adds a strip of a tenth of the height below the pattern and
// draws into it, with a font sized from the surface width.
void drawLegendBmp(Surface& surface, const LegendText& legend, float previewScale);

// Metafile legend: the pattern was shrunk to leave room, so no size changes;
// everything goes to the surface and, through the target, to the metafile.
void drawLegendEmf(Surface& surface, MetafileTarget& metafile, const LegendText& legend,
                   float previewScale);

}  // namespace quill
