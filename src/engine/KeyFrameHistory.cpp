#include "engine/KeyFrameHistory.h"

#include <algorithm>

namespace quill {

namespace {

// Counters that follow a frame number stay in 16 bits without wrapping,
// whatever a loaded record holds.
int16_t plusOne(int16_t v) { return v == INT16_MAX ? v : static_cast<int16_t>(v + 1); }
int16_t minusOne(int16_t v) { return v == INT16_MIN ? v : static_cast<int16_t>(v - 1); }

}  // namespace

void KeyFrameHistory::start(const KeyFrame& startupFrame) {
  frameStore_.assign(1, startupFrame);
  order_.assign(1, 0);
  current_ = 0;
  nextFrameNo_ = 1;
  nextFrameTotal_ = 1;
}

void KeyFrameHistory::takeNextCountsFrom(const KeyFrame& f) {
  nextFrameNo_ = plusOne(f.frameNo);
  nextFrameTotal_ = plusOne(f.frameTotal);
}

bool KeyFrameHistory::capture(const KeyFrame& frame, const std::string& aniName) {
  if (!canCapture()) return false;
  const size_t added = current_ + 1;
  order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(added), nextFrameIndex());
  frameStore_.push_back(frame);
  current_ = added;

  at(added).frameNo = nextFrameNo_;
  at(added).frameTotal = nextFrameTotal_;
  // The frames before it in its animation take the new length...
  size_t p = added;
  for (int k = 0; k < nextFrameNo_ && p > 0; ++k, --p) at(p).frameTotal = nextFrameTotal_;
  // ...and the ones after it, inserted into the middle, move up by one.
  p = added;
  for (int k = 0; k < nextFrameTotal_ - nextFrameNo_ && !isLastPosition(p); ++k) {
    KeyFrame& after = at(++p);
    after.frameTotal = nextFrameTotal_;
    after.frameNo = plusOne(after.frameNo);
  }
  nextFrameTotal_ = plusOne(nextFrameTotal_);
  nextFrameNo_ = plusOne(nextFrameNo_);
  at(added).aniName = aniName;
  return true;
}

// To frame 1 of this animation, or from a frame 1 to frame 1 of the one before.
bool KeyFrameHistory::jumpBack() {
  if (atFirst()) return false;
  if (current().frameNo == 1) --current_;
  while (current().frameNo >= 2 && !atFirst()) --current_;
  if (current().frameNo == 0) {
    nextFrameNo_ = 1;
    nextFrameTotal_ = 1;
  } else {
    nextFrameNo_ = 2;
    nextFrameTotal_ = plusOne(current().frameTotal);
  }
  return true;
}

// To the last frame of this animation, or of the next one.
bool KeyFrameHistory::jumpForward() {
  if (atLast()) return false;
  if (current().frameNo == current().frameTotal) ++current_;
  while (current().frameNo != current().frameTotal && !atLast()) ++current_;
  takeNextCountsFrom(current());
  return true;
}

bool KeyFrameHistory::stepBack() {
  if (atFirst()) return false;
  --current_;
  const KeyFrame& f = current();
  if (f.frameNo == 0) {
    nextFrameNo_ = 1;
    nextFrameTotal_ = 1;
  } else if (f.frameNo != f.frameTotal) {
    nextFrameNo_ = minusOne(nextFrameNo_);
  } else {
    takeNextCountsFrom(f);
  }
  return true;
}

bool KeyFrameHistory::stepForward() {
  if (atLast()) return false;
  ++current_;
  const KeyFrame& f = current();
  if (f.frameNo == 1) {
    nextFrameNo_ = 2;
    nextFrameTotal_ = plusOne(f.frameTotal);
  } else {
    nextFrameNo_ = plusOne(nextFrameNo_);
  }
  return true;
}

