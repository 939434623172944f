#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/KeyFrame.h"
#include "engine/Palettes.h"
#include "engine/Types.h"

namespace quill {

constexpr int kVertexSlots = 26;  // vertex indices 0..25
// Layer indices 0..102: an animated layer count reaches 101 layers, whose
// corner points run to position 102.
constexpr int kLayerSlots = 103;
// A counter of up to 64 bits written in base 2 needs 64 digits.
constexpr int kDigitSlots = 64;

using LayerTable = std::array<std::array<Point, kVertexSlots>, kLayerSlots>;

// The one shared state of a run. Every window reads and writes it; the app owns
// it and hands it around by reference. Created zeroed; the start-up values come
// from loadStartupDefaults().
struct PatternState {
  PatternState();

  // Live settings edited by the main window.
  int16_t vertexCount = 0;
  int16_t layerCount = 0;
  int16_t columnCount = 0;
  double rowCount = 0;  // the rows box's numeric value, may be fractional
  bool triangleMode = false;
  bool spiralOrder = false;
  int16_t numberBase = 0;
  bool blendOn = false;
  int16_t blendVariant = 0;
  std::array<int16_t, 16> blendWeights{};
  Palette chipColors{};

  // Polygon geometry: vertex i at index i (1..vertexCount); tables [layer][vertex].
  std::array<Point, kVertexSlots> vertexPoints{};
  double centerX = 0;
  double centerY = 0;
  LayerTable layerPoints{};
  LayerTable edgePoints{};

  // Corner points of the renderer's triangles: point m on layer j of the edge
  // from vertex i to vertex i + 1 (i 0..25, j and m 0..101).
  std::vector<Point> cellCorners;
  Point& cellCorner(int i, int j, int m) {
    return cellCorners[(static_cast<size_t>(i) * kLayerSlots + j) * kLayerSlots + m];
  }
  const Point& cellCorner(int i, int j, int m) const {
    return cellCorners[(static_cast<size_t>(i) * kLayerSlots + j) * kLayerSlots + m];
  }

  // Digit stream. The counter is 64-bit so a render that counts past 2^31 - 1
  // keeps counting instead of wrapping into negative numbers.
  int64_t digitCounter = 0;
  int16_t pendingDigits = 0;
  std::array<int16_t, kDigitSlots> digitBuffer{};

  // Rectangle spiral walk.
  int32_t spiralCol = 0;
  int32_t spiralRow = 0;
  int32_t spiralMinRow = 0;
  int32_t spiralMaxRow = 0;
  int32_t spiralMinCol = 0;
  int32_t spiralMaxCol = 0;
  int16_t spiralDir = 0;

  // Coordination between windows.
  bool previewOpen = false;
  int32_t lastStartValue = 0;
  bool stopRequested = false;
  bool animatorOpen = false;

  // Rendering.
  float previewScale = 0;  // pixels per pattern unit
  int32_t gapLength = 0;
  int32_t gapPeriod = 0;
  std::array<IntPoint, 3> trianglePoints{};
  // The gap pattern's shift; it grows at every animation step, so it is wide
  // enough never to wrap.
  int64_t tailPhase = 0;
  bool tailReverse = false;  // the animation's "reverse direction"

  // Animation.
  double layerValue = 0;      // layers as a real number
  KeyFrame savedFrame;        // curFrame when the animation window was activated
  int32_t sequenceFrameWidth = 1200;  // the "resolution" of a saved run
  int32_t sequenceFrameHeight = 1000;

  // The frame the renderer draws.
  KeyFrame curFrame;
};

}  // namespace quill
