// Drawing only the leaves that show. A picture has a few million pixels but a
// finely divided record billions of leaves, most of them below a pixel and
// covered by later ones. Cells whose leaves are that small gather in runs of
// neighbours; a run is walked from its last leaf back, keeping a leaf when it
// sets some pixel no later leaf of the run sets, and the kept leaves are drawn
// in their own order. Every pixel's last writer is kept and runs follow each
// other in order, so the picture is the one every leaf gives.
#include <algorithm>
#include <cmath>

#include "engine/Rounding.h"
#include "render/CellOrder.h"
#include "render/LeafDrawing.h"

namespace quill {

namespace {

PixelBox boxOf(IntPoint a, IntPoint b, IntPoint c) {
  return {std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}), std::max({a.x, b.x, c.x}),
          std::max({a.y, b.y, c.y})};
}

// A square's descendants sum halves of its side, which may round past its far
// edge: the box reaches one pixel further there.
PixelBox squareBox(double x, double y, double size) {
  return {floorToPixel(x), floorToPixel(y), floorToPixel(x + size) + 1, floorToPixel(y + size) + 1};
}

PixelBox unite(const PixelBox& a, const PixelBox& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int64_t leavesBelow(int16_t maxLevel, int16_t level) {
  return int64_t{1} << (2 * (maxLevel - level));
}

}  // namespace

bool Renderer::pixelBoundTriangle(double x1, double y1, double x2, double y2, double x3, double y3,
                                  int16_t level) {
  if (stopped_) return true;
  const IntPoint a = pixelOf(x1, y1), b = pixelOf(x2, y2), c = pixelOf(x3, y3);
  // Every leaf of a cell within one pixel corner has no area and no outline.
  if (a == b && b == c) {
    passOver(leavesBelow(rs_.maxLevel, level));
    return true;
  }
  const PixelBox box = boxOf(a, b, c);
  if (!runnable(box, level)) return false;
  joinRun({x1, y1, x2, y2, x3, y3, level, rs_.cellIndex}, box);
  return true;
}

bool Renderer::pixelBoundSquare(double x, double y, double size, int16_t level) {
  if (stopped_) return true;
  if (!(size > 0) || !std::isfinite(x + size) || !std::isfinite(y + size)) return false;
  const PixelBox box = squareBox(x, y, size);
  if (!runnable(box, level)) return false;
  joinRun({x, y, size, 0, 0, 0, level, rs_.cellIndex}, box);
  return true;
}

// A cell joins a run when its leaves average below about half a pixel, each is
// small enough for a stamp, and all lie where the surface stamps them.
bool Renderer::runnable(const PixelBox& box, int16_t level) const {
  const int rest = rs_.maxLevel - level;
  const int64_t width = int64_t{box.right} - box.left, height = int64_t{box.bottom} - box.top;
  if (width > VisibleLeaves::kRunSide || height > VisibleLeaves::kRunSide) return false;
  if ((width + 1) * (height + 1) > leavesBelow(rs_.maxLevel, level)) return false;
  if (std::max(width, height) + 1 > (int64_t{10} << rest)) return false;
  constexpr int kMargin = PolygonStamps::kMargin;
  return box.left >= kMargin && box.top >= kMargin && box.right < surface_.width() - kMargin &&
         box.bottom < surface_.height() - kMargin;
}

void Renderer::joinRun(const RunCell& cell, const PixelBox& box) {
  const PixelBox joined = run_.empty() ? box : unite(runBox_, box);
  if (joined.right - joined.left > VisibleLeaves::kRunSide ||
      joined.bottom - joined.top > VisibleLeaves::kRunSide) {
    flushRun();
    runBox_ = box;
  } else {
    runBox_ = joined;
  }
  run_.push_back(cell);
  passOver(leavesBelow(rs_.maxLevel, cell.level));
}

// Leaves accounted for without drawing them yet; the stop check is asked as
// their cell indices go by.
void Renderer::passOver(int64_t leaves) {
  rs_.cellIndex += leaves;
  streamBehind_ = true;
  if (rs_.cellIndex >= nextStopPoll_) {
    flushRun();
    pollStop();
  }
}

void Renderer::flushRun() {
  if (run_.empty()) return;
  const int64_t end = rs_.cellIndex;
  visible_->begin(runBox_);
  shown_.clear();
  for (auto cell = run_.rbegin(); cell != run_.rend(); ++cell) {
    if (state_.triangleMode)
      walkTriangle(*cell);
    else
      walkSquare(cell->x1, cell->y1, cell->x2, cell->level, cell->first);
  }
  run_.clear();
  streamAt_ = -1;  // leaves drawn one by one may have moved the stream since
  drawShown();
  if (!stopped_) rs_.cellIndex = end;
}

