// Numbers written in a base and read back, the numbers typed into boxes, and
// untrusted bytes made printable.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "engine/DigitText.h"
#include "engine/NumberText.h"
#include "engine/PrintableText.h"

namespace quill {
namespace {

using TextInBase = std::pair<std::string, int>;

TEST(DigitText, WritesMostSignificantDigitFirstAndReadsItBack) {
  EXPECT_EQ(toDigitText(26, 16), "1:");
  EXPECT_EQ(digitsToLetters("09:?"), "09AF");
  EXPECT_EQ(lettersToDigits("09AF"), "09:?");
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

TEST(DigitText, ChecksDigitsOfBaseAndRefusesValuesBeyondI32) {
  const TextInBase good[] = {{"17", 8}, {"F0", 16}, {"", 2}};
  const TextInBase bad[] = {{"19", 8},  {"F0", 15}, {"G", 16},  {"1 2", 10}, {"-1", 10},
                            {"1a", 16}, {std::string(1, '\0'), 16}, {"\xc3\xa9", 16}};
  for (const auto& [text, base] : good) EXPECT_TRUE(checkDigits(lettersToDigits(text), base)) << text;
  for (const auto& [text, base] : bad) EXPECT_FALSE(checkDigits(lettersToDigits(text), base)) << text;
  EXPECT_EQ(fromDigitText(std::string(31, '1'), 2), 2147483647);
  // Long text, checked or not, never overflows on the way.
  const TextInBase tooLarge[] = {{"2147483648", 10}, {"99999999999", 10}, {lettersToDigits("FFFFFFFF"), 16},
                                 {"1" + std::string(31, '0'), 2}, {std::string(5000, '9'), 10},
                                 {std::string(5000, '\xff'), 16}, {std::string(5000, '\x01'), 16}};
  for (const auto& [raw, base] : tooLarge) EXPECT_EQ(fromDigitText(raw, base), std::nullopt) << raw.substr(0, 12);
}

TEST(NumberText, ReadsPlainNumbersOrWithAnExponentAndWritesThemAsTheBoxesShowThem) {
  for (const auto& [good, value] : {std::pair{"12", 12.0}, {"  -3.5 ", -3.5}, {"+7", 7.0}, {".5", 0.5}, {"7.", 7.0}}) {
    EXPECT_EQ(numericValue(good), value) << good;
  }
  for (const char* bad : {"", " ", ".", "-", "abc", "12a", "1.2.3", "1 2", "1e3", "--1", "0x10", "\t3"}) {
    EXPECT_FALSE(isNumeric(bad) || numericValue(bad)) << bad;
  }
  // The animation window's boxes take exponents and tabs as well.
  for (const auto& [good, value] : {std::pair{" -3.5e2 ", -350.0}, {"\t.5E+1\n", 5.0}, {"7.e-1", 0.7}, {"1e-999", 0.0}}) {
    EXPECT_EQ(numericValue(good, NumberForm::WithExponent), value) << good;
  }
  for (const char* bad : {"", "e3", "1e", "1e+", "1.2e3.4", "1e3e4", "- 1", "1 e3", "1E 3"}) {
    EXPECT_FALSE(numericValue(bad, NumberForm::WithExponent)) << bad;
  }
  // A huge digit run is a number out of range, not a failure.
  EXPECT_GT(numericValue(std::string(400, '9')).value_or(0), 1600.0);
  EXPECT_GT(numericValue("1e999", NumberForm::WithExponent).value_or(0), 1e300);
  EXPECT_EQ(numberText(12.5), "12.5");
  EXPECT_EQ(numberText(1600.0 * 1600.0 * 16384.0), "41943040000");
}

TEST(PrintableText, ControlBytesAndBrokenUtf8BecomeEscapesWhileTextStays) {
  const std::pair<std::string, std::string> cases[] = {
      {"quill\x1b[31mRED\x07", "quill\\x1b[31mRED\\x07"},
      {std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
      {"tab\there\r\n", "tab\\x09here\\x0d\\x0a"},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xa8", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xa8"},  // é € 🎨
      {"\xc2\x85\xc2\x9b\xc2\xa0", "\\xc2\\x85\\xc2\\x9b\xc2\xa0"},  // C1 controls; no-break space stays
      {"\x9b" "31m", "\\x9b31m"},                                    // a lone C1 byte
      {"\xc3", "\\xc3"},                                            // cut short
      {"\xc0\xaf\xed\xa0\x80\xf5\x80", "\\xc0\\xaf\\xed\\xa0\\x80\\xf5\\x80"},  // overlong, surrogate, too high
  };
  for (const auto& [bytes, shown] : cases) EXPECT_EQ(printableText(bytes), shown);
}

}  // namespace
}  // namespace quill
