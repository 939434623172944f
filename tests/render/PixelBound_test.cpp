// Leaving out leaves that cannot show changes nothing: random records whose
// leaves fall below a pixel, drawn on the scanline surface with and without.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <string>

#include "engine/CellGeometry.h"
#include "engine/FrameCapture.h"
#include "gfx/RasterSurface.h"
#include "render/RenderCount.h"
#include "render/Renderer.h"

namespace quill {
namespace {

struct Record {
  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState renderState;
  int width = 0;
  int lineWidth = 1;
  bool reverse = false;
  std::string summary;
};

struct Drawn {
  QImage image;
  int64_t counter = 0;
  int64_t leaves = 0;
  int16_t pendingDigits = 0;
};

Drawn draw(const Record& record, bool everyLeaf) {
  PatternState state = *record.state;
  RenderState renderState = record.renderState;
  RasterSurface surface(record.width, record.width * 4 / 5);
  surface.setLineWidth(record.lineWidth);
  Renderer renderer(state, renderState, surface);
  renderer.setDrawEveryLeaf(everyLeaf);
  renderer.setReverseDirection(record.reverse);
  Drawn drawn;
  drawn.counter = renderer.draw();
  drawn.leaves = renderState.cellIndex;
  drawn.pendingDigits = state.pendingDigits;
  drawn.image = surface.image().copy();
  return drawn;
}

// Up to about kLeafBudget leaves, so drawing every leaf stays quick.
constexpr int64_t kLeafBudget = 400000;

void randomShape(std::mt19937& rng, Record& r) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  KeyFrame& f = r.state->curFrame;
  const int64_t perCell = int64_t{1} << (2 * f.levels);
  if (pick(0, 2) > 0) {
    const int n = pick(3, 23);
    const int most = static_cast<int>(std::sqrt(static_cast<double>(kLeafBudget) / (perCell * n)));
    f.vertexCount = static_cast<int16_t>(n);
    f.layerCount = static_cast<int16_t>(pick(1, std::clamp(most, 1, 99)));
    f.centerX = pick(-60, 60);
    f.centerY = pick(-40, 40);
    const double radius = pick(40, 320);  // the largest run off the picture
    for (int i = 1; i <= n; ++i) {
      const double angle = 2 * std::numbers::pi * i / n + pick(0, 10) / 100.0;
      f.vertexPoints[static_cast<size_t>(i)] = {f.centerX + radius * std::cos(angle),
                                                f.centerY + radius * std::sin(angle)};
    }
    r.state->triangleMode = true;
    r.state->previewScale = static_cast<float>(r.width / 625.0);
    translate(*r.state);
    r.summary = std::to_string(n) + " x " + std::to_string(f.layerCount);
  } else {
    const int side = std::max<int>(1, static_cast<int>(std::sqrt(kLeafBudget / perCell)));
    f.columnCount = static_cast<int16_t>(pick(1, side));
    f.rowCount = static_cast<int16_t>(pick(1, side));
    f.spiralOrder = pick(0, 1) ? kTrue16 : kFalse16;
    r.state->triangleMode = false;
    r.renderState.cellSize = pick(150, 4000) / 100.0;
    r.summary = "grid " + std::to_string(f.columnCount) + " x " + std::to_string(f.rowCount) +
                (f.spiralOrder ? " spiral" : " book");
  }
}

Record randomRecord(std::mt19937& rng) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Record r;
  PatternState& s = *r.state;
  loadStartupDefaults(s);
  KeyFrame& f = s.curFrame;
  f.levels = static_cast<int16_t>(pick(5, 7));
  f.order = static_cast<int16_t>(pick(0, 3));
  for (Color& c : f.palette) c = pick(0, 0xFFFFFF);
  f.numberBase = static_cast<int16_t>(pick(2, 16));
  const int starts[] = {0, pick(1, 30), pick(1, 2000000000)};
  f.startValue = starts[pick(0, 2)];
  f.blendOn = pick(0, 1) ? kTrue16 : kFalse16;
  f.blendVariant = static_cast<int16_t>(pick(0, 3));  // 3 is unknown: black, counting nothing
  for (int16_t& w : f.blendWeights) w = static_cast<int16_t>(pick(0, 250));
  f.fractions = static_cast<int16_t>(pick(0, 9));
  f.tailLaunch = static_cast<int16_t>(pick(1, 9));
  f.tailLength = static_cast<int16_t>(pick(0, 9));
  s.tailPhase = pick(0, 40);
  s.tailReverse = pick(0, 3) == 0;
  r.reverse = pick(0, 3) == 0;
  f.drawLines = static_cast<int16_t>(pick(0, 1));
  f.drawFills = static_cast<int16_t>(pick(0, 1));
  const int widths[] = {120, 240, 333, 500};
  r.width = widths[pick(0, 3)];
  r.lineWidth = pick(0, 4) == 0 ? pick(2, 3) : 1;
  randomShape(rng, r);
  r.summary += " levels " + std::to_string(f.levels) + " width " + std::to_string(r.width) +
               " line " + std::to_string(r.lineWidth) + " blend " + std::to_string(f.blendOn) + "/" +
               std::to_string(f.blendVariant) + " fractions " + std::to_string(f.fractions);
  return r;
}

TEST(PixelBound, DrawsTheSamePixelsAndCountsAsEveryLeaf) {
  std::mt19937 rng(20261207);
  for (int i = 0; i < 40; ++i) {
    const Record record = randomRecord(rng);
    SCOPED_TRACE(record.summary);
    const Drawn every = draw(record, true);
    const Drawn bound = draw(record, false);
    EXPECT_TRUE(bound.image == every.image);
    EXPECT_EQ(bound.counter, every.counter);
    EXPECT_EQ(bound.counter, counterAfterRender(*record.state));
    EXPECT_EQ(bound.pendingDigits, every.pendingDigits);
    EXPECT_EQ(bound.leaves, every.leaves);
  }
}

// The stop check is asked as the cell index jumps a run at a time, as often
// as drawing every leaf asks it, and it still stops the render.
TEST(PixelBound, StopChecksAreAskedAsCellIndicesGoByAndStopTheRender) {
  PatternState state;
  loadStartupDefaults(state);
  placeRegularVertices(state, 23);
  state.curFrame.vertexPoints = state.vertexPoints;
  state.curFrame.vertexCount = 23;
  state.curFrame.layerCount = 8;
  state.curFrame.levels = 6;
  state.previewScale = 500 / 625.0f;
  translate(state);
  const int64_t leaves = leafCount(state);
  constexpr int64_t kEvery = 4096;
  for (const int64_t stopAt : {int64_t{-1}, int64_t{20}}) {
    RenderState renderState;
    RasterSurface surface(500, 400);
    Renderer renderer(state, renderState, surface);
    int64_t asked = 0;
    renderer.setStopCheck([&] { return ++asked == stopAt; }, kEvery);
    renderer.draw();
    if (stopAt < 0) {
      EXPECT_FALSE(renderer.stopped());
      EXPECT_GE(asked, leaves / kEvery - 1);
      EXPECT_EQ(renderState.cellIndex, leaves);
    } else {
      EXPECT_TRUE(renderer.stopped());
      EXPECT_EQ(asked, stopAt);
      EXPECT_LT(renderState.cellIndex, (stopAt + 2) * kEvery);
    }
  }
}

}  // namespace
}  // namespace quill
