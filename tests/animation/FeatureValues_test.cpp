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

TEST_F(FeatureValuesTest, RangedFeaturesPingPongAndCountDownWhenReversed) {
  struct Case {
    int start, end, n;
    std::vector<std::pair<int, int>> stepValue;
  } cases[] = {
      {2, 16, 150, {{0, 2}, {10, 3}, {149, 16}, {150, 16}, {299, 2}, {300, 2}}},
      {5, 5, 10, {{0, 5}, {15, 5}}},
      {16, 2, 150, {{0, 16}, {10, 15}, {149, 2}, {150, 2}, {299, 16}}},  // start above end
      {7, 6, 4, {{0, 7}, {2, 6}, {4, 6}, {6, 7}}},                       // start = end + 1
  };
  for (const Case& c : cases) {
    for (auto [step, value] : c.stepValue) {
      EXPECT_EQ(rangedValue(c.start, c.end, step, c.n), value) << c.start << ".." << c.end << " step " << step;
    }
  }
  controls.baseStart = 26, controls.baseEnd = 2;
  for (int16_t step : {0, 75, 149, 150, 299}) {
    apply(2, step);
    EXPECT_GE(state.curFrame.numberBase, 2);
    EXPECT_LE(state.curFrame.numberBase, 26);
  }
}

TEST_F(FeatureValuesTest, ConcentricPolygonsContinuousAndDiscrete) {
  const std::pair<int16_t, double> continuous[] = {{0, 10.0}, {50, 15.0}, {100, 20.0}, {150, 15.0}};
  for (auto [step, value] : continuous) {
    apply(3, step);
    EXPECT_DOUBLE_EQ(state.layerValue, value) << step;
  }
  EXPECT_EQ(state.curFrame.layerCount, 16);  // 15.0: 15 whole layers and an empty band
  controls.layersContinuous = false;
  const std::pair<int16_t, double> discrete[] = {{0, 10}, {9, 10}, {10, 11}, {99, 19}, {100, 19}};
  for (auto [step, value] : discrete) {
    apply(3, step);
    EXPECT_EQ(state.layerValue, value) << step;
  }
  // "end at" 99 sweeps up to 100 layers and a full band: 101 layers fit the tables.
  controls.layersContinuous = true;
  controls.layersStart = 99, controls.layersEnd = 99, controls.inward = false;
  apply(3, 100);
  EXPECT_EQ(state.layerValue, 100);
  EXPECT_EQ(state.curFrame.layerCount, 101);
  EXPECT_NEAR(state.cellCorner(6, 101, 102).x, state.layerPoints[101][7].x, 1e-9);
  EXPECT_NEAR(state.cellCorner(6, 101, 102).y, state.layerPoints[101][7].y, 1e-9);
}

TEST_F(FeatureValuesTest, PaletteDiscreteShiftsAndGradientFlows) {
  controls.gradient = false;
  controls.steps[1] = 160;
  apply(1, 10);
  EXPECT_EQ(state.curFrame.palette[0], state.chipColors[1]);
  EXPECT_EQ(state.curFrame.palette[15], state.chipColors[0]);
  apply(1, 5);  // half a place: halves go to the even neighbour
  EXPECT_EQ(state.curFrame.palette[0], state.chipColors[0]);
  EXPECT_EQ(state.curFrame.palette[1], state.chipColors[2]);
  EXPECT_EQ(state.curFrame.palette[2], state.chipColors[2]);

  controls.gradient = true;
  rebuildGradient(gradient, state.chipColors, 160, 7);
  ASSERT_EQ(gradient.table.size(), 321u);
  EXPECT_EQ(gradient.table[0], state.chipColors[0]);
  EXPECT_EQ(gradient.table[22], state.chipColors[1]);  // span 160 \ 7 = 22
  EXPECT_EQ(gradient.table[320 - 5], gradient.table[5]);
  apply(1, 3);
  EXPECT_EQ(state.curFrame.palette[2], gradient.table[2 * 22 + 3]);

  // Fewer steps than chips: the span is one step, never zero.
  rebuildGradient(gradient, state.chipColors, 3, 15);
  EXPECT_EQ(gradient.table[1], state.chipColors[1]);
  controls.gridChips = 15;
  apply(1, 2);
  EXPECT_EQ(state.curFrame.palette[1], gradient.table[3]);
}

TEST_F(FeatureValuesTest, MixColourTakesWholeChannelsTowardsTheSecond) {
  EXPECT_EQ(mixColor(0, 4, rgb(200, 10, 0), rgb(0, 210, 255)), rgb(200, 10, 0));
  EXPECT_EQ(mixColor(1, 4, rgb(200, 10, 0), rgb(0, 210, 255)), rgb(150, 60, 63));
  // 1 - 1/3 in single precision is a hair under 2/3: 255 of it truncates to 169.
  EXPECT_EQ(mixColor(1, 3, rgb(255, 255, 255), kBlack), rgb(169, 169, 169));
}

TEST_F(FeatureValuesTest, StartValueStepsAndNeverGoesBelowZero) {
  state.curFrame.startValue = 5;
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, 6);
  controls.backwards = true;
  controls.startStep = 4;
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, 2);
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, 0);  // stops at 0 and the run goes on
  state.digitCounter = 96;
  apply(0, 0);  // from 0 it restarts at the digit counter
  EXPECT_EQ(state.curFrame.startValue, 92);
  controls.continuation = true;
  state.digitCounter = int64_t{1} << 40;
  apply(0, 0);
  EXPECT_EQ(state.curFrame.startValue, INT32_MAX);
}

TEST_F(FeatureValuesTest, TailChaserMovesThePhaseWithoutWrapping) {
  controls.tailLaunch = 5, controls.tailLength = 2.5, controls.tailStep = 1;
  apply(6, 0);
  apply(6, 1);
  EXPECT_EQ(state.tailPhase, 2);
  EXPECT_EQ(state.curFrame.tailLength, 2);
  EXPECT_EQ(state.curFrame.tailLaunch, 5);
  state.tailPhase = 32767;
  apply(6, 0);
  EXPECT_EQ(state.tailPhase, 32768);
  controls.tailStep = 1e300;
  apply(6, 0);
  EXPECT_EQ(state.tailPhase, int64_t{1000000000000000});
}

TEST_F(FeatureValuesTest, VerticesFeaturePlacesARegularPolygon) {
  controls.verticesStart = 3, controls.verticesEnd = 10;
  state.layerValue = 4;
  apply(4, 50);  // (8 x 50) \ 100 = 4: the fifth value
  EXPECT_EQ(state.curFrame.vertexCount, 7);
  EXPECT_EQ(state.vertexCount, 7);
  EXPECT_EQ(state.curFrame.layerCount, 5);
  EXPECT_NEAR(state.curFrame.vertexPoints[1].y, 240, 1e-9);
}

}  // namespace
}  // namespace quill
