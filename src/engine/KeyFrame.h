#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "engine/Types.h"

namespace quill {

// Flat snapshot of every pattern setting. The member order is the order of the
// state file's records; do not reorder.
struct KeyFrame {
  int16_t vertexCount = 0;
  int16_t layerCount = 0;
  int32_t startValue = 0;
  int16_t numberBase = 0;
  std::array<Color, 16> palette{};
  int16_t blendVariant = 0;
  Bool16 blendOn = 0;
  int16_t drawLines = 0;  // check box value, 0 or 1
  int16_t drawFills = 0;  // check box value, 0 or 1
  std::array<int16_t, 16> blendWeights{};
  std::array<Point, 26> vertexPoints{};
  double centerX = 0;
  double centerY = 0;
  Color backColor = 0;
  int16_t lockedBox = 0;   // check box value
  int16_t decimalBox = 0;  // check box value
  Bool16 saveBmp = 0;      // export dialog options (option buttons: -1 / 0)
  Bool16 saveWmf = 0;
  Bool16 lineNormal = 0;
  Bool16 lineHeavy = 0;
  Bool16 lineExtra = 0;
  int16_t legend = 0;  // export dialog check box value
  std::string saveWidth;
  Bool16 previewOpen = 0;
  Bool16 triangleMode = 0;
  int16_t rowCount = 0;
  int16_t columnCount = 0;
  Bool16 spiralOrder = 0;
  Bool16 deleted = 0;
  int16_t frameNo = 0;
  int16_t frameTotal = 0;
  std::string aniName;
  int16_t levels = 0;
  int16_t fractionsLimit = 0;
  int16_t fractions = 0;
  int16_t order = 0;
  int16_t spare = 0;  // carried through files, never interpreted
  int16_t tailLaunch = 0;
  int16_t tailLength = 0;

  friend bool operator==(const KeyFrame&, const KeyFrame&) = default;
};

}  // namespace quill
