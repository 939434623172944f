#include "engine/DigitStream.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/DigitText.h"
#include "engine/Palettes.h"

namespace quill {
namespace {

// A palette whose colour i is the number i, so list mode hands out the digits.
PatternState digitEchoState(int base, int64_t start) {
  PatternState s;
  for (int i = 0; i < 16; ++i) s.curFrame.palette[static_cast<size_t>(i)] = i;
  s.curFrame.numberBase = static_cast<int16_t>(base);
  s.curFrame.blendWeights.fill(100);
  s.blendWeights.fill(100);
  s.digitCounter = start;
  return s;
}

std::vector<int> listDigits(PatternState& s, int count) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(nextDigitColor(s));
  return out;
}

std::vector<int> expectedDigits(int64_t from, int64_t to, int base) {
  std::vector<int> out;
  for (int64_t v = from; v <= to; ++v) {
    for (char ch : toDigitText(v, base)) out.push_back(ch - '0');
  }
  return out;
}

TEST(DigitStreamList, HandsOutDigitsMostSignificantFirst) {
  PatternState s = digitEchoState(10, 0);
  EXPECT_EQ(listDigits(s, 12), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 0}));
  s = digitEchoState(10, 8);
  EXPECT_EQ(listDigits(s, 8), (std::vector<int>{8, 9, 1, 0, 1, 1, 1, 2}));
  s = digitEchoState(2, 0);
  EXPECT_EQ(listDigits(s, 9), (std::vector<int>{0, 1, 1, 0, 1, 1, 1, 0, 0}));
  s = digitEchoState(16, 255);
  EXPECT_EQ(listDigits(s, 5), (std::vector<int>{15, 15, 1, 0, 0}));
}

TEST(DigitStreamList, ResetStartsAtTheFrameStartValue) {
  PatternState s = digitEchoState(10, 0);
  s.curFrame.startValue = 47;
  listDigits(s, 3);
  resetDigitStream(s);
  EXPECT_EQ(s.digitCounter, 47);
  EXPECT_EQ(s.pendingDigits, 0);
  EXPECT_EQ(listDigits(s, 3), (std::vector<int>{4, 7, 4}));
  // A partly handed-out number counts as converted: the next start is 49.
  EXPECT_EQ(s.digitCounter, 49);
}

TEST(DigitStreamList, LongBinaryNumbersKeepAllDigits) {
  const int64_t start = (int64_t{1} << 26) - 2;  // 26 digits, then 27 from 2^26 on
  PatternState s = digitEchoState(2, start);
  const auto want = expectedDigits(start, start + 4, 2);
  EXPECT_EQ(listDigits(s, static_cast<int>(want.size())), want);

  const int64_t top = 2147483647;  // 31 binary digits
  s = digitEchoState(2, top);
  const auto wantTop = expectedDigits(top, top + 1, 2);
  EXPECT_EQ(listDigits(s, static_cast<int>(wantTop.size())), wantTop);
}

TEST(DigitStreamList, CounterGoesOnPastI32) {
  PatternState s = digitEchoState(10, 2147483646);
  const auto want = expectedDigits(2147483646, 2147483649, 10);
  EXPECT_EQ(listDigits(s, static_cast<int>(want.size())), want);
  EXPECT_EQ(s.digitCounter, 2147483650);

  s = digitEchoState(16, 2147483646);
  s.curFrame.blendOn = kTrue16;
  for (int i = 0; i < 4; ++i) blendColor(s);
  EXPECT_EQ(s.digitCounter, 2147483650);
  EXPECT_EQ(s.pendingDigits, 7);  // 0x8000_0001 has 8 digits
}

TEST(DigitStreamList, BasesAbove16ReusePaletteEntries) {
  PatternState s = digitEchoState(26, 25 * 26 + 16);
  EXPECT_EQ(listDigits(s, 2), (std::vector<int>{25 & 15, 16 & 15}));
}

TEST(DigitStreamList, DamagedStateNeverReadsOutsideTheBuffer) {
  // A negative counter has no digits; it is handed out like zero.
  PatternState s = digitEchoState(10, -5);
  EXPECT_EQ(listDigits(s, 3), (std::vector<int>{0, 1, 2}));
  s = digitEchoState(10, -5);
  s.curFrame.palette[0] = rgb(1, 2, 3);
  EXPECT_EQ(blendColor(s), rgb(1, 2, 3));
  EXPECT_EQ(s.digitCounter, 1);

  // Bases below 2 count in base 2.
  for (int base : {1, 0, -7}) {
    s = digitEchoState(base, 5);
    EXPECT_EQ(listDigits(s, 3), (std::vector<int>{1, 0, 1})) << base;
  }
  s = digitEchoState(10, 12);
  s.pendingDigits = 500;
  EXPECT_EQ(listDigits(s, 2), (std::vector<int>{1, 2}));
  s.pendingDigits = -3;
  EXPECT_EQ(listDigits(s, 2), (std::vector<int>{1, 3}));
}

class DigitStreamBlend : public ::testing::Test {
 protected:
  // Base 10 from 12: the digits 1 and 2 are mixed.
  PatternState twelve(int16_t variant, Color one, Color two) {
    PatternState s = digitEchoState(10, 12);
    s.curFrame.palette = presetPalette(0);
    s.curFrame.palette[1] = one;
    s.curFrame.palette[2] = two;
    s.curFrame.blendVariant = variant;
    return s;
  }
};

