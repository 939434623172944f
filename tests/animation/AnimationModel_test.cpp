#include "animation/AnimationModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

const AnimationModel::StepCounts kDefaults{200, 160, 150, 100, 100, 20, 200, 100};

// Which features each step applies, as "feature@step#frame" texts.
std::vector<std::string> run(AnimationModel& m, int steps) {
  std::vector<std::string> applied;
  for (int i = 0; i < steps; ++i) {
    m.advanceLevel(m.levelCount(), [&](int f, int16_t, int16_t c) {
      applied.push_back(std::to_string(f) + "@" + std::to_string(c) + "#" + std::to_string(i + 1));
    });
  }
  return applied;
}

// Frame totals are written in plain digits, even 10^40, which has no double
// of its own: the digits are those of the nearest one.
TEST(AnimationModel, LargeFrameCountsAreWrittenInPlainDigits) {
  AnimationModel m;
  m.check(0);
  m.check(1);
  m.buildLoops({30000, 10000, 150, 100, 100, 20, 200, 100});
  EXPECT_EQ(m.frameTotalText(true, "7"), "# frames = 7 of 300000000");
  for (int i = 2; i < 8; ++i) m.check(i);
  m.buildLoops({100000, 100000, 100000, 100000, 100000, 100000, 100000, 100000});
  const std::string largest = m.frameTotalText(false, "");
  EXPECT_EQ(largest.substr(0, 27), "# frames = 1000000000000000");
  EXPECT_EQ(largest.size(), 11u + 41u);
  EXPECT_EQ(largest.find_first_not_of("0123456789", 11), std::string::npos) << largest;
}

// One level steps 0..200 and wraps (pinned through the window's run); two
// carry like an odometer: feature 2 shows its last step, 150, on the 151st
// step, then wraps as the outer level moves on.
TEST(AnimationModel, TwoLevelsCarryLikeAnOdometer) {
  AnimationModel m;
  m.check(0);
  m.check(2);
  m.buildLoops(kDefaults);
  EXPECT_EQ(m.frameTotalText(true, "12"), "# frames = 12 of 30000");
  std::vector<std::string> outer;
  for (const std::string& a : run(m, 302))
    if (a[0] == '0') outer.push_back(a);
  EXPECT_EQ(outer, (std::vector<std::string>{"0@0#151", "0@1#302"}));
  EXPECT_EQ(m.loopString(), "R-2 2 0");
}

TEST(AnimationModel, ALockedFeatureJoinsTheLevelBeforeIt) {
  AnimationModel m;
  m.check(0);
  m.check(2);
  EXPECT_EQ(std::tuple(m.lockIcon(0), m.lockIcon(2)), std::tuple(LockIcon::None, LockIcon::Unlocked));
  m.lock(2);
  EXPECT_EQ(m.feature(2).lockLabel, "locked to 0");
  EXPECT_EQ(m.lockIcon(2), LockIcon::Locked);
  m.buildLoops(kDefaults);
  EXPECT_EQ(std::tuple(m.levelCount(), m.totalFrames()), std::tuple(1, 200.0));
  EXPECT_EQ(run(m, 1), (std::vector<std::string>{"0@0#1", "2@0#1"}));
  AnimationModel::StepCounts larger = kDefaults;
  larger[2] = 333;
  m.buildLoops(larger);
  EXPECT_EQ(m.level(1).steps, 333);
  EXPECT_EQ(m.loopString(), "1,  /2: 333-0 2 ");
}

// Unchecking the first of three renumbers the rest and the new first applies
// in its place; unchecking a middle one unlocks the next.
TEST(AnimationModel, UncheckingRenumbersAndUnlocks) {
  AnimationModel m;
  for (int f : {0, 2, 4}) m.check(f);
  m.lock(4);
  m.buildLoops(kDefaults);
  m.uncheck(0);
  EXPECT_EQ(std::tuple(m.feature(2).priority, m.feature(4).priority), std::tuple(0, 1));
  EXPECT_EQ(m.lockIcon(2), LockIcon::None);
  EXPECT_EQ(m.feature(4).locked, kTrue16);
  m.buildLoops(kDefaults);
  EXPECT_EQ(m.totalFrames(), 150);
  EXPECT_EQ(run(m, 1), (std::vector<std::string>{"2@0#1", "4@0#1"}));
  m.uncheck(2);
  m.uncheck(4);
  m.buildLoops(kDefaults);
  EXPECT_EQ(m.frameTotalText(false, ""), "# frames = 1");
  EXPECT_TRUE(run(m, 3).empty());  // nothing checked: a step changes nothing

  for (int f : {1, 3, 6}) m.check(f);
  m.lock(6);
  m.uncheck(3);
  EXPECT_EQ(std::tuple(m.feature(6).locked, m.feature(6).lockedTo, m.feature(6).lockLabel),
            std::tuple(kFalse16, 1, std::string("unlocked")));
  EXPECT_EQ(std::tuple(m.activeCount(), m.priorityAt(1)), std::tuple(2, 6));
}

}  // namespace
}  // namespace quill
