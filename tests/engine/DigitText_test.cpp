#include "engine/DigitText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quill {
namespace {

using TextInBase = std::pair<std::string, int>;

TEST(DigitText, WritesMostSignificantDigitFirstAndReadsItBack) {
  EXPECT_EQ(toDigitText(26, 16), "1:");
  EXPECT_EQ(digitsToLetters("09:?"), "09AF");
  EXPECT_EQ(lettersToDigits("09AF"), "09:?");
  EXPECT_EQ(toDisplayText(0xABCDEF, 16), "ABCDEF");
  EXPECT_EQ(toDisplayText(25 * 26 + 16, 26), "PG");  // base 26: digits 16..25 are G..P
  EXPECT_EQ(toDigitText(0, 2), "0");
  EXPECT_EQ(toDigitText(-1, 10), "");
  EXPECT_EQ(fromDigitText("", 10), 0);
  EXPECT_EQ(fromDigitText("0017", 8), 15);
  for (int base = 2; base <= 16; ++base) {
    for (int64_t v : {0LL, 1LL, 15LL, 4095LL, 123456789LL, 2147483647LL}) {
      EXPECT_EQ(fromDigitText(lettersToDigits(toDisplayText(v, base)), base), v) << base;
    }
  }
}

TEST(DigitText, RefusesValuesBeyondI32) {
  EXPECT_EQ(fromDigitText("2147483647", 10), 2147483647);
  EXPECT_EQ(fromDigitText(std::string(31, '1'), 2), 2147483647);
  // Long text, checked or not, never overflows on the way.
  const TextInBase tooLarge[] = {{"2147483648", 10}, {"99999999999", 10}, {lettersToDigits("FFFFFFFF"), 16},
                                 {"1" + std::string(31, '0'), 2}, {std::string(5000, '9'), 10},
                                 {std::string(5000, '\xff'), 16}, {std::string(5000, '\x01'), 16}};
  for (const auto& [raw, base] : tooLarge) EXPECT_EQ(fromDigitText(raw, base), std::nullopt) << raw.substr(0, 12);
}

TEST(DigitText, ChecksDigitsOfBase) {
  const TextInBase good[] = {{"17", 8}, {"F0", 16}, {"", 2}};
  const TextInBase bad[] = {{"19", 8},  {"F0", 15}, {"G", 16},  {"1 2", 10}, {"-1", 10},
                            {"1a", 16}, {std::string(1, '\0'), 16}, {"\xc3\xa9", 16}};
  for (const auto& [text, base] : good) EXPECT_TRUE(checkDigits(lettersToDigits(text), base)) << text;
  for (const auto& [text, base] : bad) EXPECT_FALSE(checkDigits(lettersToDigits(text), base)) << text;
}

}  // namespace
}  // namespace quill
