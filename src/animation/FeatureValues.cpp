#include "animation/FeatureValues.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "animation/AnimationModel.h"
#include "animation/GeometryFrames.h"
#include "engine/CellGeometry.h"
#include "engine/Rounding.h"

namespace quill {

namespace {

// The gap shift stays far inside 64 bits whatever step a box holds.
constexpr double kPhaseLimit = 1e15;

int32_t toInt32(double v) {
  if (!(v == v)) return 0;
  return static_cast<int32_t>(std::clamp(roundHalfEven(v), double{INT32_MIN}, double{INT32_MAX}));
}

int16_t toInt16(double v) {
  if (!(v == v)) return 0;
  return static_cast<int16_t>(std::clamp(roundHalfEven(v), double{INT16_MIN}, double{INT16_MAX}));
}

// A start value never goes below 0: the digit stream has no digits there.
int32_t startValueOf(double v) { return std::max(toInt32(v), 0); }

int32_t stepsOf(const FeatureControls& c, Feature feature) {
  return std::max(toInt32(c.steps[static_cast<size_t>(indexOf(feature))]), 1);
}

int colourChannel(Color c, int shift) { return (c >> shift) & 255; }

void applyStartValue(PatternState& state, const FeatureControls& c) {
  KeyFrame& f = state.curFrame;
  if (c.continuation) {
    f.startValue = startValueOf(static_cast<double>(state.digitCounter));
    return;
  }
  if (!c.backwards) {
    f.startValue = startValueOf(f.startValue + c.startStep);
    return;
  }
  if (f.startValue <= 0) f.startValue = startValueOf(static_cast<double>(state.digitCounter));
  f.startValue = startValueOf(f.startValue - c.startStep);
}

void applyPalette(PatternState& state, const FeatureControls& c, const Gradient& gradient, int32_t current) {
  Palette& palette = state.curFrame.palette;
  if (c.gradient) {
    if (gradient.steps < 1 || gradient.table.empty()) return;
    const int32_t spacing = std::max(gradient.steps / std::max(c.gridChips, 1), 1);
    const int64_t period = 2 * static_cast<int64_t>(gradient.steps);
    for (int j = 0; j < 16; ++j) palette[j] = gradient.table[static_cast<size_t>((spacing * j + current) % period)];
    return;
  }
  const double n = stepsOf(c, Feature::Palette);
  for (int j = 0; j < 16; ++j) {
    const int64_t k = roundHalfEvenToInt(j + 16.0 * current / n) % 16;
    palette[j] = state.chipColors[static_cast<size_t>(k)];
  }
}

void applyLayers(PatternState& state, const FeatureControls& c, int32_t current) {
  const int32_t n = stepsOf(c, Feature::Layers);
  if (c.layersContinuous) {
    const int r = c.layersEnd - c.layersStart + 1;
    const double x = current / c.steps[indexOf(Feature::Layers)];
    const double y = r * (x - std::floor(x));
    const bool back = (current / n) % 2 == 1;
    state.layerValue = back ? (c.layersEnd + 1) - y : c.layersStart + y;
  } else {
    state.layerValue = rangedValue(c.layersStart, c.layersEnd, current, n);
  }
  buildFractionalLayers(state, state.layerValue, c.inward);
}

void applyVertices(PatternState& state, const FeatureControls& c, int32_t current) {
  const int n = std::clamp(rangedValue(c.verticesStart, c.verticesEnd, current, stepsOf(c, Feature::Vertices)), 3, 23);
  state.curFrame.vertexCount = static_cast<int16_t>(n);
  changeVertices(state);
  for (int i = 1; i <= n; ++i) state.curFrame.vertexPoints[i] = state.vertexPoints[i];
  buildFractionalLayers(state, state.layerValue, c.inward);
}

void applyTail(PatternState& state, const FeatureControls& c) {
  state.curFrame.tailLength = toInt16(c.tailLength);
  state.curFrame.tailLaunch = std::max<int16_t>(toInt16(c.tailLaunch), 1);
  const double phase = roundHalfEven(c.tailStep + static_cast<double>(state.tailPhase));
  state.tailPhase = static_cast<int64_t>(std::clamp(phase, -kPhaseLimit, kPhaseLimit));
}

}  // namespace

Color mixColor(double t, double n, Color c1, Color c2) {
  const float f = static_cast<float>(t / n);
  const float rest = 1 - f;
  const auto channel = [&](int shift) {
    return static_cast<int>(std::floor(static_cast<double>(rest) * colourChannel(c1, shift) +
                                       static_cast<double>(f) * colourChannel(c2, shift)));
  };
  return rgb(channel(0), channel(8), channel(16));
}

void rebuildGradient(Gradient& gradient, const Palette& chips, double paletteSteps, int gridChips) {
  const int16_t g = std::max<int16_t>(toInt16(paletteSteps), 1);
  gradient.steps = g;
  gradient.table.assign(static_cast<size_t>(2 * g + 1), kBlack);
  const int span = std::max(g / std::clamp(gridChips, 1, 15), 1);
  for (int i = 0; i <= g; ++i) {
    const int k = i / span;
    const Color colour = mixColor(i % span, span, chips[static_cast<size_t>(k % 16)],
                                  chips[static_cast<size_t>((k + 1) % 16)]);
    gradient.table[static_cast<size_t>(i)] = colour;
    gradient.table[static_cast<size_t>(2 * g - i)] = colour;
  }
}

Color gradientStripColor(int x, const Palette& chips, int gridChips) {
  const int span = 163 / std::clamp(gridChips, 1, 15);
  const int k = x / span;
  return mixColor(x % span, span, chips[static_cast<size_t>(k % 16)], chips[static_cast<size_t>((k + 1) % 16)]);
}

int rangedValue(int start, int end, int32_t c, int32_t n) {
  const int r = std::abs(end - start) + 1;
  n = std::max(n, 1);
  c = std::max(c, 0);
  const bool back = (c / n) % 2 == 1;
  const int offset = static_cast<int>((static_cast<int64_t>(r) * c / n) % r);
  const int direction = start <= end ? 1 : -1;
  return back ? end - direction * offset : start + direction * offset;
}

void applyValueFeature(PatternState& state, const FeatureControls& controls, const Gradient& gradient,
                       int feature, int16_t current) {
  switch (static_cast<Feature>(feature)) {
    case Feature::StartValue: return applyStartValue(state, controls);
    case Feature::Palette: return applyPalette(state, controls, gradient, current);
    case Feature::Base:
      state.curFrame.numberBase =
          static_cast<int16_t>(rangedValue(controls.baseStart, controls.baseEnd, current, stepsOf(controls, Feature::Base)));
      return;
    case Feature::Layers: return applyLayers(state, controls, current);
    case Feature::Vertices: return applyVertices(state, controls, current);
    case Feature::TailChaser: return applyTail(state, controls);
    default: return;
  }
}

}  // namespace quill
