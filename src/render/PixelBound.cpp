// Drawing only the leaves that show. A picture has a few million pixels but a
// finely divided record billions of leaves, most of them below a pixel and
// covered by later ones. Cells whose leaves are that small gather in runs of
// neighbours; a run is walked from its last leaf back, keeping a leaf when it
// sets some pixel no later leaf of the run sets, and the kept leaves are drawn
// in their own order. Every pixel's last writer is kept and runs follow each
// other in order, so the picture is the one every leaf gives.
#include <algorithm>
#include <bit>

#include "engine/Rounding.h"
#include "render/CellOrder.h"
#include "render/LeafDrawing.h"
#include "render/RunQueue.h"

namespace quill {

namespace {

inline PixelBox boxOf(IntPoint a, IntPoint b, IntPoint c) {
  return {std::min(a.x, std::min(b.x, c.x)), std::min(a.y, std::min(b.y, c.y)),
          std::max(a.x, std::max(b.x, c.x)), std::max(a.y, std::max(b.y, c.y))};
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

Renderer::~Renderer() = default;

bool Renderer::pixelBoundTriangle(double x1, double y1, double x2, double y2, double x3, double y3,
                                  int16_t level) {
  if (stopped_) return true;
  const IntPoint a = walkPixel(x1, y1), b = walkPixel(x2, y2), c = walkPixel(x3, y3);
  // Every leaf of a cell within one pixel corner has no area and no outline.
  if (a == b && b == c) {
    passOver(leavesBelow(rs_.maxLevel, level));
    return true;
  }
  const PixelBox box = boxOf(a, b, c);
  if (!runnable(box, level)) return drawnLeafByLeaf();
  joinRun({x1, y1, x2, y2, x3, y3, level, rs_.cellIndex}, box);
  return true;
}

bool Renderer::pixelBoundSquare(double x, double y, double size, int16_t level) {
  if (stopped_) return true;
  // Only a cell within the picture can join a run, which keeps its box in range.
  if (!(size > 0 && x >= 0 && y >= 0 && x + size < surface_.width() && y + size < surface_.height()))
    return drawnLeafByLeaf();
  const PixelBox box = squareBox(x, y, size);
  if (!runnable(box, level)) return drawnLeafByLeaf();
  joinRun({x, y, size, 0, 0, 0, level, rs_.cellIndex}, box);
  return true;
}

// A cell that does not join a run is divided and drawn as ever; every leaf
// drawn one by one comes below such a cell, with no run joined in between.
bool Renderer::drawnLeafByLeaf() {
  if (streamBehind_) catchUpStream();
  return false;
}

// A cell joins a run when its leaves average below about half a pixel, each is
// small enough for a stamp, and all lie where the surface stamps them.
bool Renderer::runnable(const PixelBox& box, int16_t level) {
  const int rest = rs_.maxLevel - level;
  const int64_t width = int64_t{box.right} - box.left, height = int64_t{box.bottom} - box.top;
  checkDepth_ = kDeepestLevel;
  if (width > VisibleLeaves::kRunSide || height > VisibleLeaves::kRunSide) return false;
  if ((width + 1) * (height + 1) > leavesBelow(rs_.maxLevel, level)) {
    // Leaves as large as a pixel are so in every part of the cell: its parts need not ask.
    checkDepth_ = level;
    return false;
  }
  if (std::max(width, height) + 1 > (int64_t{10} << rest)) return false;
  constexpr int kMargin = PolygonStamps::kMargin;
  return box.left >= kMargin && box.top >= kMargin && box.right < surface_.width() - kMargin &&
         box.bottom < surface_.height() - kMargin;
}

void Renderer::joinRun(const RunCell& cell, const PixelBox& box) {
  const PixelBox joined = run_.empty() ? box : unite(runBox_, box);
  if (joined.right - joined.left > VisibleLeaves::kRunSide ||
      joined.bottom - joined.top > VisibleLeaves::kRunSide) {
    handOverRun();
    runBox_ = box;
  } else {
    runBox_ = joined;
  }
  run_.push_back(cell);
  passOver(leavesBelow(rs_.maxLevel, cell.level));
}

IntPoint Renderer::walkPixel(double x, double y) const { return padPixel(x, y, walkRule_.scale); }

void Renderer::startWalks() {
  walkRule_ = {state_.previewScale, rs_.maxLevel, state_.curFrame.order, state_.triangleMode,
               state_.tailPhase, state_.gapPeriod, state_.gapLength};
  if (!runs_ || runs_->threadAsked() != secondThread_)
    runs_ = std::make_unique<RunQueue>(*this, secondThread_);
}

// A full run joins the queue. What has come back is drawn; when the queue
// runs too far ahead, the oldest runs are walked or waited for and drawn.
void Renderer::handOverRun() {
  // Enough to keep the walking thread busy while this one draws.
  constexpr size_t kAhead = 4;
  queueRun();
  drawWalked(false);
  while (runs_->size() > kAhead && !stopped_) drawWalked(true);
}

void Renderer::queueRun() {
  std::unique_ptr<RunWalk> walk;
  if (spareWalks_.empty()) {
    walk = std::make_unique<RunWalk>();
  } else {
    walk = std::move(spareWalks_.back());
    spareWalks_.pop_back();
  }
  walk->cells.swap(run_);
  walk->box = runBox_;
  run_.clear();
  runs_->add(std::move(walk));
}

// Draws the walked runs at the head of the queue, in order; with `wait`, at
// least one when any is queued. The cell index is left where it was.
void Renderer::drawWalked(bool wait) {
  const int64_t end = rs_.cellIndex;
  while (std::unique_ptr<RunWalk> walk = runs_->next(wait)) {
    streamAt_ = -1;  // a stop check may have let the stream be touched
    drawShown(walk->shown);
    spareWalks_.push_back(std::move(walk));
    wait = false;
  }
  if (!stopped_) rs_.cellIndex = end;
}

// Leaves accounted for without drawing them yet; the stop check is asked as
// their cell indices go by, while runs before them may still be walking.
void Renderer::passOver(int64_t leaves) {
  rs_.cellIndex += leaves;
  streamBehind_ = true;
  if (rs_.cellIndex >= nextStopPoll_) {
    const int64_t due = nextStopPoll_;
    drawWalked(false);
    // The next ask falls where drawing every leaf would ask it.
    if (!pollStop()) nextStopPoll_ = due + ((rs_.cellIndex - due) / stopEvery_ + 1) * stopEvery_;
  }
}

// Draws every run so far, in order.
void Renderer::flushRun() {
  if (!run_.empty()) queueRun();
  while (runs_ && runs_->size() > 0) drawWalked(true);
}

void Renderer::walkRun(RunWalk& walk) const {
  walk.visible.begin(walk.box);
  walk.shown.clear();
  for (auto cell = walk.cells.rbegin(); cell != walk.cells.rend(); ++cell) {
    if (walkRule_.triangles)
      walkRunTriangle(walk, *cell);
    else
      walkSquare(walk, cell->x1, cell->y1, cell->x2, cell->level, cell->first);
  }
}

namespace {

inline bool singlePixel(const IntPoint* q) { return q[0] == q[1] && q[1] == q[2]; }

}  // namespace

// A triangle's corners and midpoints, in pad units (x, y pairs) and as pixels,
// each point converted once, in the arithmetic of leafQuartet.
struct Renderer::DividedTriangle {
  double x[12];
  IntPoint p[6];
  DividedTriangle(const double* corners, const IntPoint* pixels, double scale) {
    for (int i = 0; i < 6; ++i) x[i] = corners[i];
    for (int i = 0; i < 3; ++i) p[i] = pixels[i];
    divide(scale);
  }
  // Child `which` of a divided triangle, divided in turn.
  DividedTriangle(const DividedTriangle& parent, int which, double scale) {
    const int* c = kTriangleChildPoints[which];
    for (int i = 0; i < 3; ++i) {
      x[2 * i] = parent.x[2 * c[i]];
      x[2 * i + 1] = parent.x[2 * c[i] + 1];
      p[i] = parent.p[c[i]];
    }
    divide(scale);
  }
  void pixels(int child, IntPoint* pixels) const {
    const int* c = kTriangleChildPoints[child];
    pixels[0] = p[c[0]], pixels[1] = p[c[1]], pixels[2] = p[c[2]];
  }

 private:
  void divide(double scale) {
    x[6] = (x[0] + x[2]) / 2, x[7] = (x[1] + x[3]) / 2;
    x[8] = (x[2] + x[4]) / 2, x[9] = (x[3] + x[5]) / 2;
    x[10] = (x[0] + x[4]) / 2, x[11] = (x[1] + x[5]) / 2;
    for (int i = 0; i < 3; ++i)
      p[3 + i] = pixelPair((x[6 + 2 * i] - kPadLeft) * scale, (kPictureTop - x[7 + 2 * i]) * scale);
  }
  // floorToPixel of both, stored as one point: the walk reads points whole
  // right after, which a store in halves would hold up.
  static IntPoint pixelPair(double x, double y) {
#if defined(__SSE2__)
    __m128i pair;
    if (floorToPixelLanes(_mm_set_pd(y, x), pair)) {
      IntPoint point;
      _mm_storel_epi64(reinterpret_cast<__m128i*>(&point), pair);
      return point;
    }
#endif
    return {floorToPixel(x), floorToPixel(y)};
  }
};

void Renderer::walkRunTriangle(RunWalk& walk, const RunCell& cell) const {
  const double corners[6] = {cell.x1, cell.y1, cell.x2, cell.y2, cell.x3, cell.y3};
  const IntPoint p[3] = {walkPixel(cell.x1, cell.y1), walkPixel(cell.x2, cell.y2),
                         walkPixel(cell.x3, cell.y3)};
  if (p[0] == p[1] && p[1] == p[2]) return;
  if (cell.level >= walkRule_.maxLevel)
    considerLeaf(walk, cell.first, p, 3);
  else if (!walk.visible.hidden(boxOf(p[0], p[1], p[2])))
    walkTriangle(walk, DividedTriangle(corners, p, walkRule_.scale), cell.level, cell.first);
}

// Children last to first, so every pixel meets its last writer first. Each
// point is converted to a pixel once, where it is made. The two deepest levels
// are walked in one call: they hold most of the visits.
void Renderer::walkTriangle(RunWalk& walk, const DividedTriangle& cell, int16_t level,
                            int64_t first) const {
  const double scale = walkRule_.scale;
  const int16_t maxLevel = walkRule_.maxLevel;
  const auto next = static_cast<int16_t>(level + 1);
  const int64_t step = leavesBelow(maxLevel, next);
  const int* order = kTriangleOrder[walkRule_.order];
  IntPoint q[3];
  for (int i = 3; i >= 0; --i) {
    cell.pixels(order[i], q);
    if (singlePixel(q)) continue;  // nothing below sets a pixel
    const int64_t start = first + i * step;
    if (next >= maxLevel) {
      considerLeaf(walk, start, q, 3);
      continue;
    }
    if (walk.visible.hidden(boxOf(q[0], q[1], q[2]))) continue;
    const DividedTriangle child(cell, order[i], scale);
    if (next + 1 < maxLevel) {
      walkTriangle(walk, child, next, start);
      continue;
    }
    // Without gaps every leaf takes its pixels, and a small cell's four are known by shape.
    const int shown = rule_.gaps ? -1 : walk.visible.takeQuartet(child.p, walkRule_.order);
    IntPoint leaf[3];
    for (int j = 3; j >= 0; --j) {
      if (shown >= 0 && (shown >> j & 1) == 0) continue;
      child.pixels(order[j], leaf);
      if (shown >= 0)
        addShown(walk, start + j, leaf, 3);
      else if (!singlePixel(leaf))
        considerLeaf(walk, start + j, leaf, 3);
    }
  }
}

void Renderer::walkSquare(RunWalk& walk, double x, double y, double size, int16_t level,
                          int64_t first) const {
  if (level >= walkRule_.maxLevel) {
    const int32_t left = floorToPixel(x), right = floorToPixel(x + size);
    const int32_t top = floorToPixel(y), bottom = floorToPixel(y + size);
    const IntPoint points[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    considerLeaf(walk, first, points, 4);
    return;
  }
  if (walk.visible.hidden(squareBox(x, y, size))) return;
  const double h = size / 2;
  const auto next = static_cast<int16_t>(level + 1);
  const int64_t step = leavesBelow(walkRule_.maxLevel, next);
  for (int i = 3; i >= 0; --i) {
    const auto& offset = kSquareOrder[walkRule_.order][i];
    walkSquare(walk, offset[0] ? x + h : x, offset[1] ? y + h : y, h, next, first + i * step);
  }
}

// A leaf in a gap draws nothing; any other shows if it sets a pixel still free.
void Renderer::considerLeaf(RunWalk& walk, int64_t index, const IntPoint* points,
                            int count) const {
  if (rule_.gaps &&
      !gapOn(index, walkRule_.tailPhase, walkRule_.gapPeriod, walkRule_.gapLength, rule_.reverse))
    return;
  if (walk.visible.take(points, count)) addShown(walk, index, points, count);
}

void Renderer::addShown(RunWalk& walk, int64_t index, const IntPoint* points, int count) {
  ShownLeaf& leaf = walk.shown.emplace_back();
  leaf.index = index;
  leaf.count = count;
  for (int i = 0; i < count; ++i) leaf.points[i] = points[i];
}

// The kept leaves were found last first; they are drawn first first.
void Renderer::drawShown(const std::vector<ShownLeaf>& shown) {
  flushLeaves();  // the leaves drawn one by one before these
  sparseLeaves_ = true;
  drawShownLeaves(shown);
  flushLeaves();
  sparseLeaves_ = false;
}

void Renderer::drawShownLeaves(const std::vector<ShownLeaf>& shown) {
  const int64_t period = rule_.period;
  // Groups are powers of two, so most renders need no division.
  const int shift = rule_.mask >= 0 ? std::countr_zero(static_cast<uint64_t>(period)) : -1;
  for (auto leaf = shown.rbegin(); leaf != shown.rend(); ++leaf) {
    const int64_t index = leaf->index;
    rs_.cellIndex = index;
    if (index >= nextStopPoll_ && pollStop()) return;
    const int64_t group = shift >= 0 ? index >> shift : index / period;
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
  flushRun();
  if (streamBehind_) catchUpStream();
  run_.clear();
  pixelBound_ = false;
}

}  // namespace quill
