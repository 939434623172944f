#include "animation/AnimationModel.h"

#include <charconv>
#include <cmath>

#include "engine/Rounding.h"

namespace quill {

namespace {
bool validFeature(int i) { return i >= 0 && i < kFeatureCount; }

int32_t stepsOf(const AnimationModel::StepCounts& steps, int feature) {
  return static_cast<int32_t>(roundHalfEvenToInt(steps[static_cast<size_t>(feature)]));
}
}  // namespace

// Plain digits, never an exponent: people read "300000000", not "3e+08".
std::string shortestText(double value) {
  char buffer[400];  // the widest double in fixed notation has 309 digits
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

void AnimationModel::check(int i) {
  if (!validFeature(i) || isChecked(i)) return;
  FeatureState& f = features_[i];
  f.priority = static_cast<int16_t>(priorityCounter_);
  f.active = kTrue16;
  f.locked = kFalse16;
  priorityOrder_[activeCount_] = static_cast<int16_t>(i);
  if (activeCount_ > 0) {
    f.lockedTo = priorityOrder_[activeCount_ - 1];
    f.lockLabel = "unlocked";
  }
  ++priorityCounter_;
  ++activeCount_;
}

void AnimationModel::uncheck(int i) {
  if (!validFeature(i) || !isChecked(i)) return;
  features_[i].active = kFalse16;
  features_[i].locked = kFalse16;
  priorityCounter_ = 0;
  int removed = -1;
  for (int p = 0; p < activeCount_; ++p) {
    const int f = priorityOrder_[p];
    if (isChecked(f)) {
      features_[f].priority = static_cast<int16_t>(priorityCounter_++);
    } else {
      removed = p;
    }
  }
  if (removed < 0) return;
  // The feature after the removed one loses its lock; it now follows the one
  // before the removed feature, or leads the order.
  if (removed < activeCount_ - 1) {
    FeatureState& next = features_[priorityOrder_[removed + 1]];
    next.locked = kFalse16;
    next.lockLabel = "unlocked";
    if (removed > 0) next.lockedTo = priorityOrder_[removed - 1];
  }
  for (int p = removed; p < activeCount_ - 1; ++p) priorityOrder_[p] = priorityOrder_[p + 1];
  --activeCount_;
}

void AnimationModel::lock(int i) {
  if (!validFeature(i)) return;
  features_[i].locked = kTrue16;
  features_[i].lockLabel = std::string("locked to ").append(std::to_string(features_[i].lockedTo));
}

void AnimationModel::unlock(int i) {
  if (!validFeature(i)) return;
  features_[i].locked = kFalse16;
  features_[i].lockLabel = "unlocked";
}

LockIcon AnimationModel::lockIcon(int i) const {
  if (!isChecked(i) || feature(i).priority == 0) return LockIcon::None;
  return feature(i).locked ? LockIcon::Locked : LockIcon::Unlocked;
}

void AnimationModel::buildLoops(const StepCounts& steps) {
  if (activeCount_ == 0) {
    // With nothing checked a step changes nothing: no level is left over.
    totalFrames_ = 1;
    levelCount_ = 0;
  } else {
    totalFrames_ = 1;
    levelCount_ = 1;
    int g = 1;
    int32_t s = stepsOf(steps, priorityOrder_[0]);
    // The first level lists the first feature of the order; a level left
    // over from an earlier order must not keep applying a feature that is gone.
    loops_[1].list[1] = priorityOrder_[0];
    const auto closeLevel = [&] {
      totalFrames_ *= s;
      loops_[levelCount_].steps = static_cast<int16_t>(s);
      loops_[levelCount_].count = static_cast<int16_t>(g);
    };
    if (activeCount_ == 1) {
      loops_[1].steps = static_cast<int16_t>(s);
      loops_[1].current = 0;
      loops_[1].count = 1;
      totalFrames_ = steps[static_cast<size_t>(priorityOrder_[0])];
    } else {
      for (int p = 1; p < activeCount_; ++p) {
        const int f = priorityOrder_[p];
        if (features_[f].locked) {
          if (steps[static_cast<size_t>(f)] > s) s = stepsOf(steps, f);
          ++g;
          loops_[levelCount_].list[g] = static_cast<int16_t>(f);
        } else {
          closeLevel();
          ++levelCount_;
          g = 1;
          loops_[levelCount_].list[1] = static_cast<int16_t>(f);
          s = stepsOf(steps, f);
        }
      }
      closeLevel();
    }
  }
  loopString_ = std::to_string(levelCount_) + ", ";
  for (int l = 1; l <= levelCount_; ++l) {
    const LoopLevel& level = loops_[l];
    loopString_.append(" /").append(std::to_string(level.count)).append(": ");
    loopString_.append(std::to_string(level.steps)).append("-");
    for (int j = 1; j <= level.count && j < kFeatureSlots; ++j) loopString_.append(std::to_string(level.list[j])).append(" ");
  }
}

void AnimationModel::advanceLevel(int level, const ApplyFeature& apply) {
  if (level <= 0 || level > levelCount_) return;
  if (level == levelCount_) loopString_.clear();
  LoopLevel& l = loops_[level];
  for (int j = 1; j <= l.count && j < kFeatureSlots; ++j) {
    if (apply) apply(l.list[j], l.steps, l.current);
    loopString_.append(" ").append(std::to_string(l.list[j]));
  }
  ++l.current;
  if (l.current > l.steps) {
    l.current = 0;
    advanceLevel(level - 1, apply);
    loopString_ = std::string("R-").append(std::to_string(level)).append(loopString_);
  }
}

void AnimationModel::resetCounters() {
  for (int l = 1; l <= levelCount_; ++l) loops_[l].current = 0;
}

std::string AnimationModel::frameTotalText(bool saving, const std::string& framesText) const {
  std::string text = "# frames = ";
  if (saving) text.append(framesText).append(" of ");
  return text.append(shortestText(totalFrames_));
}

}  // namespace quill
