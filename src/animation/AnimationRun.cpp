#include "animation/AnimationRun.h"

#include <utility>

#include "render/RenderCount.h"

namespace quill {

void AnimationRun::activate() {
  state_.savedFrame = state_.curFrame;
  state_.stopRequested = false;
  state_.layerValue = state_.layerCount;
  stepped_ = 0;
  rebuildGradient();
}

void AnimationRun::setChecked(int feature, bool checked) {
  if (checked) {
    model_.check(feature);
    if (isFeature(feature, Feature::Geometry)) rebuildGeos();
    // The gap length comes from the box at once; the launch follows below, so
    // every cell is drawn until the next step.
    if (isFeature(feature, Feature::TailChaser)) state_.curFrame.tailLength = static_cast<int16_t>(controls.tailLength);
  } else {
    model_.uncheck(feature);
  }
  buildLoops();
  if (isFeature(feature, Feature::TailChaser)) state_.curFrame.tailLaunch = state_.curFrame.tailLength;
}

void AnimationRun::lock(int feature) {
  model_.lock(feature);
  buildLoops();
}

void AnimationRun::unlock(int feature) {
  model_.unlock(feature);
  buildLoops();
}

void AnimationRun::buildLoops() {
  AnimationModel::StepCounts steps{};
  for (int i = 0; i < kFeatureCount; ++i) steps[static_cast<size_t>(i)] = controls.steps[static_cast<size_t>(i)];
  model_.buildLoops(steps);
}

void AnimationRun::rebuildGradient() {
  quill::rebuildGradient(gradient_, state_.chipColors, controls.steps[indexOf(Feature::Palette)], controls.gridChips);
}

void AnimationRun::setKeyFrames(int number, std::vector<KeyFrame> upToCurrent) {
  keyFrameNumber_ = number;
  keyFrames_ = std::move(upToCurrent);
  rebuildGeos();
}

void AnimationRun::rebuildGeos() {
  if (keyFrameNumber_ <= 1) return;
  auto built = buildGeos(keyFrames_, controls.framesPerKeyFrame);
  if (!built.empty()) geos_ = std::move(built);
}

bool AnimationRun::geometryFits() const {
  return !model_.isChecked(indexOf(Feature::Geometry)) || keyFrameNumber_ < 2 ||
         geoLastFor(controls.framesPerKeyFrame, keyFrameNumber_) <= INT16_MAX;
}

void AnimationRun::applyFeature(int feature, int16_t current) {
  if (!isFeature(feature, Feature::Geometry)) return applyValueFeature(state_, controls, gradient_, feature, current);
  if (keyFrameNumber_ != 0) applyGeometry(state_, geos_, current, state_.layerValue, controls.inward);
}

void AnimationRun::step() {
  model_.advanceLevel(model_.levelCount(), [this](int f, int16_t, int16_t current) { applyFeature(f, current); });
  ++stepped_;
}

void AnimationRun::reset() {
  model_.resetCounters();
  state_.layerValue = state_.layerCount;
  state_.tailPhase = 0;
  step();
  stepped_ = 0;
  buildFractionalLayers(state_, state_.layerValue, controls.inward);
}

void AnimationRun::skipTo(int64_t frame) {
  while (stepped_ + 1 < frame) {
    step();
    state_.digitCounter = counterAfterRender(state_);
  }
}

}  // namespace quill
