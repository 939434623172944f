#include "engine/KeyFrameHistory.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

// Frames are told apart by their start value; the list reads "value:no/total ...".
KeyFrame frame(int32_t id) {
  KeyFrame f;
  f.startValue = id;
  return f;
}

std::string listing(const KeyFrameHistory& h) {
  std::string out;
  for (const KeyFrame& f : h.listed()) {
    if (!out.empty()) out += ' ';
    out += std::to_string(f.startValue) + ':' + std::to_string(f.frameNo) + '/' + std::to_string(f.frameTotal);
  }
  return out;
}

class KeyFrameHistoryTest : public ::testing::Test {
 protected:
  KeyFrameHistoryTest() { h.start(frame(0)); }
  void capture(std::initializer_list<int> ids) {
    for (int id : ids) ASSERT_TRUE(h.capture(frame(id), "animation 1"));
  }
  KeyFrameHistory h;
};

TEST_F(KeyFrameHistoryTest, StartupFrameAloneStopsEveryWalk) {
  EXPECT_EQ(h.positionText(), "0 of 0");
  EXPECT_EQ(h.nextCaptureText(), "frame 1 of 1");
  EXPECT_FALSE(h.jumpForward());
  EXPECT_FALSE(h.stepForward());
  EXPECT_FALSE(h.jumpBack());
  EXPECT_FALSE(h.stepBack());
  EXPECT_FALSE(h.deleteCurrent());
  EXPECT_EQ(listing(h), "0:0/0");
}

TEST_F(KeyFrameHistoryTest, CapturesAppendThenInsertInsideAnAnimation) {
  capture({1, 2, 3});
  EXPECT_EQ(listing(h), "0:0/0 1:1/3 2:2/3 3:3/3");
  EXPECT_EQ(h.nextCaptureText(), "frame 4 of 4");
  EXPECT_EQ(h.current().aniName, "animation 1");
  EXPECT_FALSE(h.jumpForward());  // at the last node

  ASSERT_TRUE(h.jumpBack());
  EXPECT_EQ(h.positionText(), "1 of 3");
  EXPECT_EQ(h.nextCaptureText(), "frame 2 of 4");
  EXPECT_FALSE(h.newAnimation());  // in the middle of one
  capture({9});
  EXPECT_EQ(listing(h), "0:0/0 1:1/4 9:2/4 2:3/4 3:4/4");
  EXPECT_EQ(h.nextCaptureText(), "frame 3 of 5");

  ASSERT_TRUE(h.jumpForward());
  EXPECT_EQ(h.current().startValue, 3);
  ASSERT_TRUE(h.newAnimation());
  capture({20, 21});
  EXPECT_EQ(listing(h), "0:0/0 1:1/4 9:2/4 2:3/4 3:4/4 20:1/2 21:2/2");
  ASSERT_TRUE(h.jumpBack());  // frame 1 of this animation
  ASSERT_TRUE(h.jumpBack());  // frame 1 of the one before
  EXPECT_EQ(h.current().startValue, 1);
  ASSERT_TRUE(h.jumpBack());
  EXPECT_EQ(h.current().startValue, 0);
  EXPECT_EQ(h.nextCaptureText(), "frame 1 of 1");
}

TEST_F(KeyFrameHistoryTest, StepsFollowTheNextCaptureCounters) {
  capture({1, 2, 3});
  struct Step {
    bool back;
    int id;
    const char* next;
  } steps[] = {{true, 2, "frame 3 of 4"}, {true, 1, "frame 2 of 4"}, {true, 0, "frame 1 of 1"},
               {false, 1, "frame 2 of 4"}, {false, 2, "frame 3 of 4"}, {false, 3, "frame 4 of 4"}};
  for (const Step& s : steps) {
    ASSERT_TRUE(s.back ? h.stepBack() : h.stepForward());
    EXPECT_EQ(h.current().startValue, s.id);
    EXPECT_EQ(h.nextCaptureText(), s.next) << s.id;
  }
}