// Children last to first, so every pixel meets its last writer first.
void Renderer::walkTriangle(const RunCell& c) {
  const IntPoint a = pixelOf(c.x1, c.y1), b = pixelOf(c.x2, c.y2), p = pixelOf(c.x3, c.y3);
  if (a == b && b == p) return;
  if (c.level >= rs_.maxLevel) {
    const IntPoint points[3] = {a, b, p};
    considerLeaf(c.first, points, 3);
    return;
  }
  if (visible_->hidden(boxOf(a, b, p))) return;
  const double x12 = (c.x1 + c.x2) / 2, y12 = (c.y1 + c.y2) / 2;
  const double x23 = (c.x2 + c.x3) / 2, y23 = (c.y2 + c.y3) / 2;
  const double x13 = (c.x1 + c.x3) / 2, y13 = (c.y1 + c.y3) / 2;
  const auto next = static_cast<int16_t>(c.level + 1);
  const int64_t step = leavesBelow(rs_.maxLevel, next);
  const RunCell children[4] = {
      {x23, y23, x12, y12, x13, y13, next, 0},  // middle
      {c.x1, c.y1, x13, y13, x12, y12, next, 0},  // corner A
      {x12, y12, c.x2, c.y2, x23, y23, next, 0},  // corner B
      {x13, y13, x23, y23, c.x3, c.y3, next, 0},  // corner C
  };
  const int* order = kTriangleOrder[state_.curFrame.order];
  for (int i = 3; i >= 0; --i) {
    RunCell child = children[order[i]];
    child.first = c.first + i * step;
    walkTriangle(child);
  }
}

void Renderer::walkSquare(double x, double y, double size, int16_t level, int64_t first) {
  if (level >= rs_.maxLevel) {
    const int32_t left = floorToPixel(x), right = floorToPixel(x + size);
    const int32_t top = floorToPixel(y), bottom = floorToPixel(y + size);
    const IntPoint points[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    considerLeaf(first, points, 4);
    return;
  }
  if (visible_->hidden(squareBox(x, y, size))) return;
  const double h = size / 2;
  const auto next = static_cast<int16_t>(level + 1);
  const int64_t step = leavesBelow(rs_.maxLevel, next);
  for (int i = 3; i >= 0; --i) {
    const auto& offset = kSquareOrder[state_.curFrame.order][i];
    walkSquare(offset[0] ? x + h : x, offset[1] ? y + h : y, h, next, first + i * step);
  }
}

// A leaf in a gap draws nothing; any other shows if it sets a pixel still free.
void Renderer::considerLeaf(int64_t index, const IntPoint* points, int count) {
  if (rule_.gaps &&
      !gapOn(index, state_.tailPhase, state_.gapPeriod, state_.gapLength, rule_.reverse))
    return;
  if (!visible_->take(points, count)) return;
  ShownLeaf& leaf = shown_.emplace_back();
  leaf.index = index;
  leaf.count = count;
  std::copy(points, points + count, leaf.points);
}

// The kept leaves were found last first; they are drawn first first.
void Renderer::drawShown() {
  const int64_t period = rule_.period;
  for (auto leaf = shown_.rbegin(); leaf != shown_.rend(); ++leaf) {
    const int64_t index = leaf->index;
    rs_.cellIndex = index;
    if (index >= nextStopPoll_ && pollStop()) return;
    const int64_t group = index / period;
    const int64_t k = index - group * period;
    if (k == 0) {
      rs_.cellColor = groupColour(group);
    } else {
      const Color previous = groupColour(group - 1);
      rs_.cellColor = fadeColor(k, static_cast<double>(period), previous, groupColour(group));
    }
    drawLeaf(leaf->points, leaf->count, false, false);
  }
}

// The colour of a group of leaves (the colour before the first for -1), from
// the stream moved straight to it when it is not next.
Color Renderer::groupColour(int64_t group) {
  if (group < 0) return firstColour_;
  for (const GroupColour& known : groupColours_)
    if (known.group == group) return known.colour;
  if (streamAt_ != group) digits_.seek(group);
  const Color colour = digits_.next();
  streamAt_ = group + 1;
  groupColours_[static_cast<size_t>(group & 1)] = {group, colour};
  return colour;
}

// Before a leaf is drawn one by one: the run so far drawn, and the stream and
// colours where drawing every leaf before it would have left them.
void Renderer::catchUpStream() {
  flushRun();
  if (stopped_) return;
  const int64_t index = rs_.cellIndex;
  const int64_t started = index == 0 ? 0 : (index - 1) / rule_.period + 1;
  rs_.previousColor = groupColour(started - 2);
  rs_.currentColor = groupColour(started - 1);
  if (streamAt_ != started) digits_.seek(started);
  streamAt_ = -1;  // the leaves drawn one by one take colours from here on
  streamBehind_ = false;
}

void Renderer::endPixelBound() {
  if (streamBehind_) catchUpStream();
  run_.clear();
  pixelBound_ = false;
}

}  // namespace quill
