#include "render/ExportSize.h"

#include "engine/PadUnits.h"
#include "engine/Rounding.h"

namespace quill {

namespace {

ExportSize gridSize(const KeyFrame& frame) {
  ExportSize size;
  const int64_t smallest = (int64_t{1} << frame.levels) * 10;
  size.width = smallest * frame.columnCount;
  size.height = smallest * frame.rowCount;
  size.cellSize = static_cast<double>(smallest);
  return size;
}

ExportSize polygonSize(int64_t width) {
  ExportSize size;
  size.width = width;
  size.height = roundHalfEvenToInt(static_cast<double>(width) * 20 / 25);
  size.previewScale = static_cast<float>(static_cast<double>(width) / kPadWidth);
  return size;
}

}  // namespace

ExportSize bitmapExportSize(const KeyFrame& frame, bool triangleMode, int64_t widthBox) {
  ExportSize size = triangleMode ? polygonSize(widthBox) : gridSize(frame);
  size.lineWidth = static_cast<int>(size.width / 3200 + 1);
  return size;
}

ExportSize metafileExportSize(const KeyFrame& frame, bool triangleMode, int64_t metafileWidth) {
  ExportSize size = triangleMode ? polygonSize(metafileWidth) : gridSize(frame);
  size.lineWidth = 1;
  return size;
}

int64_t leafCount(const KeyFrame& frame, bool triangleMode) {
  const int64_t cells = triangleMode
                            ? int64_t{frame.vertexCount} * frame.layerCount * frame.layerCount
                            : int64_t{frame.rowCount} * frame.columnCount;
  return cells * (int64_t{1} << (2 * frame.levels));
}

}  // namespace quill
