// Properties of whole renders of random records with a fixed seed: a picture
// depends on its record alone, what it leaves in the counter is known before
// it is drawn, and leaving out leaves that cannot show changes nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <numeric>
#include <random>
#include <string>

#include "engine/CellGeometry.h"
#include "engine/FrameCapture.h"
#include "engine/FrameSettings.h"
#include "engine/Palettes.h"
#include "gfx/RasterSurface.h"
#include "render/RenderCount.h"
#include "render/Renderer.h"
#include "support/RecordingSurface.h"

namespace quill {
namespace {

struct Record {
  KeyFrame frame;
  int width = 500;  // the picture is 4:5
  int lineWidth = 1;
  double cellSize = 8;
  bool reverse = false;
  int64_t tailPhase = 0;
  bool tailReverse = false;
  std::string summary;
};

// Every colouring rule and blend variant (3 is unknown: black, counting
// nothing), bases 2..16, presets and made-up palettes, irregular polygons
// (some running off the picture) and grids in both orders, division in every
// order (4 and 5 only a damaged file holds), fades, gaps and tails; about
// `leafBudget` leaves at most.
Record randomRecord(std::mt19937& rng, int minLevels, int maxLevels, int64_t leafBudget) {
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  static const KeyFrame startup = [] {
    auto s = std::make_unique<PatternState>();
    loadStartupDefaults(*s);
    return s->curFrame;
  }();
  Record r;
  KeyFrame& f = r.frame = startup;
  f.levels = static_cast<int16_t>(pick(minLevels, maxLevels));
  f.order = static_cast<int16_t>(pick(0, 5));
  if (pick(0, 1)) {
    f.palette = presetPalette(pick(0, 2));
  } else {
    for (Color& c : f.palette) c = pick(0, 0xFFFFFF);
  }
  f.backColor = pick(0, 0xFFFFFF);
  f.numberBase = static_cast<int16_t>(pick(2, 16));
  f.startValue = std::array{0, pick(1, 30), pick(1, 2000000000)}[static_cast<size_t>(pick(0, 2))];
  f.blendOn = toBool16(pick(0, 1));
  f.blendVariant = static_cast<int16_t>(pick(0, 3));
  for (int16_t& w : f.blendWeights) w = static_cast<int16_t>(pick(0, 250));
  f.fractionsLimit = 9, f.fractions = static_cast<int16_t>(pick(0, 9));
  f.tailLaunch = static_cast<int16_t>(pick(1, 9));
  f.tailLength = static_cast<int16_t>(pick(0, 9));
  f.drawLines = static_cast<int16_t>(pick(0, 1)), f.drawFills = static_cast<int16_t>(pick(0, 1));
  r.tailPhase = pick(0, 40), r.tailReverse = pick(0, 3) == 0, r.reverse = pick(0, 3) == 0;
  r.width = std::array{120, 240, 333, 500}[static_cast<size_t>(pick(0, 3))];
  r.lineWidth = pick(0, 4) == 0 ? pick(2, 3) : 1;
  const int64_t perCell = int64_t{1} << (2 * f.levels);
  f.triangleMode = toBool16(pick(0, 2) > 0);
  if (f.triangleMode) {
    const int n = pick(3, 23);
    const int most = static_cast<int>(std::sqrt(static_cast<double>(leafBudget) / static_cast<double>(perCell * n)));
    f.vertexCount = static_cast<int16_t>(n);
    f.layerCount = static_cast<int16_t>(pick(1, std::clamp(most, 1, 99)));
    f.centerX = pick(-60, 60), f.centerY = pick(-40, 40);
    const double radius = pick(40, 320);
    for (int i = 1; i <= n; ++i) {
      const double angle = 2 * std::numbers::pi * i / n + pick(0, 10) / 100.0;
      f.vertexPoints[static_cast<size_t>(i)] = {f.centerX + radius * std::cos(angle), f.centerY + radius * std::sin(angle)};
    }
    r.summary = std::to_string(n) + " x " + std::to_string(f.layerCount);
  } else {
    const int side = std::max<int>(1, static_cast<int>(std::sqrt(static_cast<double>(leafBudget / perCell))));
    f.columnCount = static_cast<int16_t>(pick(1, side)), f.rowCount = static_cast<int16_t>(pick(1, side));
    f.spiralOrder = toBool16(pick(0, 1));
    r.cellSize = pick(150, 4000) / 100.0;
    r.summary = "grid " + std::to_string(f.columnCount) + " x " + std::to_string(f.rowCount);
  }
  r.summary += " levels " + std::to_string(f.levels) + " order " + std::to_string(f.order) + " width " +
               std::to_string(r.width) + " blend " + std::to_string(f.blendOn) + "/" + std::to_string(f.blendVariant);
  return r;
}

// A state ready to draw the record.
void adopt(PatternState& state, RenderState& renderState, const Record& r) {
  state.curFrame = r.frame;
  adoptFrameSettings(state);
  state.tailPhase = r.tailPhase, state.tailReverse = r.tailReverse;
  state.previewScale = static_cast<float>(r.width / 625.0);
  renderState.cellSize = r.cellSize;
  translate(state);
}

// What a picture is made of: the background cleared to and each polygon drawn.
struct Drawn {
  std::vector<IntPoint> points;
  Color fill;
  Color outline;
  bool operator==(const Drawn&) const = default;
};

// One long-lived state, render state and renderer draw the records in several
// orders; every picture equals a fresh render of the same record, and leaves
// the counter that was known before drawing.
TEST(RenderRecords, EveryPictureEqualsAFreshRenderOfItsRecordInAnyOrder) {
  std::mt19937 rng(20261207);
  std::vector<Record> records;
  for (int i = 0; i < 30; ++i) records.push_back(randomRecord(rng, 0, 2, 2000));
  struct Canvas {
    std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
    RenderState renderState;
    RecordingSurface surface{400, 320};
    Renderer renderer{*state, renderState, surface};
    std::vector<Drawn> draw(const Record& r) {
      adopt(*state, renderState, r);
      renderer.setReverseDirection(r.reverse);
      const int64_t counter = counterAfterRender(*state);
      surface.reset();
      renderer.draw();
      EXPECT_EQ(state->digitCounter, counter) << r.summary;
      std::vector<Drawn> drawn;
      for (const auto& call : surface.calls()) drawn.push_back({call.points, call.fill, call.outline});
      return drawn;
    }
  };
  std::vector<std::vector<Drawn>> fresh;
  for (const Record& record : records) fresh.push_back(Canvas().draw(record));
  std::vector<size_t> order(records.size());
  std::iota(order.begin(), order.end(), 0);
  Canvas canvas;
  for (int pass = 0; pass < 4; ++pass) {
    if (pass == 1) std::reverse(order.begin(), order.end());
    if (pass >= 2) std::shuffle(order.begin(), order.end(), rng);
    for (size_t i : order) ASSERT_EQ(canvas.draw(records[i]), fresh[i]) << "pass " << pass << ": " << records[i].summary;
  }
}

// Records whose leaves fall below a pixel, drawn on the scanline surface with
// and without the leaves that cannot show: the same pixels, the same count.
TEST(RenderRecords, PixelBoundDrawsTheSamePixelsAndCountsAsEveryLeaf) {
  std::mt19937 rng(20261207);
  for (int i = 0; i < 40; ++i) {
    const Record record = randomRecord(rng, 5, 7, 400000);
    SCOPED_TRACE(record.summary);
    struct Drawn {
      QImage image;
      int64_t counter, leaves;
      int16_t pendingDigits;
    } drawn[2];
    for (int every = 0; every < 2; ++every) {
      auto state = std::make_unique<PatternState>();
      RenderState renderState;
      adopt(*state, renderState, record);
      RasterSurface surface(record.width, record.width * 4 / 5);
      surface.setLineWidth(record.lineWidth);
      Renderer renderer(*state, renderState, surface);
      renderer.setDrawEveryLeaf(every == 1);
      renderer.setReverseDirection(record.reverse);
      const int64_t known = counterAfterRender(*state), counter = renderer.draw();
      EXPECT_EQ(counter, known);
      drawn[every] = {surface.image().copy(), counter, renderState.cellIndex, state->pendingDigits};
    }
    EXPECT_TRUE(drawn[0].image == drawn[1].image);
    EXPECT_EQ(std::tuple(drawn[0].counter, drawn[0].leaves, drawn[0].pendingDigits),
              std::tuple(drawn[1].counter, drawn[1].leaves, drawn[1].pendingDigits));
  }
}

// The stop check is asked as the cell index jumps a run at a time, as often
// as drawing every leaf asks it, and it still stops the render.
TEST(RenderRecords, PixelBoundStopChecksAreAskedAsCellIndicesGoByAndStopTheRender) {
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
    EXPECT_EQ(renderer.stopped(), stopAt > 0);
    if (stopAt < 0) {
      EXPECT_GE(asked, leaves / kEvery - 1);
      EXPECT_EQ(renderState.cellIndex, leaves);
    } else {
      EXPECT_EQ(asked, stopAt);
      EXPECT_LT(renderState.cellIndex, (stopAt + 2) * kEvery);
    }
  }
}

}  // namespace
}  // namespace quill