TEST_F(KeyFrameHistoryTest, DeleteRenumbersTheAnimation) {
  capture({1, 2, 3});
  ASSERT_TRUE(h.stepBack());  // frame 2 of 3
  ASSERT_TRUE(h.deleteCurrent());
  EXPECT_EQ(listing(h), "0:0/0 1:1/2 3:2/2");
  EXPECT_EQ(h.positionText(), "1 of 2");
  EXPECT_EQ(h.nextCaptureText(), "frame 2 of 3");
  EXPECT_TRUE(h.frameStore()[2].deleted);  // kept in the store, marked
  EXPECT_EQ(h.recordsForSave().size(), 3u);  // leaves the last frame current

  ASSERT_TRUE(h.jumpBack());
  ASSERT_TRUE(h.deleteCurrent());  // frame 1: the rest move down
  EXPECT_EQ(listing(h), "0:0/0 3:1/1");
  EXPECT_EQ(h.current().startValue, 0);
}

TEST_F(KeyFrameHistoryTest, ClearKeepsTheStartupFrameAndModifyKeepsThePlace) {
  capture({1, 2});
  KeyFrame changed = frame(7);
  changed.frameNo = 5;
  h.modifyCurrent(changed);
  EXPECT_EQ(listing(h), "0:0/0 1:1/2 7:5/0");
  h.clear();
  EXPECT_EQ(listing(h), "0:0/0");
  EXPECT_EQ(h.nextFrameIndex(), 1);
  EXPECT_EQ(h.nextCaptureText(), "frame 1 of 1");
}

TEST_F(KeyFrameHistoryTest, LoadedFramesFollowTheLastAndSaveWalksToTheEnd) {
  capture({1, 2});
  ASSERT_TRUE(h.stepBack());
  std::vector<KeyFrame> file = {frame(100), frame(101), frame(102)};
  file[1].frameNo = 1, file[1].frameTotal = 2, file[2].frameNo = 2, file[2].frameTotal = 2;
  ASSERT_TRUE(h.appendLoaded(file));
  EXPECT_EQ(listing(h), "0:0/0 1:1/2 2:2/2 101:1/2 102:2/2");
  EXPECT_EQ(h.positionText(), "2 of 2");
  ASSERT_TRUE(h.appendLoaded({frame(100)}));  // record 0 alone appends nothing
  EXPECT_EQ(h.listed().size(), 5u);

  ASSERT_TRUE(h.jumpBack());
  const std::vector<KeyFrame> saved = h.recordsForSave();
  ASSERT_EQ(saved.size(), 5u);
  EXPECT_EQ(saved[3].startValue, 101);
  EXPECT_TRUE(h.atLast());
}

TEST_F(KeyFrameHistoryTest, InconsistentLoadedBookkeepingCannotTrapAWalk) {
  std::vector<KeyFrame> file = {frame(100), frame(101), frame(102)};
  file[1].frameNo = 7, file[1].frameTotal = -3;  // no frame 1, totals that never match
  file[2].frameNo = 30000, file[2].frameTotal = 2;
  ASSERT_TRUE(h.appendLoaded(file));
  EXPECT_TRUE(h.jumpBack());
  EXPECT_TRUE(h.atFirst());
  EXPECT_TRUE(h.jumpForward());
  EXPECT_TRUE(h.atLast());
  EXPECT_TRUE(h.deleteCurrent());
  EXPECT_TRUE(h.deleteCurrent());
  EXPECT_EQ(listing(h), "0:0/0");
}

TEST_F(KeyFrameHistoryTest, TheStoreRefusesPastItsSixteenBitLimit) {
  for (int i = 1; i < KeyFrameHistory::kMaxRecords; ++i) ASSERT_TRUE(h.capture(frame(i), ""));
  EXPECT_FALSE(h.canCapture());
  EXPECT_FALSE(h.capture(frame(-1), ""));
  EXPECT_EQ(h.nextFrameIndex(), KeyFrameHistory::kMaxRecords);
  h.clear();
  EXPECT_FALSE(h.canAppend(KeyFrameHistory::kMaxRecords + 1));
  EXPECT_TRUE(h.canAppend(KeyFrameHistory::kMaxRecords));
}

}  // namespace
}  // namespace quill
