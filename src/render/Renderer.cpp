#include "render/Renderer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/DigitStream.h"
#include "engine/SpiralWalk.h"
#include "render/RunQueue.h"

namespace quill {

namespace {

// 2^62 is the largest group a 64-bit leaf index can tell apart.
constexpr int kMaxFractions = 62;

}  // namespace

Renderer::Renderer(PatternState& state, RenderState& renderState, Surface& surface)
    : state_(state), rs_(renderState), surface_(surface), digits_(state) {}

// Marks the span of one render, however it returns, and hands the surface
// the leaves still batched at its end.
struct Renderer::RenderSpan {
  explicit RenderSpan(Renderer& renderer) : renderer_(renderer) { renderer_.inRender_ = true; }
  ~RenderSpan() {
    renderer_.endPixelBound();
    renderer_.flushLeaves();
    renderer_.inRender_ = false;
  }
  RenderSpan(const RenderSpan&) = delete;
  RenderSpan& operator=(const RenderSpan&) = delete;
  Renderer& renderer_;
};

void Renderer::flushLeaves() {
  if (batched_ > 0) {
    if (sparseLeaves_)
      surface_.drawSparsePolygons(batch_.data(), batched_);
    else
      surface_.drawPolygons(batch_.data(), batched_);
  }
  batched_ = 0;
}

Color Renderer::nextColour() {
  if (inRender_) return digits_.next();
  return state_.curFrame.blendOn != 0 ? blendColor(state_) : nextDigitColor(state_);
}

void Renderer::setStopCheck(std::function<bool()> check, int64_t leaves) {
  stopCheck_ = std::move(check);
  stopEvery_ = std::max<int64_t>(leaves, 1);
  nextStopPoll_ = stopCheck_ ? rs_.cellIndex + stopEvery_ : kNever;
}

bool Renderer::pollStop() {
  if (stopped_) return true;
  nextStopPoll_ = rs_.cellIndex + stopEvery_;
  flushLeaves();  // whoever looks at the picture now sees every leaf so far
  if (stopCheck_ && stopCheck_()) {
    stopped_ = true;
    nextStopPoll_ = rs_.cellIndex;  // every later leaf lands here and turns back
  }
  return stopped_;
}

int64_t Renderer::draw() {
  if (state_.triangleMode)
    drawPolygon();
  else if (state_.curFrame.spiralOrder != 0)
    drawSpiralGrid();
  else
    drawBookGrid();
  return state_.digitCounter;
}

void Renderer::prologue(bool grid) {
  const KeyFrame& f = state_.curFrame;
  stopped_ = false;
  nextStopPoll_ = stopCheck_ ? stopEvery_ : kNever;

  rs_.cellIndex = 0;
  // The first group fades towards black, never towards a colour left by the
  // picture before: a record draws the same whatever was drawn ahead of it.
  rs_.currentColor = kBlack;
  // A damaged frame's negative or huge exponents would leave no whole group size.
  rs_.fractionPeriod = std::ldexp(1.0, std::clamp<int>(f.fractions, 0, kMaxFractions));
  rs_.maxLevel = std::clamp<int16_t>(f.levels, 0, kDeepestLevel);
  state_.gapLength = f.tailLength;
  state_.gapPeriod = f.tailLaunch;
  rule_ = leafRule();
  firstColour_ = rs_.currentColor;
  pixelBound_ = !drawEveryLeaf_ && metafile_ == nullptr && surface_.opaqueScanline() &&
                surface_.lineWidth() == 1 && rs_.maxLevel > 0;
  streamBehind_ = false;
  checkDepth_ = kDeepestLevel;
  streamAt_ = -1;
  groupColours_ = {};
  run_.clear();
  if (pixelBound_) startWalks();
  if (grid) surface_.clear(background_.value_or(f.backColor));
  resetDigitStream(state_);
  digits_.restart();
}

void Renderer::drawPolygon() {
  const RenderSpan span(*this);
  prologue(false);
  const KeyFrame& f = state_.curFrame;
  if (state_.digitCounter == 0) rs_.currentColor = f.palette[(f.numberBase - 1) & 15];
  firstColour_ = rs_.currentColor;

  const auto [n, layers] = polygonExtent(f);
  const Point centre{state_.centerX, state_.centerY};
  const auto& q = state_.layerPoints[1];
  for (int i = 1; i <= n && layers >= 1 && !stopped_; ++i) subdivideCell(centre, q[i], q[i + 1]);

  for (int j = 2; j <= layers; ++j) {
    for (int i = 1; i <= n; ++i) {
      if (stopped_) return;
      for (int m = 2; m <= j; ++m) {
        const Point& outer = state_.cellCorner(i, j, m);
        const Point& inner = state_.cellCorner(i, j - 1, m);
        subdivideCell(outer, inner, state_.cellCorner(i, j - 1, m - 1));
        subdivideCell(outer, inner, state_.cellCorner(i, j, m + 1));
      }
      // The next sector's first triangle closes this one's run.
      const int k = i == n ? 1 : i + 1;
      subdivideCell(state_.cellCorner(k, j, 1), state_.cellCorner(k, j - 1, 1),
                  state_.cellCorner(k, j, 2));
    }
  }
}

void Renderer::drawSpiralGrid() {
  const RenderSpan span(*this);
  prologue(true);
  spiralStart(state_);
  rs_.cellPenWidth = 1;
  const int64_t cells = int64_t{state_.curFrame.rowCount} * state_.curFrame.columnCount;
  for (int64_t c = 0; c < cells && !stopped_; ++c) {
    subdivideSquare(rs_.cellSize * state_.spiralCol, rs_.cellSize * state_.spiralRow, rs_.cellSize, 0);
    spiralStep(state_);
  }
}

void Renderer::drawBookGrid() {
  const RenderSpan span(*this);
  prologue(true);
  rs_.cellPenWidth = 1;
  const int rows = state_.curFrame.rowCount;
  const int cols = state_.curFrame.columnCount;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (stopped_) return;
      subdivideSquare(rs_.cellSize * c, rs_.cellSize * r, rs_.cellSize, 0);
    }
  }
}

}  // namespace quill
