#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/DigitStream.h"
#include "engine/Rounding.h"
#include "render/CellOrder.h"
#include "render/LeafDrawing.h"
#include "render/Renderer.h"

namespace quill {

namespace {

// Leaves that share one colour; at least 1 so the group test never divides by zero.
inline int64_t groupSize(double fractionPeriod) {
  if (!(fractionPeriod >= 1)) return 1;
  if (fractionPeriod >= 9.2e18) return INT64_MAX;
  return static_cast<int64_t>(fractionPeriod);
}

struct Corners {
  double x1, y1, x2, y2, x3, y3;
};

}  // namespace

Color fadeColor(int64_t k, double n, Color previous, Color current) {
  float t = static_cast<float>(static_cast<double>(k) / n);
  // Only k in 0..n-1 means anything; anything else (or n = 0) must not push a
  // channel out of its byte.
  if (!(t >= 0.0f)) t = 0.0f;
  if (t > 1.0f) t = 1.0f;
  const float keep = 1.0f - t;
  auto mix = [&](int cur, int prev) {
    return static_cast<Color>(
        std::floor(keep * static_cast<double>(cur) + t * static_cast<double>(prev)));
  };
  const int red = mix(current % 256, previous % 256);
  const int green = mix(current / 256 % 256, previous / 256 % 256);
  const int blue = mix(current / 65536, previous / 65536);
  return red + 256 * green + 65536 * blue;
}

bool gapOn(int64_t cellIndex, int64_t tailPhase, int32_t gapPeriod, int32_t gapLength,
           bool reverseDirection) {
  const int64_t v =
      reverseDirection ? cellIndex + tailPhase : std::llabs(cellIndex - tailPhase + 1);
  // The gap boxes accept any number; a period below 1 draws like a period of 1.
  const int64_t period = gapPeriod < 1 ? 1 : gapPeriod;
  return v % period < gapLength;
}

void Renderer::subdivideTriangle(double x1, double y1, double x2, double y2, double x3, double y3,
                     int16_t level) {
  if (level >= rs_.maxLevel) {
    triangleLeaf(x1, y1, x2, y2, x3, y3);
    return;
  }
  const int16_t order = state_.curFrame.order;
  if (order < 0 || order > 3) return;
  if (pixelBound_ && level <= checkDepth_ && pixelBoundTriangle(x1, y1, x2, y2, x3, y3, level))
    return;

  const double x12 = (x1 + x2) / 2, y12 = (y1 + y2) / 2;
  const double x23 = (x2 + x3) / 2, y23 = (y2 + y3) / 2;
  const double x13 = (x1 + x3) / 2, y13 = (y1 + y3) / 2;
  if (level + 1 >= rs_.maxLevel) {
    leafQuartet(x1, y1, x2, y2, x3, y3, x12, y12, x23, y23, x13, y13);
    return;
  }
  const Corners children[4] = {
      {x23, y23, x12, y12, x13, y13},  // middle
      {x1, y1, x13, y13, x12, y12},    // corner A
      {x12, y12, x2, y2, x23, y23},    // corner B
      {x13, y13, x23, y23, x3, y3},    // corner C
  };
  const auto next = static_cast<int16_t>(level + 1);
  for (int child : kTriangleOrder[order]) {
    const Corners& c = children[child];
    subdivideTriangle(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, next);
    if (stopped_) return;
  }
}

void Renderer::subdivideSquare(double x, double y, double size, int16_t level) {
  if (level >= rs_.maxLevel) {
    squareLeaf(x, y, size);
    return;
  }
  const int16_t order = state_.curFrame.order;
  if (order < 0 || order > 3) return;
  if (pixelBound_ && level <= checkDepth_ && pixelBoundSquare(x, y, size, level)) return;

  const double h = size / 2;
  const auto next = static_cast<int16_t>(level + 1);
  for (const auto& offset : kSquareOrder[order]) {
    subdivideSquare(offset[0] ? x + h : x, offset[1] ? y + h : y, h, next);
    if (stopped_) return;
  }
}

void Renderer::triangleLeaf(double x1, double y1, double x2, double y2, double x3, double y3) {
  triangleLeafAt(pixelOf(x1, y1), pixelOf(x2, y2), pixelOf(x3, y3));
}

// A point's pixel depends on nothing but the point, so the corners and
// midpoints shared by the four leaves are converted once.
void Renderer::leafQuartet(double x1, double y1, double x2, double y2, double x3, double y3,
                           double x12, double y12, double x23, double y23, double x13,
                           double y13) {
  const double scale = state_.previewScale;
  const double device[12] = {(x1 - kPadLeft) * scale,  (kPictureTop - y1) * scale,  (x2 - kPadLeft) * scale,
                             (kPictureTop - y2) * scale,    (x3 - kPadLeft) * scale,  (kPictureTop - y3) * scale,
                             (x12 - kPadLeft) * scale, (kPictureTop - y12) * scale, (x23 - kPadLeft) * scale,
                             (kPictureTop - y23) * scale,   (x13 - kPadLeft) * scale, (kPictureTop - y13) * scale};
  // Corners 1, 2, 3, then midpoints 12, 23, 13, as pixels.
  int32_t pixel[12];
  floorToPixels(device, pixel, 12);
  const auto point = [&pixel](int i) { return IntPoint{pixel[2 * i], pixel[2 * i + 1]}; };
  // subdivideTriangle has checked the order before dividing.
  for (int child : kTriangleOrder[state_.curFrame.order]) {
    const int* c = kTriangleChildPoints[child];
    triangleLeafAt(point(c[0]), point(c[1]), point(c[2]));
    if (stopped_) return;
  }
}

void Renderer::triangleLeafAt(IntPoint a, IntPoint b, IntPoint c) {
  if (rs_.cellIndex >= nextStopPoll_ && pollStop()) return;
  if (!leafColour()) return;
  auto& p = state_.trianglePoints;
  p[0] = a;
  p[1] = b;
  p[2] = c;
  const bool metaLines = metafile_ && metafile_->triangleLinesOn;
  const bool metaFills = metafile_ && metafile_->triangleFillsOn;
  drawLeaf(p.data(), 3, metaLines, metaFills);
}

void Renderer::squareLeaf(double x, double y, double size) {
  if (rs_.cellIndex >= nextStopPoll_ && pollStop()) return;
  if (!leafColour()) return;
  const int32_t left = floorToPixel(x), right = floorToPixel(x + size);
  const int32_t top = floorToPixel(y), bottom = floorToPixel(y + size);
  auto& q = rs_.quadPoints;
  q[0] = {left, top};
  q[1] = {right, top};
  q[2] = {right, bottom};
  q[3] = {left, bottom};
  drawLeaf(q.data(), 4, state_.curFrame.drawLines != 0, state_.curFrame.drawFills != 0);
}

Renderer::LeafRule Renderer::leafRule() const {
  LeafRule rule;
  rule.period = groupSize(rs_.fractionPeriod);
  // Groups are powers of two, so most leaves need no division.
  rule.mask = (rule.period & (rule.period - 1)) == 0 ? rule.period - 1 : -1;
  // A run as long as its period leaves no gap at any position.
  rule.gaps = state_.gapLength < std::max<int32_t>(state_.gapPeriod, 1);
  rule.reverse = reverseDirection_ || state_.tailReverse;
  return rule;
}

inline bool Renderer::leafColour() {
  const LeafRule rule = inRender_ ? rule_ : leafRule();
  const int64_t index = rs_.cellIndex;
  const int64_t k = rule.mask >= 0 ? index & rule.mask : index % rule.period;
  if (k == 0) {
    rs_.previousColor = rs_.currentColor;
    rs_.currentColor = nextColour();
  }
  if (rule.gaps &&
      !gapOn(index, state_.tailPhase, state_.gapPeriod, state_.gapLength, rule.reverse)) {
    ++rs_.cellIndex;
    return false;
  }
  // The first leaf of a group has the colour whole, as fadeColor would give it.
  rs_.cellColor = k != 0 ? fadeColor(k, static_cast<double>(rule.period), rs_.previousColor,
                                     rs_.currentColor)
                         : rs_.currentColor;
  return true;
}

// Pen and brush live for one leaf only, as the metafile records them.
void Renderer::recordLeaf(const IntPoint* points, int count, bool linesOn, bool fillsOn) {
  MetafileRecorder& meta = *metafile_->recorder;
  const MetafileRecorder::Handle cellBrush = meta.createSolidBrush(rs_.cellColor);
  const MetafileRecorder::Handle cellPen = meta.createPen(rs_.cellPenWidth, rs_.cellColor);
  meta.selectObject(linesOn ? metafile_->blackPen : cellPen);
  meta.selectObject(fillsOn ? cellBrush : metafile_->whiteBrush);
  meta.polygon(points, count);
  meta.deleteObject(cellBrush);
  meta.deleteObject(cellPen);
}

}  // namespace quill
