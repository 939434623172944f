#include "engine/DigitText.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

TEST(DigitText, WritesMostSignificantDigitFirst) {
  EXPECT_EQ(toDigitText(255, 16), std::string(2, static_cast<char>(63)));
  EXPECT_EQ(digitsToLetters(toDigitText(255, 16)), "FF");
  EXPECT_EQ(toDigitText(0, 2), "0");
  EXPECT_EQ(toDigitText(5, 2), "101");
  EXPECT_EQ(toDigitText(2147483647, 10), "2147483647");
  EXPECT_EQ(toDigitText(-1, 10), "");
  EXPECT_EQ(toDisplayText(0xABCDEF, 16), "ABCDEF");
  EXPECT_EQ(toDisplayText(4294967296LL, 2), "1" + std::string(32, '0'));
}

TEST(DigitText, ReadsDisplayTextThroughRawForm) {
  EXPECT_EQ(lettersToDigits("1A"), "1:");
  EXPECT_EQ(fromDigitText(lettersToDigits("1A"), 16), 26);
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
  EXPECT_EQ(fromDigitText("2147483648", 10), std::nullopt);
  EXPECT_EQ(fromDigitText("99999999999", 10), std::nullopt);
  EXPECT_EQ(fromDigitText(lettersToDigits("FFFFFFFF"), 16), std::nullopt);
  EXPECT_EQ(fromDigitText(std::string(31, '1'), 2), 2147483647);
  EXPECT_EQ(fromDigitText("1" + std::string(31, '0'), 2), std::nullopt);
  // Long text, checked or not, never overflows on the way.
  EXPECT_EQ(fromDigitText(std::string(5000, '9'), 10), std::nullopt);
  EXPECT_EQ(fromDigitText(std::string(5000, '\xff'), 16), std::nullopt);
  EXPECT_EQ(fromDigitText(std::string(5000, '\x01'), 16), std::nullopt);
}

TEST(DigitText, ChecksDigitsOfBase) {
  EXPECT_FALSE(checkDigits(lettersToDigits("19"), 8));
  EXPECT_TRUE(checkDigits(lettersToDigits("17"), 8));
  EXPECT_FALSE(checkDigits(lettersToDigits("G"), 16));
  EXPECT_TRUE(checkDigits(lettersToDigits("F0"), 16));
  EXPECT_FALSE(checkDigits(lettersToDigits("F0"), 15));
  EXPECT_FALSE(checkDigits(lettersToDigits("1 2"), 10));
  EXPECT_FALSE(checkDigits(lettersToDigits("-1"), 10));
  EXPECT_FALSE(checkDigits(lettersToDigits("1a"), 16));  // lower case is no digit
  EXPECT_FALSE(checkDigits(lettersToDigits(std::string(1, '\0')), 16));
  EXPECT_FALSE(checkDigits(lettersToDigits("\xc3\xa9"), 16));
  EXPECT_TRUE(checkDigits("", 2));
}

TEST(DigitText, LetterFormsShiftOnlyNonDigits) {
  EXPECT_EQ(digitsToLetters("09:?"), "09AF");
  EXPECT_EQ(lettersToDigits("09AF"), "09:?");
  // Base 26 (the animation's largest): digits 16..25 become G..P.
  EXPECT_EQ(toDisplayText(25 * 26 + 16, 26), "PG");
}

}  // namespace
}  // namespace quill
