#pragma once
#include <cstdint>

#include "engine/KeyFrame.h"

namespace quill {

// Size, scale and line width of an exported picture. Wide integers: a grid of
// 1600 x 1600 cells divided seven times is about two million pixels wide.
struct ExportSize {
  int64_t width = 0;
  int64_t height = 0;
  float previewScale = 0;  // polygons: pixels per pattern unit
  double cellSize = 0;     // grids: side of a top-level cell in pixels
  int lineWidth = 1;
};

// Bitmap export: polygons are widthBox pixels wide and 4/5 as high; grids get
// 10 pixels for the smallest cell whatever the width box says.
ExportSize bitmapExportSize(const KeyFrame& frame, bool triangleMode, int64_t widthBox);

// Metafile export: polygons are metafileWidth wide (8000, 12000 or 16000);
// grids are sized as for the bitmap.
ExportSize metafileExportSize(const KeyFrame& frame, bool triangleMode, int64_t metafileWidth);

// Number of leaf cells the frame draws.
int64_t leafCount(const KeyFrame& frame, bool triangleMode);

}  // namespace quill
