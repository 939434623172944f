#pragma once
// The two steps every drawn leaf takes, shared by the painters and the
// pixel-bound walk so both give the same points and the same polygons.
#include "engine/PadUnits.h"
#include "engine/Rounding.h"
#include "render/Renderer.h"

namespace quill {

// The pixel of a pad point at `scale` pixels a unit.
inline IntPoint padPixel(double x, double y, double scale) {
  return {floorToPixel((x - kPadLeft) * scale), floorToPixel((kPictureTop - y) * scale)};
}

// previewScale is single precision; the product is taken in double.
inline IntPoint Renderer::pixelOf(double x, double y) const { return padPixel(x, y, state_.previewScale); }

inline void Renderer::drawLeaf(const IntPoint* points, int count, bool metaLinesOn, bool metaFillsOn) {
  const KeyFrame& f = state_.curFrame;
  const Color outline = f.drawLines != 0 ? kBlack : rs_.cellColor;
  const Color fill = f.drawFills != 0 ? rs_.cellColor : kWhite;
  if (inRender_) {
    SurfacePolygon& leaf = batch_[static_cast<size_t>(batched_)];
    // Spelled out: a copy of a run-time count becomes a library call per leaf.
    leaf.points[0] = points[0];
    leaf.points[1] = points[1];
    leaf.points[2] = points[2];
    if (count == 4) leaf.points[3] = points[3];
    leaf.count = count;
    leaf.fill = fill;
    leaf.outline = outline;
    if (++batched_ == kBatch) flushLeaves();
  } else {
    surface_.polygon(points, count, fill, outline);
  }
  ++rs_.cellIndex;
  if (metafile_ != nullptr && metafile_->recorder != nullptr)
    recordLeaf(points, count, metaLinesOn, metaFillsOn);
}

}  // namespace quill
