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
  nodes_.clear();
  currentNode_ = addNode(0);
  nextFrameNo_ = 1;
  nextFrameTotal_ = 1;
}

int KeyFrameHistory::addNode(int16_t payload) {
  const int n = static_cast<int>(nodes_.size());
  nodes_.push_back({payload, n, n});
  return n;
}

void KeyFrameHistory::takeNextCountsFrom(const KeyFrame& f) {
  nextFrameNo_ = plusOne(f.frameNo);
  nextFrameTotal_ = plusOne(f.frameTotal);
}

bool KeyFrameHistory::capture(const KeyFrame& frame, const std::string& aniName) {
  if (!canCapture()) return false;
  const int fresh = addNode(static_cast<int16_t>(frameStore_.size()));
  frameStore_.push_back(frame);

  // Insert after the current node.
  nodes_[fresh].bLink = currentNode_;
  if (isLast(currentNode_)) {
    nodes_[fresh].fLink = fresh;
  } else {
    const int next = nodes_[currentNode_].fLink;
    nodes_[fresh].fLink = next;
    nodes_[next].bLink = fresh;
  }
  nodes_[currentNode_].fLink = fresh;
  currentNode_ = fresh;

  KeyFrame& added = record(fresh);
  added.frameNo = nextFrameNo_;
  added.frameTotal = nextFrameTotal_;
  // The frames before it in its animation take the new length...
  int walker = fresh;
  for (int k = 0; k < nextFrameNo_ && !isFirst(walker); ++k) {
    record(walker).frameTotal = nextFrameTotal_;
    walker = nodes_[walker].bLink;
  }
  // ...and the ones after it, inserted into the middle, move up by one.
  walker = fresh;
  for (int k = 0; k < nextFrameTotal_ - nextFrameNo_ && !isLast(walker); ++k) {
    walker = nodes_[walker].fLink;
    record(walker).frameTotal = nextFrameTotal_;
    record(walker).frameNo = plusOne(record(walker).frameNo);
  }
  nextFrameTotal_ = plusOne(nextFrameTotal_);
  nextFrameNo_ = plusOne(nextFrameNo_);
  added.aniName = aniName;
  return true;
}

// To frame 1 of this animation, or from a frame 1 to frame 1 of the one before.
bool KeyFrameHistory::jumpBack() {
  if (atFirst()) return false;
  if (current().frameNo == 1) currentNode_ = nodes_[currentNode_].bLink;
  while (current().frameNo >= 2 && !atFirst()) currentNode_ = nodes_[currentNode_].bLink;
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
  if (current().frameNo == current().frameTotal) currentNode_ = nodes_[currentNode_].fLink;
  while (current().frameNo != current().frameTotal && !atLast()) currentNode_ = nodes_[currentNode_].fLink;
  takeNextCountsFrom(current());
  return true;
}

bool KeyFrameHistory::stepBack() {
  if (atFirst()) return false;
  currentNode_ = nodes_[currentNode_].bLink;
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
  currentNode_ = nodes_[currentNode_].fLink;
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
  const int gone = currentNode_;
  const int prev = nodes_[gone].bLink;
  if (isLast(gone)) {
    nodes_[prev].fLink = prev;
  } else {
    const int next = nodes_[gone].fLink;
    nodes_[next].bLink = prev;
    nodes_[prev].fLink = next;
  }
  record(gone).deleted = kTrue16;
  currentNode_ = prev;
  nextFrameTotal_ = minusOne(nextFrameTotal_);
  renumberAfterDelete(prev, nextFrameNo_);
  takeNextCountsFrom(current());
  return true;
}

