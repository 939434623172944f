// The run worked out without drawing: skipping to a frame leaves the pattern
// a whole run has there, the counter carried from frame to frame included.
#include "animation/AnimationRun.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/FrameCapture.h"
#include "engine/FrameSettings.h"
#include "gfx/NullSurface.h"
#include "render/Renderer.h"

namespace quill {
namespace {

struct Pattern {
  int32_t startValue;
  Palette palette;
  int16_t base, vertices, layers, tailLaunch, tailLength;
  int64_t tailPhase, counter;
  double layerValue;
  bool operator==(const Pattern&) const = default;
};

Pattern patternOf(const PatternState& s) {
  const KeyFrame& f = s.curFrame;
  return {f.startValue, f.palette,    f.numberBase, f.vertexCount, f.layerCount, f.tailLaunch,
          f.tailLength, s.tailPhase, s.digitCounter, s.layerValue};
}

// The start-up hexagon with every value feature checked, the start value
// carried on from where each frame's counting stopped.
std::unique_ptr<PatternState> animated(std::unique_ptr<AnimationRun>& run, bool listMode) {
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  state->curFrame.levels = 2;
  state->curFrame.fractions = 1;
  state->curFrame.blendOn = toBool16(!listMode);
  adoptFrameSettings(*state);
  translate(*state);
  run = std::make_unique<AnimationRun>(*state);
  run->controls.continuation = true;
  run->controls.steps = {7, 5, 4, 3, 3, 20, 11, 100};
  run->activate();
  for (int f : {0, 1, 2, 3, 4, 6}) run->setChecked(f, true);
  run->lock(2);
  return state;
}

TEST(AnimationRun, SkippingToAFrameGivesWhatAWholeRunHasThere) {
  for (bool listMode : {false, true}) {
    SCOPED_TRACE(listMode ? "list" : "blend");
    std::unique_ptr<AnimationRun> whole;
    auto wholeState = animated(whole, listMode);
    std::vector<Pattern> frames;
    for (int frame = 1; frame <= 40; ++frame) {
      whole->step();
      frames.push_back(patternOf(*wholeState));
      RenderState renderState;
      NullSurface surface(600, 480);
      Renderer(*wholeState, renderState, surface).draw();
    }
    for (int frame : {1, 2, 8, 9, 23, 40}) {
      std::unique_ptr<AnimationRun> skipping;
      auto state = animated(skipping, listMode);
      skipping->skipTo(frame);
      skipping->step();
      EXPECT_EQ(patternOf(*state), frames[static_cast<size_t>(frame - 1)]) << "frame " << frame;
    }
  }
}

}  // namespace
}  // namespace quill
