#include "animation/FeatureValues.h"

#include <gtest/gtest.h>

#include <cmath>

#include "animation/GeometryFrames.h"
#include "engine/CellGeometry.h"
#include "engine/Palettes.h"

namespace quill {
namespace {

class FeatureValuesTest : public ::testing::Test {
 protected:
  FeatureValuesTest() {
    state.chipColors = presetPalette(0);
    state.curFrame.vertexCount = 6;
    placeRegularVertices(state, 6);
    state.curFrame.vertexPoints = state.vertexPoints;
  }
  void apply(int feature, int16_t step) { applyValueFeature(state, controls, gradient, feature, step); }

  PatternState state;
  FeatureControls controls;
  Gradient gradient;
};

// start, end, steps, then step: value pairs; a start above the end counts down.
TEST_F(FeatureValuesTest, RangedFeaturesPingPongAndCountDownWhenReversed) {
  const struct {
    int start, end, n;
    std::vector<std::pair<int, int>> stepValue;
  } cases[] = {
      {2, 16, 150, {{0, 2}, {10, 3}, {149, 16}, {150, 16}, {299, 2}, {300, 2}}},
      {5, 5, 10, {{0, 5}, {15, 5}}},
      {16, 2, 150, {{0, 16}, {10, 15}, {149, 2}, {150, 2}, {299, 16}}},
      {7, 6, 4, {{0, 7}, {2, 6}, {4, 6}, {6, 7}}},
  };
  for (const auto& c : cases) {
    for (auto [step, value] : c.stepValue)
      EXPECT_EQ(rangedValue(c.start, c.end, step, c.n), value) << c.start << ".." << c.end << " step " << step;
  }
}

// Continuous layers sweep in fractions (15.0: 15 whole layers and an empty
// band), discrete ones in whole steps; "end at" 99 sweeps up to 100 layers and
// a full band, which the 101 slots of the tables hold.
TEST_F(FeatureValuesTest, ConcentricPolygonsContinuousAndDiscrete) {
  for (auto [continuous, step, value] : {std::tuple{true, 0, 10.0}, {true, 50, 15.0}, {true, 100, 20.0},
                                         {true, 150, 15.0}, {false, 0, 10.0}, {false, 9, 10.0}, {false, 10, 11.0},
                                         {false, 99, 19.0}, {false, 100, 19.0}}) {
    controls.layersContinuous = continuous;
    apply(3, static_cast<int16_t>(step));
    EXPECT_DOUBLE_EQ(state.layerValue, value) << continuous << " " << step;
    if (step == 150) {
      EXPECT_EQ(state.curFrame.layerCount, 16);
    }
  }
  controls.layersContinuous = true;
  controls.layersStart = 99, controls.layersEnd = 99, controls.inward = false;
  apply(3, 100);
  EXPECT_EQ(std::pair(state.layerValue, int(state.curFrame.layerCount)), std::pair(100.0, 101));
  EXPECT_NEAR(state.cellCorner(6, 101, 102).x, state.layerPoints[101][7].x, 1e-9);
  EXPECT_NEAR(state.cellCorner(6, 101, 102).y, state.layerPoints[101][7].y, 1e-9);
}

// Discrete: a place per 10 steps of 160, halves to the even neighbour. The
// gradient runs 160 \ 7 = 22 steps a chip and back; fewer steps than chips
// give a span of one step, never zero.
TEST_F(FeatureValuesTest, PaletteDiscreteShiftsAndGradientFlows) {
  controls.gradient = false;
  controls.steps[1] = 160;
  apply(1, 10);
  EXPECT_EQ(std::pair(state.curFrame.palette[0], state.curFrame.palette[15]),
            std::pair(state.chipColors[1], state.chipColors[0]));
  apply(1, 5);
  EXPECT_EQ(state.curFrame.palette[0], state.chipColors[0]);
  EXPECT_EQ(std::pair(state.curFrame.palette[1], state.curFrame.palette[2]),
            std::pair(state.chipColors[2], state.chipColors[2]));
  controls.gradient = true;
  rebuildGradient(gradient, state.chipColors, 160, 7);
  ASSERT_EQ(gradient.table.size(), 321u);
  EXPECT_EQ(std::pair(gradient.table[0], gradient.table[22]), std::pair(state.chipColors[0], state.chipColors[1]));
  EXPECT_EQ(gradient.table[320 - 5], gradient.table[5]);
  apply(1, 3);
  EXPECT_EQ(state.curFrame.palette[2], gradient.table[2 * 22 + 3]);
  rebuildGradient(gradient, state.chipColors, 3, 15);
  EXPECT_EQ(gradient.table[1], state.chipColors[1]);
  controls.gridChips = 15;
  apply(1, 2);
  EXPECT_EQ(state.curFrame.palette[1], gradient.table[3]);
  // Whole channels towards the second; 1 - 1/3 in single precision is a hair
  // under 2/3, so 255 of it truncates to 169.
  EXPECT_EQ(mixColor(1, 4, rgb(200, 10, 0), rgb(0, 210, 255)), rgb(150, 60, 63));
  EXPECT_EQ(mixColor(1, 3, rgb(255, 255, 255), kBlack), rgb(169, 169, 169));
}

// Steps of 1 up, then 4 back; stops at 0, from where it restarts at the digit
// counter; continuation saturates at i32.
TEST_F(FeatureValuesTest, StartValueStepsAndNeverGoesBelowZero) {
  state.curFrame.startValue = 5;
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, 6);
  controls.backwards = true;
  controls.startStep = 4;
  for (int32_t want : {2, 0}) {
    apply(0, 0);
    EXPECT_EQ(state.curFrame.startValue, want);
  }
  state.digitCounter = 96;
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, 92);
  controls.continuation = true;
  state.digitCounter = int64_t{1} << 40;
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, INT32_MAX);
}

// The tail phase moves by the step without wrapping (the length rounds half
// to even); a vertex step places a regular polygon with a layer more.
TEST_F(FeatureValuesTest, TailChaserAndVertices) {
  controls.tailLaunch = 5, controls.tailLength = 2.5, controls.tailStep = 1;
  apply(6, 0);
  apply(6, 1);
  EXPECT_EQ(std::tuple(state.tailPhase, state.curFrame.tailLength, state.curFrame.tailLaunch), std::tuple(2, 2, 5));
  state.tailPhase = 32767;
  apply(6, 0);
  EXPECT_EQ(state.tailPhase, 32768);
  controls.tailStep = 1e300;
  apply(6, 0);
  EXPECT_EQ(state.tailPhase, int64_t{1000000000000000});

  controls.verticesStart = 3, controls.verticesEnd = 10;
  state.layerValue = 4;
  apply(4, 50);  // (8 x 50) \ 100 = 4: the fifth value
  EXPECT_EQ(std::tuple(state.curFrame.vertexCount, state.vertexCount, state.curFrame.layerCount), std::tuple(7, 7, 5));
  EXPECT_NEAR(state.curFrame.vertexPoints[1].y, 240, 1e-9);
}

}  // namespace
}  // namespace quill
