#include "engine/DigitStream.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <utility>
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

std::vector<int> listDigits(PatternState& s, size_t count) {
  std::vector<int> out;
  while (out.size() < count) out.push_back(nextDigitColor(s));
  return out;
}

std::vector<int> digitsOf(int64_t from, int64_t to, int base) {
  std::vector<int> out;
  for (int64_t v = from; v <= to; ++v) {
    for (char ch : toDigitText(v, base)) out.push_back(ch - '0');
  }
  return out;
}

TEST(DigitStreamList, HandsOutDigitsMostSignificantFirst) {
  const int64_t p26 = int64_t{1} << 26;  // 26 binary digits below, 27 from here on
  struct Case { int base; int64_t start; std::vector<int> digits; };
  const Case cases[] = {
      {10, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 0}},   {10, 8, {8, 9, 1, 0, 1, 1, 1, 2}},
      {2, 0, {0, 1, 1, 0, 1, 1, 1, 0, 0}},             {16, 255, {15, 15, 1, 0, 0}},
      {26, 25 * 26 + 16, {25 & 15, 16 & 15}},  // bases above 16 reuse palette entries
      {2, p26 - 2, digitsOf(p26 - 2, p26 + 2, 2)},     {2, 2147483647, digitsOf(2147483647, 2147483648, 2)},
      {10, 2147483646, digitsOf(2147483646, 2147483649, 10)},
      // Damaged states: a negative counter is handed out like zero; bases below 2 count in 2.
      {10, -5, {0, 1, 2}}, {1, 5, {1, 0, 1}}, {0, 5, {1, 0, 1}}, {-7, 5, {1, 0, 1}},
  };
  for (const Case& c : cases) {
    PatternState s = digitEchoState(c.base, c.start);
    EXPECT_EQ(listDigits(s, c.digits.size()), c.digits) << "base " << c.base << " from " << c.start;
    if (c.start == 2147483646) {
      EXPECT_EQ(s.digitCounter, 2147483650);  // goes on past i32
    }
  }
}

TEST(DigitStreamList, ResetAndDamagedPendingCount) {
  PatternState s = digitEchoState(10, 10);
  s.curFrame.startValue = 47;
  listDigits(s, 3);  // leaves the second digit of 11 pending
  resetDigitStream(s);
  EXPECT_EQ(s.digitCounter, 47);
  EXPECT_EQ(listDigits(s, 3), (std::vector<int>{4, 7, 4}));
  EXPECT_EQ(s.digitCounter, 49);  // a partly handed-out number counts as converted
  // A pending count outside the buffer never reads outside it.
  s = digitEchoState(10, 12);
  s.pendingDigits = 500;
  EXPECT_EQ(listDigits(s, 2), (std::vector<int>{1, 2}));
  s.pendingDigits = -3;
  EXPECT_EQ(listDigits(s, 2), (std::vector<int>{1, 3}));
}

TEST(DigitStreamBlend, MixesTheDigitsOfTwelve) {
  // weight: that of 2-digit numbers.
  struct Case { const char* name; int16_t variant; Color one, two; int16_t weight; Color want; };
  const Color a = rgb(10, 20, 30), b = rgb(40, 50, 60);
  const Case cases[] = {
      {"ave rounds the sum before dividing", 0, rgb(255, 3, 10), rgb(0, 0, 11), 100, rgb(127, 1, 10)},
      {"ave sums 127.5 and 126.5 round to even", 0, rgb(255, 253, 1), kBlack, 50, rgb(64, 63, 0)},
      {"add clamps at 255", 1, rgb(255, 0, 0), rgb(255, 0, 0), 100, rgb(255, 0, 0)},
      {"add scales by 400 / 256", 1, rgb(200, 100, 0), rgb(200, 0, 50), 100, rgb(255, 64, 32)},
      {"add below 256 unscaled", 1, rgb(100, 20, 3), rgb(100, 30, 4), 100, rgb(200, 50, 7)},
      {"sub white and black", 2, kWhite, kBlack, 100, kBlack},
      {"sub white and yellow", 2, kWhite, rgb(255, 255, 0), 100, rgb(255, 255, 0)},
      {"sub within -255 unscaled", 2, rgb(255, 192, 255), rgb(255, 255, 128), 100, rgb(254, 191, 127)},
      {"ave weight 0", 0, a, b, 0, kBlack}, {"add weight 0", 1, a, b, 0, kBlack}, {"sub weight 0", 2, a, b, 0, kWhite},
      {"unknown variant", 3, kWhite, kWhite, 100, kBlack}, {"negative variant", -1, kWhite, kWhite, 100, kBlack},
  };
  for (const Case& c : cases) {
    PatternState s = digitEchoState(10, 12);
    s.curFrame.palette[1] = c.one;
    s.curFrame.palette[2] = c.two;
    s.curFrame.blendVariant = c.variant;
    s.curFrame.blendWeights[0] = c.weight;
    EXPECT_EQ(blendColor(s), c.want) << c.name;
  }
}