TEST_F(DigitStreamBlend, AverageRoundsTheSumBeforeDividing) {
  PatternState s = twelve(0, rgb(255, 3, 10), rgb(0, 0, 11));
  EXPECT_EQ(blendColor(s), rgb(127, 1, 10));
  s = twelve(0, rgb(255, 253, 1), rgb(0, 0, 0));
  s.curFrame.blendWeights[0] = 50;  // sums 127.5 and 126.5 round to even
  EXPECT_EQ(blendColor(s), rgb(64, 63, 0));
}

TEST_F(DigitStreamBlend, AddScalesTheLargestChannelTo256) {
  PatternState s = twelve(1, rgb(255, 0, 0), rgb(255, 0, 0));
  EXPECT_EQ(blendColor(s), rgb(255, 0, 0));
  s = twelve(1, rgb(200, 100, 0), rgb(200, 0, 50));
  EXPECT_EQ(blendColor(s), rgb(255, 64, 32));  // s = 400 / 256
  s = twelve(1, rgb(100, 20, 3), rgb(100, 30, 4));
  EXPECT_EQ(blendColor(s), rgb(200, 50, 7));  // no scaling up to 255
}

TEST_F(DigitStreamBlend, SubtractMixesLikePaint) {
  PatternState s = twelve(2, kWhite, kBlack);
  EXPECT_EQ(blendColor(s), kBlack);
  s = twelve(2, kWhite, rgb(255, 255, 0));
  EXPECT_EQ(blendColor(s), rgb(255, 255, 0));
  s = twelve(2, rgb(255, 192, 255), rgb(255, 255, 128));
  // Darkening sums -2, -65, -129 stay within -255, so nothing is rescaled.
  EXPECT_EQ(blendColor(s), rgb(254, 191, 127));
}

TEST_F(DigitStreamBlend, ZeroWeightGivesBlackOrWhite) {
  for (int16_t variant : {0, 1, 2}) {
    PatternState s = twelve(variant, rgb(10, 20, 30), rgb(40, 50, 60));
    s.curFrame.blendWeights[0] = 0;
    EXPECT_EQ(blendColor(s), variant == 2 ? kWhite : kBlack) << variant;
  }
}

TEST_F(DigitStreamBlend, SingleDigitsAndZeroKeepTheirPaletteColour) {
  for (int16_t variant : {0, 1, 2}) {
    PatternState s = digitEchoState(16, 0);
    s.curFrame.palette = presetPalette(variant);
    s.curFrame.blendVariant = variant;
    s.curFrame.blendWeights.fill(0);
    s.blendWeights.fill(0);
    for (int d = 0; d < 16; ++d) {
      EXPECT_EQ(blendColor(s), s.curFrame.palette[static_cast<size_t>(d)]) << variant << " " << d;
    }
  }
}

TEST_F(DigitStreamBlend, UnknownVariantIsBlack) {
  PatternState s = twelve(3, kWhite, kWhite);
  EXPECT_EQ(blendColor(s), kBlack);
  s.curFrame.blendVariant = -1;
  EXPECT_EQ(blendColor(s), kBlack);
}

TEST_F(DigitStreamBlend, TakesAWholeNumberEvenAfterListDigits) {
  PatternState s = twelve(0, rgb(2, 2, 2), rgb(4, 4, 4));
  s.curFrame.palette[3] = rgb(6, 6, 6);
  EXPECT_EQ(nextDigitColor(s), rgb(2, 2, 2));  // first digit of 12
  EXPECT_EQ(blendColor(s), rgb(4, 4, 4));      // 13: (2 + 6) div 2
  EXPECT_EQ(s.digitCounter, 14);
}

TEST(DigitStreamWeights, FactorByDigitCount) {
  PatternState s;
  for (int i = 0; i < 16; ++i) s.curFrame.blendWeights[static_cast<size_t>(i)] = static_cast<int16_t>(i + 1);
  s.blendWeights.fill(77);
  s.curFrame.blendWeights[0] = 33;
  EXPECT_EQ(blendWeightFactor(s, 1), 1.0f);
  EXPECT_EQ(blendWeightFactor(s, 2), 0.33f);
  EXPECT_EQ(blendWeightFactor(s, 10), 0.09f);
  EXPECT_EQ(blendWeightFactor(s, 17), 0.16f);  // entry 15 of the frame
  EXPECT_EQ(blendWeightFactor(s, 18), 0.77f);  // the live entry 14
  EXPECT_EQ(blendWeightFactor(s, 64), 0.77f);
}

TEST(DigitStreamWeights, EighteenDigitNumbersUseTheLiveWeight) {
  PatternState s = digitEchoState(2, int64_t{1} << 17);  // 18 binary digits
  s.curFrame.palette = presetPalette(0);
  s.curFrame.palette[0] = kWhite;
  s.curFrame.palette[1] = kWhite;
  s.blendWeights[14] = 0;
  EXPECT_EQ(blendColor(s), kBlack);
  s.blendWeights[14] = 100;
  s.curFrame.blendWeights.fill(0);
  EXPECT_EQ(blendColor(s), kWhite);
}

TEST(DigitStreamWeights, OutOfRangeWeightsAndColoursStayColours) {
  for (int16_t variant : {0, 1, 2}) {
    for (int16_t weight : {int16_t{32767}, int16_t{-32768}}) {
      PatternState s = digitEchoState(2, 1000);
      s.curFrame.blendVariant = variant;
      s.curFrame.blendWeights.fill(weight);
      s.curFrame.palette.fill(-123456789);
      const Color c = blendColor(s);
      EXPECT_GE(c, 0);
      EXPECT_LE(c, kWhite);
    }
  }
}

}  // namespace
}  // namespace quill