void KeyFrameHistory::renumberAfterDelete(int savedNode, int oldNextFrameNo) {
  const int n = nextFrameTotal_ - 1;  // the animation's new length
  const bool deletedFirstFrame = oldNextFrameNo <= 2;
  // The start-up frame is never renumbered, even if a walk ends on it.
  const auto renumberable = [this](int w) { return !isFirst(w); };

  int walker = savedNode;
  bool haveAnimation = true;
  if (deletedFirstFrame) {
    haveAnimation = !isLast(walker);
    if (haveAnimation) walker = nodes_[walker].fLink;
  } else {
    while (record(walker).frameNo != 1 && !isFirst(walker)) walker = nodes_[walker].bLink;
  }
  for (int k = 0; haveAnimation && k < n; ++k) {
    if (renumberable(walker)) record(walker).frameTotal = static_cast<int16_t>(n);
    if (isLast(walker)) break;
    walker = nodes_[walker].fLink;
  }

  walker = savedNode;
  const int from = deletedFirstFrame ? 1 : record(savedNode).frameNo + 1;
  for (int k = from; k <= n && !isLast(walker); ++k) {
    walker = nodes_[walker].fLink;
    record(walker).frameNo = minusOne(record(walker).frameNo);
  }
}

void KeyFrameHistory::clear() {
  while (!atFirst()) currentNode_ = nodes_[currentNode_].bLink;
  // The first node always holds record 0, the start-up frame.
  frameStore_.resize(1);
  nodes_.assign(1, node{0, 0, 0});
  currentNode_ = 0;
  takeNextCountsFrom(current());
}

void KeyFrameHistory::modifyCurrent(const KeyFrame& frame) { record(currentNode_) = frame; }

bool KeyFrameHistory::newAnimation() {
  if (nextFrameNo_ < nextFrameTotal_) return false;
  nextFrameNo_ = 1;
  nextFrameTotal_ = 1;
  return true;
}

std::vector<KeyFrame> KeyFrameHistory::recordsForSave() {
  while (!atFirst()) currentNode_ = nodes_[currentNode_].bLink;
  std::vector<KeyFrame> records;
  for (;;) {
    if (!current().deleted) records.push_back(current());
    if (atLast()) break;
    currentNode_ = nodes_[currentNode_].fLink;
  }
  return records;
}

bool KeyFrameHistory::canAppend(size_t records) const {
  return records <= 1 || static_cast<size_t>(nextFrameIndex()) + records - 1 <= kMaxRecords;
}

bool KeyFrameHistory::appendLoaded(const std::vector<KeyFrame>& records) {
  if (!canAppend(records.size())) return false;
  while (!atLast()) currentNode_ = nodes_[currentNode_].fLink;
  for (size_t i = 1; i < records.size(); ++i) {
    const int fresh = addNode(static_cast<int16_t>(frameStore_.size()));
    frameStore_.push_back(records[i]);
    nodes_[currentNode_].fLink = fresh;
    nodes_[fresh].bLink = currentNode_;
    currentNode_ = fresh;
  }
  takeNextCountsFrom(current());
  return true;
}

std::vector<KeyFrame> KeyFrameHistory::listed() const {
  std::vector<KeyFrame> frames;
  int n = currentNode_;
  while (!isFirst(n)) n = nodes_[n].bLink;
  for (;;) {
    frames.push_back(frameStore_[static_cast<size_t>(nodes_[n].payLoadPtr)]);
    if (isLast(n)) break;
    n = nodes_[n].fLink;
  }
  return frames;
}

std::vector<KeyFrame> KeyFrameHistory::framesUpToCurrent(int k) const {
  int n = currentNode_;
  for (int back = 1; back < k && !isFirst(n); ++back) n = nodes_[n].bLink;
  std::vector<KeyFrame> frames;
  for (;;) {
    frames.push_back(frameStore_[static_cast<size_t>(nodes_[n].payLoadPtr)]);
    if (n == currentNode_ || isLast(n)) break;
    n = nodes_[n].fLink;
  }
  return frames;
}

int KeyFrameHistory::currentPosition() const {
  int position = 0;
  for (int n = currentNode_; !isFirst(n); n = nodes_[n].bLink) ++position;
  return position;
}

std::string KeyFrameHistory::positionText() const {
  return std::to_string(current().frameNo) + " of " + std::to_string(current().frameTotal);
}

std::string KeyFrameHistory::nextCaptureText() const {
  return "frame " + std::to_string(nextFrameNo_) + " of " + std::to_string(nextFrameTotal_);
}

}  // namespace quill
