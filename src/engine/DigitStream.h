#pragma once
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

}  // namespace quill
