#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/Types.h"

namespace quill {

constexpr int kFeatureCount = 8;
constexpr int kFeatureSlots = 21;  // features and levels are indexed 0..20

// The animated features, by the index of their check box in the window.
enum class Feature { StartValue, Palette, Base, Layers, Vertices, RowsColumns, TailChaser, Geometry };
constexpr int indexOf(Feature f) { return static_cast<int>(f); }
constexpr bool isFeature(int index, Feature f) { return index == indexOf(f); }
// Layers, vertices and geometry vary polygons only; rows and columns grids only.
constexpr bool featureFitsGeometry(int index, bool triangles) {
  if (isFeature(index, Feature::Layers) || isFeature(index, Feature::Vertices) || isFeature(index, Feature::Geometry))
    return triangles;
  return !isFeature(index, Feature::RowsColumns) || !triangles;
}

// One animated parameter: where it stands in the priority order, whether it
// steps together with the feature before it, and whether it is checked.
struct FeatureState {
  int16_t priority = 0;
  Bool16 locked = kFalse16;
  int16_t lockedTo = 0;
  Bool16 active = kFalse16;
  std::string lockLabel = "unlocked";
};

// One nested loop of the odometer: its step count, its counter (0..steps) and
// the features it applies, in priority order, in list[1..count].
struct LoopLevel {
  int16_t steps = 0;
  int16_t current = 0;
  int16_t count = 0;
  std::array<int16_t, kFeatureSlots> list{};
};

// Which lock icon a checked feature shows: the first feature of the order shows none.
enum class LockIcon { None, Locked, Unlocked };

// The features in priority order, their locks, and the nested loops built
// from them. Checking features in turn gives them their priority; the last
// level steps fastest and carries into the one before it when it wraps.
class AnimationModel {
 public:
  using ApplyFeature = std::function<void(int feature, int16_t steps, int16_t current)>;
  // The "# of steps" box of each feature, as a number.
  using StepCounts = std::array<double, kFeatureCount>;

  void check(int feature);
  void uncheck(int feature);
  void lock(int feature);
  void unlock(int feature);

  void buildLoops(const StepCounts& steps);
  // One odometer step from `level` (levelCount for a step of the animation).
  void advanceLevel(int level, const ApplyFeature& apply);
  // Every level's counter back to 0.
  void resetCounters();

  const FeatureState& feature(int i) const { return features_[static_cast<size_t>(i)]; }
  int activeCount() const { return activeCount_; }
  int16_t priorityAt(int position) const { return priorityOrder_[static_cast<size_t>(position)]; }
  bool isChecked(int i) const { return feature(i).active != 0; }
  LockIcon lockIcon(int i) const;
  int levelCount() const { return levelCount_; }
  const LoopLevel& level(int l) const { return loops_[static_cast<size_t>(l)]; }
  double totalFrames() const { return totalFrames_; }
  const std::string& loopString() const { return loopString_; }

  // "# frames = 30000", or with saving armed "# frames = 12 of 30000".
  std::string frameTotalText(bool saving, const std::string& framesText) const;

 private:
  std::array<FeatureState, kFeatureSlots> features_{};
  std::array<int16_t, kFeatureSlots> priorityOrder_{};
  int activeCount_ = 0;
  int priorityCounter_ = 0;
  std::array<LoopLevel, kFeatureSlots> loops_{};
  int levelCount_ = 0;
  double totalFrames_ = 1;
  std::string loopString_ = "debug info";
};

// The shortest decimal text of a number in plain digits ("30000", "200.5").
std::string shortestText(double value);

}  // namespace quill
