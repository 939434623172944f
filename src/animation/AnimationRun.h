#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "animation/AnimationModel.h"
#include "animation/FeatureValues.h"
#include "animation/GeometryFrames.h"
#include "engine/PatternState.h"

namespace quill {

// Frame sizes of a saved sequence by the "resolution" names.
struct SequenceSize {
  const char* name;
  int width;
  int height;
};
inline constexpr std::array<SequenceSize, 5> kSequenceSizes{{{"small", 1200, 1000},
                                                             {"medium", 1800, 1500},
                                                             {"large", 2400, 2000},
                                                             {"extra large", 3600, 3000},
                                                             {"max", 4800, 4000}}};

// The parametric animation as plain code: the checked features in their
// nested loops (the odometer), the values the animation window's controls
// hold, and the pattern they vary. The window drives it from its controls,
// the headless renderer from a description; both draw the frames it leaves.
class AnimationRun {
 public:
  explicit AnimationRun(PatternState& state) : state_(state) {}

  // The values of the feature controls; set them, then call what depends on
  // them (buildLoops, rebuildGradient, rebuildGeos) as the controls' handlers do.
  FeatureControls controls;

  const AnimationModel& model() const { return model_; }
  const std::vector<GeoFrame>& geos() const { return geos_; }
  int keyFrameNumber() const { return keyFrameNumber_; }

  // curFrame becomes the pattern to animate and to put back on close.
  void activate();

  // A feature ticked or unticked, locked to the one before it or freed; the
  // loops are rebuilt after each.
  void setChecked(int feature, bool checked);
  void lock(int feature);
  void unlock(int feature);
  void buildLoops();

  // The palette feature's colour table, from the chips and the controls now.
  void rebuildGradient();
  // The key frames the geometry feature morphs through: the current one is
  // number `number` of its animation, `upToCurrent` it with those before it.
  void setKeyFrames(int number, std::vector<KeyFrame> upToCurrent);
  // The in-between frames afresh from the key frames and "frames / keyframe";
  // a setting too large for the 16-bit index keeps the frames there were.
  void rebuildGeos();
  // Whether the geometry feature's in-between frames fit their 16-bit index.
  bool geometryFits() const;

  // One odometer step: every feature due applies its value to the pattern.
  void step();
  // Every counter back to 0, the layers and the gap shift as activated, and
  // the first step's values applied.
  void reset();
  // Steps on to just before frame `frame` (from 1) without drawing the frames
  // between: each skipped frame's counter is what drawing it would leave, so
  // the next step() gives frame `frame` as a whole run would.
  void skipTo(int64_t frame);
  // Frames stepped since activation (or the last reset).
  int64_t framesStepped() const { return stepped_; }

 private:
  void applyFeature(int feature, int16_t current);

  PatternState& state_;
  AnimationModel model_;
  Gradient gradient_;
  std::vector<GeoFrame> geos_;
  std::vector<KeyFrame> keyFrames_;
  int keyFrameNumber_ = 0;
  int64_t stepped_ = 0;
};

}  // namespace quill
