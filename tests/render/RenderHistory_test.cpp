// A picture depends on its record alone: one long-lived state, render state
// and renderer draw a list of varied records in several orders, and every
// picture equals a fresh render of the same record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "engine/FrameCapture.h"
#include "engine/FrameSettings.h"
#include "engine/Palettes.h"
#include "render/RenderCount.h"
#include "render/Renderer.h"
#include "support/RecordingSurface.h"

namespace quill {
namespace {

constexpr float kScale = 0.5f;

// What a picture is made of: the background cleared to and each polygon drawn.
struct Drawn {
  std::vector<IntPoint> points;
  Color fill;
  Color outline;
  bool operator==(const Drawn&) const = default;
};

struct Canvas {
  Canvas() { loadStartupDefaults(*state); }
  std::unique_ptr<PatternState> state = std::make_unique<PatternState>();
  RenderState renderState;
  RecordingSurface surface{400, 320};
  Renderer renderer{*state, renderState, surface};

  std::vector<Drawn> draw(const KeyFrame& record) {
    state->curFrame = record;
    adoptFrameSettings(*state);
    state->previewScale = kScale;
    renderState.cellSize = 8;
    translate(*state);
    surface.reset();
    renderer.draw();
    std::vector<Drawn> drawn;
    for (const auto& call : surface.calls()) drawn.push_back({call.points, call.fill, call.outline});
    return drawn;
  }
};

int pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

// Every colouring rule and blend variant, bases 2..16, presets and made-up
// palettes, grids in both orders and polygons, fades and gaps.
std::vector<KeyFrame> variedRecords() {
  std::mt19937 random(20261207);
  PatternState defaults;
  loadStartupDefaults(defaults);
  std::vector<KeyFrame> records;
  for (int i = 0; i < 30; ++i) {
    KeyFrame f = defaults.curFrame;
    f.triangleMode = toBool16(i % 3 != 0);
    f.spiralOrder = toBool16(i % 2 == 0);
    f.columnCount = static_cast<int16_t>(pick(random, 1, 7));
    f.rowCount = static_cast<int16_t>(pick(random, 1, 5));
    const int n = pick(random, 3, 9);
    f.vertexCount = static_cast<int16_t>(n);
    f.layerCount = static_cast<int16_t>(pick(random, 1, 5));
    for (int v = 1; v <= n; ++v) {
      const double angle = 2 * M_PI * v / n + 0.1 * i;
      f.vertexPoints[static_cast<size_t>(v)] = {200 * std::sin(angle), 200 * std::cos(angle)};
    }
    f.numberBase = static_cast<int16_t>(2 + i % 15);
    f.startValue = i % 5 == 0 ? 0 : pick(random, 1, 5000);
    f.blendOn = toBool16(i % 4 != 0);
    f.blendVariant = static_cast<int16_t>(i % 3);
    for (auto& w : f.blendWeights) w = static_cast<int16_t>(pick(random, 0, 100));
    if (i % 2 == 0) {
      f.palette = presetPalette(i % 3);
    } else {
      for (auto& c : f.palette) c = rgb(pick(random, 0, 255), pick(random, 0, 255), pick(random, 0, 255));
    }
    f.backColor = rgb(pick(random, 0, 255), pick(random, 0, 255), pick(random, 0, 255));
    f.levels = static_cast<int16_t>(pick(random, 0, 2));
    f.fractionsLimit = 4;
    f.fractions = static_cast<int16_t>(pick(random, 0, 3));
    f.order = static_cast<int16_t>(pick(random, 0, 5));
    f.tailLaunch = static_cast<int16_t>(pick(random, 1, 7));
    f.tailLength = static_cast<int16_t>(pick(random, 1, f.tailLaunch));
    f.drawLines = static_cast<int16_t>(i % 5 != 1);
    f.drawFills = static_cast<int16_t>(i % 7 != 3);
    records.push_back(f);
  }
  return records;
}

TEST(RenderHistory, EveryPictureEqualsAFreshRenderOfItsRecordInAnyOrder) {
  const std::vector<KeyFrame> records = variedRecords();
  std::vector<std::vector<Drawn>> fresh;
  for (const KeyFrame& record : records) fresh.push_back(Canvas().draw(record));

  std::vector<size_t> order(records.size());
  std::iota(order.begin(), order.end(), 0);
  std::mt19937 random(7);
  Canvas canvas;
  for (int pass = 0; pass < 4; ++pass) {
    if (pass == 1) std::reverse(order.begin(), order.end());
    if (pass >= 2) std::shuffle(order.begin(), order.end(), random);
    for (size_t i : order) {
      SCOPED_TRACE(testing::Message() << "pass " << pass << ", record " << i);
      ASSERT_EQ(canvas.draw(records[i]), fresh[i]);
    }
  }
}

// What a render leaves in the digit counter is known without drawing.
TEST(RenderHistory, TheCounterAfterARenderIsKnownBeforeIt) {
  std::vector<KeyFrame> records = variedRecords();
  records[3].startValue = 0;
  records[4].startValue = 9999;  // the list mode crosses into five digits
  records[4].blendOn = kFalse16;
  Canvas canvas;
  for (size_t i = 0; i < records.size(); ++i) {
    canvas.state->curFrame = records[i];
    adoptFrameSettings(*canvas.state);
    const int64_t expected = counterAfterRender(*canvas.state);
    canvas.draw(records[i]);
    EXPECT_EQ(canvas.state->digitCounter, expected) << "record " << i;
  }
}

}  // namespace
}  // namespace quill