TEST(DigitStreamBlend, SingleDigitsKeepTheirColourAndEveryBlendTakesAWholeNumber) {
  for (int16_t variant : {0, 1, 2}) {
    PatternState s = digitEchoState(16, 0);
    s.curFrame.palette = presetPalette(variant);
    s.curFrame.blendVariant = variant;
    s.curFrame.blendWeights.fill(0);
    s.blendWeights.fill(0);
    for (size_t d = 0; d < 16; ++d) EXPECT_EQ(blendColor(s), s.curFrame.palette[d]) << variant << " " << d;
  }
  PatternState s = digitEchoState(10, 12);
  EXPECT_EQ(nextDigitColor(s), 1);  // first digit of 12
  EXPECT_EQ(blendColor(s), 2);      // then 13: (1 + 3) div 2
  EXPECT_EQ(s.digitCounter, 14);
}

TEST(DigitStreamBlend, WeightFactorByDigitCount) {
  PatternState s;
  for (int i = 0; i < 16; ++i) s.curFrame.blendWeights[static_cast<size_t>(i)] = static_cast<int16_t>(i + 1);
  s.curFrame.blendWeights[0] = 33;
  s.blendWeights.fill(77);
  // Entry 0 serves 2 digits and entry 15 serves 17; from 18 on the live entry 14 does.
  const std::pair<int, float> factors[] = {{1, 1.0f}, {2, 0.33f}, {10, 0.09f}, {17, 0.16f}, {18, 0.77f}, {64, 0.77f}};
  for (auto [digits, factor] : factors) EXPECT_EQ(blendWeightFactor(s, digits), factor) << digits;
  // Out-of-range weights and colours still give a colour.
  for (int16_t variant : {0, 1, 2}) {
    for (int16_t weight : {int16_t{32767}, int16_t{-32768}}) {
      s = digitEchoState(2, 1000);
      s.curFrame.blendVariant = variant;
      s.curFrame.blendWeights.fill(weight);
      s.curFrame.palette.fill(-123456789);
      const Color c = blendColor(s);
      EXPECT_TRUE(c >= 0 && c <= kWhite) << variant << " " << weight << ": " << c;
    }
  }
}

struct CursorCase {
  int base;
  int64_t start;
  int16_t blendOn, variant;
};
const CursorCase kCursorCases[] = {
    {10, 0, 0, 0},    {2, 0, 0, 0},     {16, 250, 0, 0},  {10, 9990, 1, 0},
    {10, 0, 1, 1},    {7, 340, 1, 2},   {3, 0, 1, 0},     {16, 4090, 1, 1},
    {2, (int64_t{1} << 26) - 40, 0, 0}, {2, (int64_t{1} << 26) - 40, 1, 0},
    {10, 95, 1, 3},   {20, 370, 1, 0}};  // only a damaged frame counts past 16

// The case's stream with the spectrum palette and some weights changed.
PatternState cursorCaseState(const CursorCase& c) {
  PatternState s = digitEchoState(c.base, c.start);
  s.curFrame.startValue = static_cast<int32_t>(c.start);
  s.curFrame.palette = presetPalette(0);
  s.curFrame.blendWeights[0] = 57;
  s.curFrame.blendWeights[2] = 0;
  s.curFrame.blendOn = c.blendOn;
  s.curFrame.blendVariant = c.variant;
  return s;
}

// The cursor gives the stream's colours and leaves its members as the stream
// would; seeking, back or forth, leaves them as taking every call before
// would; after a restart, a change of palette and weights shows.
TEST(DigitCursor, FollowsTheStreamAndSeeksStraightToAnyCall) {
  constexpr int kCalls = 3000;
  std::mt19937 rng(11);
  for (const CursorCase& c : kCursorCases) {
    SCOPED_TRACE(testing::Message() << c.base << " " << c.start << " " << c.blendOn << c.variant);
    PatternState reference = cursorCaseState(c);
    PatternState s = reference;
    DigitCursor cursor(s);
    std::vector<Color> colours;
    std::vector<std::pair<int64_t, int16_t>> before;  // counter and pending digits before each call
    for (int render = 0; render < 2; ++render) {
      if (render == 1) {
        for (PatternState* p : {&reference, &s}) {
          p->curFrame.palette[3] = rgb(1, 2, 3);
          p->curFrame.blendWeights[1] = 140;
          resetDigitStream(*p);
        }
        cursor.restart();
      }
      colours.clear(), before.clear();
      for (int call = 0; call < kCalls; ++call) {
        before.emplace_back(reference.digitCounter, reference.pendingDigits);
        colours.push_back(c.blendOn ? blendColor(reference) : nextDigitColor(reference));
        ASSERT_EQ(cursor.next(), colours.back()) << render << " " << call;
        ASSERT_EQ(std::tie(s.digitCounter, s.pendingDigits, s.digitBuffer),
                  std::tie(reference.digitCounter, reference.pendingDigits, reference.digitBuffer))
            << call;
      }
    }
    for (int jump = 0; jump < 300; ++jump) {
      const int call = jump < 3 ? jump : std::uniform_int_distribution<int>(0, kCalls - 4)(rng);
      cursor.seek(call);
      ASSERT_EQ(std::pair(s.digitCounter, s.pendingDigits), before[static_cast<size_t>(call)]) << call;
      for (int k = 0; k < 3; ++k) ASSERT_EQ(cursor.next(), colours[static_cast<size_t>(call + k)]) << call;
    }
  }
}

}  // namespace
}  // namespace quill
