#include "mainwindow/NumericText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quill {
namespace {

TEST(NumericText, ReadsPlainNumbersOnlyAndWritesThemAsTheBoxesShowThem) {
  for (const auto& [good, value] : {std::pair{"12", 12.0}, {"  -3.5 ", -3.5}, {"+7", 7.0}, {".5", 0.5}, {"7.", 7.0}}) {
    EXPECT_EQ(numericValue(good), value) << good;
  }
  for (const char* bad : {"", " ", ".", "-", "abc", "12a", "1.2.3", "1 2", "1e3", "--1", "0x10"}) {
    EXPECT_FALSE(isNumeric(bad)) << bad;
  }
  // A huge digit run is a number out of range, not a failure.
  EXPECT_GT(numericValue(std::string(400, '9')).value_or(0), 1600.0);

  EXPECT_EQ(numberText(10), "10");
  EXPECT_EQ(numberText(12.5), "12.5");
  EXPECT_EQ(numberText(1600.0 * 1600.0 * 16384.0), "41943040000");
}

}  // namespace
}  // namespace quill
