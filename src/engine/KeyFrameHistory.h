#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/KeyFrame.h"

namespace quill {

// A list node: the index of its record in the store and its neighbours. The
// first node's bLink and the last node's fLink refer to the node itself.
struct node {
  int16_t payLoadPtr = 0;
  int fLink = 0;  // index into the node pool
  int bLink = 0;
};

// The key-frame history: a store of every record captured since start-up (or
// the last clear), and a doubly linked list over it in history order. Frames
// are grouped into animations by their frameNo / frameTotal members. No
// widgets here: the main window shows what this holds.
//
// Every walk stops at the ends of the list, so bookkeeping that does not add
// up (frames loaded from another file) can never make a walk run forever.
class KeyFrameHistory {
 public:
  // Store indices are 16-bit.
  static constexpr int kMaxRecords = 32767;

  // The start-up frame alone: record 0, one node linked to itself.
  void start(const KeyFrame& startupFrame);

  // Stores a new frame after the current one and renumbers its animation.
  // Refused (false, nothing changed) when the store is full.
  bool capture(const KeyFrame& frame, const std::string& aniName);
  bool canCapture() const { return nextFrameIndex() < kMaxRecords; }

  // Navigation. Each returns false at the end of the list (the caller beeps);
  // jumps still leave the current frame to be shown again.
  bool jumpBack();
  bool jumpForward();
  bool stepBack();
  bool stepForward();
  // Unlinks the current frame (never the start-up frame) and marks its record deleted.
  bool deleteCurrent();
  // Back to the start-up frame alone.
  void clear();
  // Replaces the current frame's record, bookkeeping members included.
  void modifyCurrent(const KeyFrame& frame);
  // Starts a new animation at the next capture; false in the middle of one.
  bool newAnimation();

  // The records of the undeleted frames in list order; leaves the last node current.
  std::vector<KeyFrame> recordsForSave();
  // Appends records 1.. of a file (record 0 is the writer's start-up frame)
  // after the last node and makes the last of them current. Refused (false,
  // nothing changed) when the store cannot take them all.
  bool appendLoaded(const std::vector<KeyFrame>& records);
  bool canAppend(size_t records) const;

  const KeyFrame& current() const { return frameStore_[static_cast<size_t>(nodes_[currentNode_].payLoadPtr)]; }
  bool atFirst() const { return isFirst(currentNode_); }
  bool atLast() const { return isLast(currentNode_); }
  int nextFrameIndex() const { return static_cast<int>(frameStore_.size()); }
  int16_t nextFrameNo() const { return nextFrameNo_; }
  int16_t nextFrameTotal() const { return nextFrameTotal_; }
  const std::vector<KeyFrame>& frameStore() const { return frameStore_; }
  // The frames in list order, for tests and the animation's geometry.
  std::vector<KeyFrame> listed() const;
  int currentPosition() const;  // 0 for the start-up frame
  // The current frame and up to k - 1 frames before it, in list order.
  std::vector<KeyFrame> framesUpToCurrent(int k) const;

  // "3 of 3" and "frame 4 of 4".
  std::string positionText() const;
  std::string nextCaptureText() const;

 private:
  KeyFrame& record(int n) { return frameStore_[static_cast<size_t>(nodes_[n].payLoadPtr)]; }
  bool isFirst(int n) const { return nodes_[n].bLink == n; }
  bool isLast(int n) const { return nodes_[n].fLink == n; }
  int addNode(int16_t payload);
  void takeNextCountsFrom(const KeyFrame& f);
  void renumberAfterDelete(int savedNode, int oldNextFrameNo);

  std::vector<KeyFrame> frameStore_;
  std::vector<node> nodes_;  // unlinked nodes stay here, unreachable
  int currentNode_ = 0;
  int16_t nextFrameNo_ = 1;
  int16_t nextFrameTotal_ = 1;
};

}  // namespace quill
