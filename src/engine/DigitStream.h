#pragma once
#include <memory>

#include "engine/PatternState.h"

namespace quill {

// The counting numbers from curFrame.startValue, written in curFrame.numberBase,
// handed out one colour per call. Zero is the single digit 0; a counter below
// zero (never set by the windows) is handed out the same way, as entry 0 and
// then on to 1, so no call reads a digit that was never written.

// Sets digitCounter := curFrame.startValue and pendingDigits := 0.
void resetDigitStream(PatternState& state);

// List mode: the palette colour of the next digit of the digit sequence.
Color nextDigitColor(PatternState& state);

// Blend mode: the mixed colour of all digits of the next counting number,
// by curFrame.blendVariant (0 ave, 1 add, 2 sub; anything else gives black).
Color blendColor(PatternState& state);
Color blendAverage(PatternState& state);
Color blendAdd(PatternState& state);
Color blendSubtract(PatternState& state);

// Weight factor (32-bit float) of a number with n digits.
float blendWeightFactor(const PatternState& state, int digitCount);

// The colours of nextDigitColor or blendColor (by curFrame.blendOn) for one
// render, leaving the stream members exactly as those would. A number that
// follows the one in hand is counted up in place rather than converted whole,
// and blends keep per-channel digit sums that follow the changed digits only.
// Call restart() when the stream was reset or touched by anything else.
class DigitCursor {
 public:
  explicit DigitCursor(PatternState& state) : state_(state) { restart(); }
  void restart();
  // Leaves the stream members as `calls` calls of next() after a fresh
  // resetDigitStream() would, without taking the calls in between.
  void seek(int64_t calls);
  // Most numbers differ from the one before only in the lowest digit, and
  // their colour is already in the row: that much is done here, in line.
  Color next() {
    auto& buffer = state_.digitBuffer;
    if (row_ != nullptr && state_.digitCounter == held_ + 1 && buffer[0] + 1 < base_) {
      const int low = buffer[0] + 1;
      const int slot = low & 15;  // digits that share a palette entry share a colour
      if ((row_->known >> slot & 1) != 0) {
        buffer[0] = static_cast<int16_t>(low);
        held_ = state_.digitCounter++;
        state_.pendingDigits = static_cast<int16_t>(length_ - 1);
        return row_->colors[slot];
      }
    }
    return blend_ ? nextBlend() : nextDigit();
  }

 private:
  void seekDigit(int64_t index);
  Color nextDigit();
  Color nextBlend();
  int convert();  // returns the highest digit position that changed
  int countOn(int64_t step);
  void fullConvert();
  struct Row;
  Row& rowFor(int digits);

  PatternState& state_;
  int64_t base_ = 2;
  bool blend_ = false;
  bool exactSums_ = true;     // every palette channel within 0..255
  int64_t held_ = -1;         // the number whose digits fill slots 0..length_-1
  int length_ = 0;
  int channels_[16][3] = {};
  // A blend depends on nothing but the digit count and the channel sums (the
  // weights and variant hold for a whole render). Numbers that differ only in
  // their lowest digit share a row of colours, one per lowest digit, worked out
  // as they are first needed; few rows ever occur, so they are kept.
  struct Row {
    uint64_t key = 0;
    uint32_t render = 0;  // the restart that filled it; rows of earlier renders are empty
    uint32_t known = 0;   // bit d: colors[d] is worked out
    int32_t upper[3] = {0, 0, 0};  // channel sums of all digits but the lowest
    Color colors[16] = {};
  };
  static constexpr int kRowBits = 11;
  static constexpr size_t kRowSlots = size_t{1} << kRowBits;
  std::unique_ptr<Row[]> rows_;
  Row* row_ = nullptr;  // the held number's row
  uint32_t render_ = 0;
};

}  // namespace quill