// nextFrameNo is the deleted frame's position + 1, as the navigation that
// reached it left it; the frames of its animation are renumbered around it.
bool KeyFrameHistory::deleteCurrent() {
  if (atFirst()) return false;
  at(current_).deleted = kTrue16;
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(current_));
  --current_;
  nextFrameTotal_ = minusOne(nextFrameTotal_);
  renumberAfterDelete(current_, nextFrameNo_);
  takeNextCountsFrom(current());
  return true;
}

// saved is the position before the deleted frame's old one.
void KeyFrameHistory::renumberAfterDelete(size_t saved, int oldNextFrameNo) {
  const int n = nextFrameTotal_ - 1;  // the animation's new length
  const bool deletedFirstFrame = oldNextFrameNo <= 2;

  // Every frame of the animation takes the new length; the start-up frame is
  // never renumbered, even if a walk ends on it.
  size_t p = saved;
  bool haveAnimation = true;
  if (deletedFirstFrame) {
    haveAnimation = !isLastPosition(p);
    if (haveAnimation) ++p;
  } else {
    while (at(p).frameNo != 1 && p > 0) --p;
  }
  for (int k = 0; haveAnimation && k < n; ++k) {
    if (p > 0) at(p).frameTotal = static_cast<int16_t>(n);
    if (isLastPosition(p)) break;
    ++p;
  }

  // The frames after the deleted one move down by one.
  p = saved;
  const int from = deletedFirstFrame ? 1 : at(saved).frameNo + 1;
  for (int k = from; k <= n && !isLastPosition(p); ++k) {
    KeyFrame& after = at(++p);
    after.frameNo = minusOne(after.frameNo);
  }
}

void KeyFrameHistory::clear() {
  // Record 0, the start-up frame, is always first.
  frameStore_.resize(1);
  order_.assign(1, 0);
  current_ = 0;
  takeNextCountsFrom(current());
}

void KeyFrameHistory::modifyCurrent(const KeyFrame& frame) { at(current_) = frame; }

bool KeyFrameHistory::newAnimation() {
  if (nextFrameNo_ < nextFrameTotal_) return false;
  nextFrameNo_ = 1;
  nextFrameTotal_ = 1;
  return true;
}

std::vector<KeyFrame> KeyFrameHistory::recordsForSave() {
  std::vector<KeyFrame> records;
  for (size_t p = 0; p < order_.size(); ++p)
    if (!at(p).deleted) records.push_back(at(p));
  current_ = order_.size() - 1;
  return records;
}

bool KeyFrameHistory::canAppend(size_t records) const {
  return records <= 1 || static_cast<size_t>(nextFrameIndex()) + records - 1 <= kMaxRecords;
}

bool KeyFrameHistory::appendLoaded(const std::vector<KeyFrame>& records) {
  if (!canAppend(records.size())) return false;
  for (size_t i = 1; i < records.size(); ++i) {
    order_.push_back(nextFrameIndex());
    frameStore_.push_back(records[i]);
  }
  current_ = order_.size() - 1;
  takeNextCountsFrom(current());
  return true;
}

std::vector<KeyFrame> KeyFrameHistory::listed() const {
  std::vector<KeyFrame> frames;
  for (size_t p = 0; p < order_.size(); ++p) frames.push_back(at(p));
  return frames;
}

std::vector<KeyFrame> KeyFrameHistory::framesUpToCurrent(int k) const {
  const size_t back = static_cast<size_t>(std::max(k, 1) - 1);
  std::vector<KeyFrame> frames;
  for (size_t p = current_ - std::min(back, current_); p <= current_; ++p) frames.push_back(at(p));
  return frames;
}

std::string KeyFrameHistory::positionText() const {
  return std::to_string(current().frameNo) + " of " + std::to_string(current().frameTotal);
}

std::string KeyFrameHistory::nextCaptureText() const {
  return "frame " + std::to_string(nextFrameNo_) + " of " + std::to_string(nextFrameTotal_);
}

}  // namespace quill
