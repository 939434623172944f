#include "mainwindow/NumericText.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

TEST(NumericText, AcceptsPlainNumbersOnly) {
  EXPECT_EQ(numericValue("12"), 12.0);
  EXPECT_EQ(numericValue("  -3.5 "), -3.5);
  EXPECT_EQ(numericValue("+7"), 7.0);
  EXPECT_EQ(numericValue(".5"), 0.5);
  EXPECT_EQ(numericValue("7."), 7.0);
  for (const char* bad : {"", " ", ".", "-", "abc", "12a", "1.2.3", "1 2", "1e3", "--1", "0x10"}) {
    EXPECT_FALSE(isNumeric(bad)) << bad;
  }
}

TEST(NumericText, HugeDigitRunsAreNumbersOutOfRange) {
  const auto v = numericValue(std::string(400, '9'));
  ASSERT_TRUE(v.has_value());
  EXPECT_GT(*v, 1600.0);
}

TEST(NumericText, WritesNumbersAsTheBoxesShowThem) {
  EXPECT_EQ(numberText(10), "10");
  EXPECT_EQ(numberText(12.5), "12.5");
  EXPECT_EQ(numberText(1600.0 * 1600.0 * 16384.0), "41943040000");
}

}  // namespace
}  // namespace quill
