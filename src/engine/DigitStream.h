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
  Color next();

 private:
  Color nextDigit();
  Color nextBlend();
  int convert();  // returns the digit count
  void fullConvert();
  void addDigit(int digit, int sign);

  PatternState& state_;
  int64_t base_ = 2;
  bool blend_ = false;
  bool exactSums_ = true;     // every palette channel within 0..255
  int64_t held_ = -1;         // the number whose digits fill slots 0..length_-1
  int length_ = 0;
  int64_t sums_[3] = {0, 0, 0};  // red, green, blue of the held number's digits
  int channels_[16][3] = {};
  // A blend depends on nothing but the digit count and the channel sums (the
  // weights and variant hold for a whole render), and few sums ever occur, so
  // the colours already worked out are kept by those.
  struct Blended {
    uint64_t key = 0;  // 0: empty
    Color color = 0;
  };
  static constexpr size_t kBlendSlots = 4096;
  std::unique_ptr<Blended[]> blended_;
};

}  // namespace quill
