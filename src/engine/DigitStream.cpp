#include "engine/DigitStream.h"

#include <algorithm>
#include <cmath>

#include "engine/Rounding.h"

namespace quill {

namespace {

// A base below 2 (only a damaged frame can carry one) would never finish a
// number; such frames count in base 2.
int64_t streamBase(const PatternState& state) {
  return std::max<int64_t>(state.curFrame.numberBase, 2);
}

Color paletteColor(const PatternState& state, int digit) {
  return state.curFrame.palette[static_cast<size_t>(digit & 15)];
}

// Zero is the single digit 0. A negative counter has no digits at all and is
// treated the same way, so the stream moves on to 1 instead of reading a
// digit that was never written.
bool takeZero(PatternState& state) {
  if (state.digitCounter > 0) return false;
  state.digitCounter = 1;
  return true;
}

// Writes the digits of the next counting number, least significant first.
void convertNextNumber(PatternState& state) {
  const int64_t base = streamBase(state);
  int64_t v = state.digitCounter;
  ++state.digitCounter;
  while (v >= 1 && state.pendingDigits < kDigitSlots) {
    state.digitBuffer[static_cast<size_t>(state.pendingDigits)] = static_cast<int16_t>(v % base);
    v /= base;
    ++state.pendingDigits;
  }
}

// Steps 2 and 3 of the list mode, without the palette look-up.
int popDigit(PatternState& state) {
  // A count outside the buffer can only be left by outside tampering; start a
  // fresh number rather than read a slot that does not exist.
  if (state.pendingDigits <= 0 || state.pendingDigits > kDigitSlots) {
    state.pendingDigits = 0;
    convertNextNumber(state);
  }
  --state.pendingDigits;
  return state.digitBuffer[static_cast<size_t>(state.pendingDigits)];
}

struct ChannelSums {
  double r = 0;
  double g = 0;
  double b = 0;
};

int clampChannel(double v) {
  const double rounded = roundHalfEven(v);
  if (!(rounded > 0)) return 0;  // also NaN
  return rounded > 255 ? 255 : static_cast<int>(rounded);
}

Color makeColor(double r, double g, double b) {
  return rgb(clampChannel(r), clampChannel(g), clampChannel(b));
}

// Converts the next number for a blend; returns its digit count, or 0 when
// the number was zero and the caller should hand out palette entry 0.
int startBlend(PatternState& state) {
  if (takeZero(state)) return 0;
  state.pendingDigits = 0;
  popDigit(state);
  return state.pendingDigits + 1;
}

// Adds f * term(channel) of every digit's palette colour to the sums.
template <typename Term>
ChannelSums accumulate(const PatternState& state, int n, Term term) {
  const double f = blendWeightFactor(state, n);
  ChannelSums sums;
  for (int i = 0; i < n; ++i) {
    const Color c = paletteColor(state, state.digitBuffer[static_cast<size_t>(i)]);
    sums.r += f * term(c & 255);
    sums.g += f * term((c / 256) & 255);
    sums.b += f * term(c / 65536);
  }
  return sums;
}

// The blend of a number from its digits' channel sums: f x sum equals the
// per-digit accumulation exactly, since every term is a small multiple of f.
Color blendFromSums(const PatternState& state, int n, const int64_t sums[3]) {
  const double f = blendWeightFactor(state, n);
  switch (state.curFrame.blendVariant) {
    case 0: {
      const auto average = [n](double sum) {
        return static_cast<double>(roundHalfEvenToInt(sum) / n);
      };
      return makeColor(average(f * sums[0]), average(f * sums[1]), average(f * sums[2]));
    }
    case 1: {
      const double r = f * sums[0], g = f * sums[1], b = f * sums[2];
      const double m = std::max({r, g, b});
      const double scale = m > 255 ? m / 256 : 1;
      return makeColor(std::floor(r / scale), std::floor(g / scale), std::floor(b / scale));
    }
    case 2: {
      const int64_t full = int64_t{256} * n;
      const double r = f * (sums[0] - full), g = f * (sums[1] - full), b = f * (sums[2] - full);
      const double m = std::min({r, g, b});
      const double scale = m < -255 ? m / 256 : -1;
      return makeColor(256 - std::floor(r / scale), 256 - std::floor(g / scale),
                       256 - std::floor(b / scale));
    }
    default: return kBlack;
  }
}

// Where digit `index` of the digit sequence counting up from `from` >= 1
// falls: its number, its place from the most significant digit, and the
// number's length. Numbers of one length form a band, skipped whole.
struct DigitPlace {
  int64_t number = 0;
  int64_t place = 0;
  int length = 0;
};
DigitPlace placeOfDigit(int64_t from, int64_t index, int64_t base) {
  int64_t v = from;
  for (;;) {
    int length = 0;
    for (int64_t rest = v; rest > 0; rest /= base) ++length;
    int64_t bandEnd = INT64_MAX;  // the last number of as many digits
    int64_t power = 1;
    for (int k = 0; k < length && power <= INT64_MAX / base; ++k) {
      power *= base;
      if (k + 1 == length) bandEnd = power - 1;
    }
    const int64_t numbers = bandEnd - v + 1;
    if (index / length < numbers || bandEnd == INT64_MAX)
      return {v + index / length, index % length, length};
    index -= numbers * length;
    v = bandEnd + 1;
  }
}

}  // namespace

void resetDigitStream(PatternState& state) {
  state.digitCounter = state.curFrame.startValue;
  state.pendingDigits = 0;
}

Color nextDigitColor(PatternState& state) {
  if (takeZero(state)) return paletteColor(state, 0);
  return paletteColor(state, popDigit(state));
}

float blendWeightFactor(const PatternState& state, int digitCount) {
  if (digitCount <= 1) return 1.0f;
  const int16_t weight = digitCount <= 17
                             ? state.curFrame.blendWeights[static_cast<size_t>(digitCount - 2)]
                             : state.blendWeights[14];
  return static_cast<float>(weight) / 100.0f;
}

Color blendAverage(PatternState& state) {
  const int n = startBlend(state);
  if (n == 0) return paletteColor(state, 0);
  const ChannelSums s = accumulate(state, n, [](int v) { return v; });
  const auto average = [n](double sum) {
    return static_cast<double>(roundHalfEvenToInt(sum) / n);
  };
  return makeColor(average(s.r), average(s.g), average(s.b));
}

Color blendAdd(PatternState& state) {
  const int n = startBlend(state);
  if (n == 0) return paletteColor(state, 0);
  const ChannelSums s = accumulate(state, n, [](int v) { return v; });
  const double m = std::max({s.r, s.g, s.b});
  const double scale = m > 255 ? m / 256 : 1;
  return makeColor(std::floor(s.r / scale), std::floor(s.g / scale), std::floor(s.b / scale));
}

Color blendSubtract(PatternState& state) {
  const int n = startBlend(state);
  if (n == 0) return paletteColor(state, 0);
  const ChannelSums s = accumulate(state, n, [](int v) { return -(256 - v); });
  const double m = std::min({s.r, s.g, s.b});
  const double scale = m < -255 ? m / 256 : -1;
  return makeColor(256 - std::floor(s.r / scale), 256 - std::floor(s.g / scale),
                   256 - std::floor(s.b / scale));
}

Color blendColor(PatternState& state) {
  switch (state.curFrame.blendVariant) {
    case 0: return blendAverage(state);
    case 1: return blendAdd(state);
    case 2: return blendSubtract(state);
    default: return kBlack;
  }
}

void DigitCursor::restart() {
  base_ = streamBase(state_);
  blend_ = state_.curFrame.blendOn != 0;
  held_ = -1;
  row_ = nullptr;
  exactSums_ = true;
  for (int d = 0; d < 16; ++d) {
    const Color c = state_.curFrame.palette[static_cast<size_t>(d)];
    channels_[d][0] = c & 255;
    channels_[d][1] = (c / 256) & 255;
    channels_[d][2] = c / 65536;
    // Channel products with a float weight stay exact in double, whatever the
    // order of summing, only while each channel fits a byte.
    if (channels_[d][2] < 0 || channels_[d][2] > 255) exactSums_ = false;
  }
  if (blend_ && !rows_) rows_ = std::make_unique<Row[]>(kRowSlots);
  if (rows_ && ++render_ == 0) {  // the count came round: forget every row for real
    std::fill_n(rows_.get(), kRowSlots, Row{});
    render_ = 1;
  }
}

void DigitCursor::seek(int64_t calls) {
  const int64_t start = state_.curFrame.startValue;
  state_.digitCounter = start;
  state_.pendingDigits = 0;
  if (calls <= 0) return;
  // Set up the call before and take it: every call leaves what the next one needs.
  const int64_t before = calls - 1;
  if (!blend_) {
    seekDigit(start <= 0 ? before - 1 : before);
  } else if (state_.curFrame.blendVariant >= 0 && state_.curFrame.blendVariant <= 2) {
    // A blend takes one number a call; zero, when the stream starts there, is the first.
    state_.digitCounter = start <= 0 ? before : start + before;
  } else {
    return;  // an unknown blend takes nothing
  }
  next();
}

// Sets the counter and pending digits so the next call hands out digit `index`
// of the sequence (-1: the zero a start of zero or below hands out first).
void DigitCursor::seekDigit(int64_t index) {
  const int64_t start = state_.curFrame.startValue;
  if (index < 0) return;  // the counter is at the start, which takes zero
  const DigitPlace at = placeOfDigit(start <= 0 ? 1 : start, index, base_);
  state_.digitCounter = at.number;
  if (at.place == 0) return;  // the call converts the number itself
  fullConvert();
  state_.pendingDigits = static_cast<int16_t>(at.length - at.place);
}

Color DigitCursor::nextDigit() {
  if (takeZero(state_)) return paletteColor(state_, 0);
  if (state_.pendingDigits <= 0 || state_.pendingDigits > kDigitSlots) {
    state_.pendingDigits = 0;
    convert();
  }
  --state_.pendingDigits;
  return paletteColor(state_, state_.digitBuffer[static_cast<size_t>(state_.pendingDigits)]);
}

Color DigitCursor::nextBlend() {
  if (!exactSums_ || state_.curFrame.blendVariant < 0 || state_.curFrame.blendVariant > 2) {
    held_ = -1;
    row_ = nullptr;
    return blendColor(state_);
  }
  if (takeZero(state_)) return paletteColor(state_, 0);
  state_.pendingDigits = 0;
  if (convert() > 0 || row_ == nullptr) row_ = &rowFor(length_);
  state_.pendingDigits = static_cast<int16_t>(length_ - 1);
  const int low = state_.digitBuffer[0] & 15;
  if ((row_->known >> low & 1) == 0) {
    const int64_t sums[3] = {row_->upper[0] + channels_[low][0], row_->upper[1] + channels_[low][1],
                             row_->upper[2] + channels_[low][2]};
    row_->colors[low] = blendFromSums(state_, length_, sums);
    row_->known |= 1u << low;
  }
  return row_->colors[low];
}

// The row of the held number: its digit count and the channel sums of all its
// digits but the lowest, which lie within 0..255 x 63 (14 bits) each.
DigitCursor::Row& DigitCursor::rowFor(int digits) {
  int32_t upper[3] = {0, 0, 0};
  for (int i = 1; i < digits; ++i) {
    const int* c = channels_[state_.digitBuffer[static_cast<size_t>(i)] & 15];
    for (int k = 0; k < 3; ++k) upper[k] += c[k];
  }
  const uint64_t key = uint64_t{1} << 63 | static_cast<uint64_t>(digits) |
                       static_cast<uint64_t>(upper[0]) << 7 |
                       static_cast<uint64_t>(upper[1]) << 21 |
                       static_cast<uint64_t>(upper[2]) << 35;
  Row& row = rows_[(key * 0x9E3779B97F4A7C15ull) >> (64 - kRowBits)];
  if (row.key != key || row.render != render_) {
    row.key = key;
    row.render = render_;
    row.known = 0;
    for (int k = 0; k < 3; ++k) row.upper[k] = upper[k];
  }
  return row;
}

// Counts the held number on by one in place when the counter follows it, or
// converts the counter whole; returns the position of the highest digit that
// changed (kDigitSlots when all may have).
int DigitCursor::convert() {
  const int64_t v = state_.digitCounter;
  if (held_ >= 1 && v > held_ + 1) return countOn(v - held_);
  if (held_ < 1 || v != held_ + 1) {
    fullConvert();
    return kDigitSlots;
  }
  auto& buffer = state_.digitBuffer;
  int i = 0;
  while (i < length_ && buffer[static_cast<size_t>(i)] == base_ - 1) buffer[static_cast<size_t>(i++)] = 0;
  if (i == length_ && length_ == kDigitSlots) {  // the buffer cannot grow: convert as ever
    fullConvert();
    return kDigitSlots;
  }
  if (i == length_) {  // a new top digit
    buffer[static_cast<size_t>(i)] = 1;
    ++length_;
  } else {
    ++buffer[static_cast<size_t>(i)];
  }
  held_ = v;
  state_.pendingDigits = static_cast<int16_t>(length_);
  ++state_.digitCounter;
  return i;
}

// Adds `step` to the held number's digits in place, as a stream moved on
// by seek() goes to a number a little way past the one it holds.
int DigitCursor::countOn(int64_t step) {
  auto& buffer = state_.digitBuffer;
  int i = 0;
  for (int64_t carry = step; carry > 0; ++i) {
    if (i == length_) {
      if (length_ == kDigitSlots) {  // the buffer cannot grow: convert as ever
        fullConvert();
        return kDigitSlots;
      }
      buffer[static_cast<size_t>(i)] = 0;
      ++length_;
    }
    const int64_t sum = buffer[static_cast<size_t>(i)] + carry;
    buffer[static_cast<size_t>(i)] = static_cast<int16_t>(sum % base_);
    carry = sum / base_;
  }
  held_ = state_.digitCounter;
  state_.pendingDigits = static_cast<int16_t>(length_);
  ++state_.digitCounter;
  return i - 1;
}

void DigitCursor::fullConvert() {
  state_.pendingDigits = 0;
  const int64_t v = state_.digitCounter;
  convertNextNumber(state_);
  length_ = state_.pendingDigits;
  // A number cut short by the buffer cannot be counted on from.
  held_ = length_ < kDigitSlots ? v : -1;
}

}  // namespace quill
