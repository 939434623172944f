#include "engine/KeyFrameHistory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quill {
namespace {

// Frames are told apart by their start value; the list reads "value:no/total ..."
// ('*' marks a record flagged deleted).
KeyFrame frame(int32_t id) {
  KeyFrame f;
  f.startValue = id;
  return f;
}

std::string listing(const KeyFrameHistory& h) {
  std::string out;
  for (const KeyFrame& f : h.listed())
    out += (out.empty() ? "" : " ") + std::to_string(f.startValue) + ':' + std::to_string(f.frameNo) + '/' +
           std::to_string(f.frameTotal) + (f.deleted ? "*" : "");
  return out;
}

std::vector<int32_t> ids(const std::vector<KeyFrame>& frames) {
  std::vector<int32_t> out;
  for (const KeyFrame& f : frames) out.push_back(f.startValue);
  return out;
}

// Random operations on a history beside the plainest model of it: the ids in
// order and the current position. What the model leaves out, the numbering and
// the next-capture counters, goes into a digest recorded from the first
// (linked-list) history, so any change to them shows.
struct RandomHistory {
  explicit RandomHistory(uint32_t seed) : rng(seed) { h.start(frame(0)); }

  int pick(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }
  void mix(const std::string& s) {
    for (unsigned char c : s) digest = (digest ^ c) * 1099511628211ull;
  }
  // Mostly the bookkeeping a capture would give; now and then anything a file may hold.
  KeyFrame randomFrame(int no, int total) {
    KeyFrame f = frame(nextId++);
    const bool odd = pick(5) == 0;
    f.frameNo = static_cast<int16_t>(odd ? pick(7) - 2 : no);
    f.frameTotal = static_cast<int16_t>(odd ? pick(7) - 2 : total);
    f.deleted = pick(8) == 0 ? kTrue16 : 0;
    return f;
  }

  // Applies operation op (0..19) to the history and the model; what it returned.
  bool apply(int op) {
    const size_t last = model.size() - 1;
    bool done = true;
    if (op < 5) {
      EXPECT_TRUE(h.capture(frame(nextId), "animation"));
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(++cur), nextId++);
    } else if (op < 7) {  // a jump lands on a frame 1 or a last frame, or at an end
      EXPECT_EQ(done = op == 5 ? h.jumpBack() : h.jumpForward(), op == 5 ? cur > 0 : cur < last);
      cur = static_cast<size_t>(h.currentPosition());
      const KeyFrame& f = h.current();
      EXPECT_TRUE(op == 5 ? h.atFirst() || f.frameNo < 2 : h.atLast() || f.frameNo == f.frameTotal);
    } else if (op < 11) {  // steps refuse exactly at the ends
      EXPECT_EQ(done = op < 9 ? h.stepBack() : h.stepForward(), op < 9 ? cur > 0 : cur < last);
      if (done) cur = op < 9 ? cur - 1 : cur + 1;
    } else if (op < 13) {  // never the start-up frame
      EXPECT_EQ(done = h.deleteCurrent(), cur > 0);
      if (done) model.erase(model.begin() + static_cast<std::ptrdiff_t>(cur--));
    } else if (op == 13) {
      done = h.newAnimation();
    } else if (op == 14) {
      h.modifyCurrent(randomFrame(h.current().frameNo, h.current().frameTotal));
      model[cur] = nextId - 1;
    } else if (op == 15) {  // record 0 is the writer's start-up frame and is not appended
      std::vector<KeyFrame> file{frame(-1)};
      for (int i = 1, count = pick(4); i <= count; ++i) file.push_back(randomFrame(i, count));
      EXPECT_TRUE(h.appendLoaded(file));
      for (size_t i = 1; i < file.size(); ++i) model.push_back(file[i].startValue);
      cur = model.size() - 1;
    } else if (op == 16) {  // the frames in order less the flagged ones; ends at the last
      std::vector<int32_t> kept;
      for (const KeyFrame& f : h.listed()) kept.insert(kept.end(), f.deleted ? 0 : 1, f.startValue);
      const std::vector<KeyFrame> saved = h.recordsForSave();
      EXPECT_EQ(ids(saved), kept);
      cur = last;
      for (const KeyFrame& f : saved) mix(std::to_string(f.frameNo) + '/' + std::to_string(f.frameTotal));
    } else if (op == 17) {
      const int k = pick(6);  // the current frame and k - 1 before it
      const auto from = static_cast<std::ptrdiff_t>(cur - std::min(cur, static_cast<size_t>(std::max(k, 1) - 1)));
      EXPECT_EQ(ids(h.framesUpToCurrent(k)), std::vector<int32_t>(model.begin() + from, model.begin() + cur + 1));
    } else if (pick(3) == 0) {
      h.clear();
      model.resize(1);
      cur = 0;
    }
    return done;
  }

  uint64_t run(int steps) {
    for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) {
      const int op = pick(20);
      const bool done = apply(op);
      EXPECT_EQ(ids(h.listed()), model) << "op " << op;
      EXPECT_EQ(h.currentPosition(), static_cast<int>(cur));
      EXPECT_EQ(h.atLast(), cur + 1 == model.size());
      mix(std::to_string(op) + (done ? "+" : "-") + listing(h) + '|' + h.positionText() + '|' + h.nextCaptureText());
    }
    return digest;
  }

  std::mt19937 rng;
  KeyFrameHistory h;
  std::vector<int32_t> model{0};
  size_t cur = 0;
  int32_t nextId = 1;
  uint64_t digest = 14695981039346656037ull;
};

TEST(KeyFrameHistory, RandomOperationsKeepTheOrderAndTheRecordedNumbering) {
  std::vector<uint64_t> digests;
  for (uint32_t seed = 0; seed < 8; ++seed) digests.push_back(RandomHistory(seed).run(1000));
  const std::vector<uint64_t> recorded = {1404801530986119304ull,  11252005082458588883ull, 13578279906114998590ull,
                                           18322976083823156843ull, 17610206604978180354ull, 5406948153729914380ull,
                                           5469230077872460654ull,  3721921086932952837ull};
  EXPECT_EQ(digests, recorded);
}

TEST(KeyFrameHistory, TheStoreRefusesPastItsSixteenBitLimit) {
  KeyFrameHistory h;
  h.start(frame(0));
  for (int i = 1; i < KeyFrameHistory::kMaxRecords; ++i) ASSERT_TRUE(h.capture(frame(i), ""));
  EXPECT_FALSE(h.capture(frame(-1), ""));
  h.clear();
  EXPECT_FALSE(h.canAppend(KeyFrameHistory::kMaxRecords + 1));
  EXPECT_TRUE(h.canAppend(KeyFrameHistory::kMaxRecords));
}

}  // namespace
}  // namespace quill
