#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/PatternState.h"

namespace quill {

// The animation window's feature controls, as numbers, when a step is computed.
struct FeatureControls {
  // 0 "start counting at"
  double startStep = 1;
  bool continuation = false;
  bool backwards = false;
  // 1 "color pallette"
  int gridChips = 7;
  bool gradient = true;
  // 2 "base"
  int baseStart = 2;
  int baseEnd = 16;
  // 3 "# conc polygons"
  int layersStart = 10;
  int layersEnd = 19;
  bool layersContinuous = true;
  bool inward = true;
  // 4 "# vertices"
  int verticesStart = 6;
  int verticesEnd = 10;
  // 6 "tail chaser"
  double tailLaunch = 240;
  double tailLength = 160;
  double tailStep = 1;
  // 7 "geometry": in-between frames from one key frame to the next.
  double framesPerKeyFrame = 100;
  // "# of steps" of every feature.
  std::array<double, 8> steps{200, 160, 150, 100, 100, 20, 200, 100};
};

// The forth-and-back colour table the palette feature samples: entries 0..G
// run through the chips, G..2G back again.
struct Gradient {
  int16_t steps = 0;  // G
  std::vector<Color> table;
};

// The colour t / n of the way from c1 to c2, in single precision like the
// picture strip it was made for.
Color mixColor(double t, double n, Color c1, Color c2);

// Rebuilds the gradient from the chips; the span between chips is at least
// one step, however few steps there are.
void rebuildGradient(Gradient& gradient, const Palette& chips, double paletteSteps, int gridChips);
// The colour of pixel column x of the 164-pixel preview strip.
Color gradientStripColor(int x, const Palette& chips, int gridChips);

// A ranged feature's value at step c of N steps: start towards end in even
// passes, back in odd ones. A start above the end counts down.
int rangedValue(int start, int end, int32_t c, int32_t n);

// Sets curFrame's start value, palette, base, layer value, vertex count or
// gap values for step `current` of one feature (0..6; others change nothing).
// The layer tables are rebuilt where the polygon changes.
void applyValueFeature(PatternState& state, const FeatureControls& controls, const Gradient& gradient,
                       int feature, int16_t current);

}  // namespace quill
