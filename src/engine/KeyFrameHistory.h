#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/KeyFrame.h"

namespace quill {

// The key-frame history: a store of every record captured since start-up (or
// the last clear), and the order of the live ones, by store index. A deleted
// frame leaves the order but stays in the store, flagged. Frames are grouped
// into animations by their frameNo / frameTotal members. No widgets here: the
// main window shows what this holds.
//
// Every walk stops at the ends of the order, so bookkeeping that does not add
// up (frames loaded from another file) can never make a walk run forever.
class KeyFrameHistory {
 public:
  // Store indices are 16-bit.
  static constexpr int kMaxRecords = 32767;

  // The start-up frame alone: record 0, first in the order for good.
  void start(const KeyFrame& startupFrame);

  // Stores a new frame after the current one and renumbers its animation.
  // Refused (false, nothing changed) when the store is full.
  bool capture(const KeyFrame& frame, const std::string& aniName);
  bool canCapture() const { return nextFrameIndex() < kMaxRecords; }

  // Navigation. Each returns false at the end of the order (the caller beeps);
  // jumps still leave the current frame to be shown again.
  bool jumpBack();
  bool jumpForward();
  bool stepBack();
  bool stepForward();
  // Takes the current frame (never the start-up frame) out of the order and
  // flags its record deleted.
  bool deleteCurrent();
  // Back to the start-up frame alone.
  void clear();
  // Replaces the current frame's record, bookkeeping members included.
  void modifyCurrent(const KeyFrame& frame);
  // Starts a new animation at the next capture; false in the middle of one.
  bool newAnimation();

  // The records of the unflagged frames in order; leaves the last frame current.
  std::vector<KeyFrame> recordsForSave();
  // Appends records 1.. of a file (record 0 is the writer's start-up frame)
  // after the last frame and makes the last of them current. Refused (false,
  // nothing changed) when the store cannot take them all.
  bool appendLoaded(const std::vector<KeyFrame>& records);
  bool canAppend(size_t records) const;

  const KeyFrame& current() const { return at(current_); }
  bool atFirst() const { return current_ == 0; }
  bool atLast() const { return current_ + 1 == order_.size(); }
  int nextFrameIndex() const { return static_cast<int>(frameStore_.size()); }
  int16_t nextFrameNo() const { return nextFrameNo_; }
  int16_t nextFrameTotal() const { return nextFrameTotal_; }
  const std::vector<KeyFrame>& frameStore() const { return frameStore_; }
  // The frames in order, for tests and the animation's geometry.
  std::vector<KeyFrame> listed() const;
  int currentPosition() const { return static_cast<int>(current_); }  // 0 for the start-up frame
  // The current frame and up to k - 1 frames before it, in order.
  std::vector<KeyFrame> framesUpToCurrent(int k) const;

  // "3 of 3" and "frame 4 of 4".
  std::string positionText() const;
  std::string nextCaptureText() const;

 private:
  // The frame at a position in the order.
  const KeyFrame& at(size_t position) const { return frameStore_[static_cast<size_t>(order_[position])]; }
  KeyFrame& at(size_t position) { return frameStore_[static_cast<size_t>(order_[position])]; }
  bool isLastPosition(size_t position) const { return position + 1 == order_.size(); }
  void takeNextCountsFrom(const KeyFrame& f);
  void renumberAfterDelete(size_t saved, int oldNextFrameNo);

  std::vector<KeyFrame> frameStore_;
  std::vector<int> order_;  // store indices of the live frames; order_[0] == 0
  size_t current_ = 0;      // a position in order_
  int16_t nextFrameNo_ = 1;
  int16_t nextFrameTotal_ = 1;
};

}  // namespace quill
