#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quill {
namespace {

TEST(NumberText, ReadsPlainNumbersOrWithAnExponentAndWritesThemAsTheBoxesShowThem) {
  for (const auto& [good, value] : {std::pair{"12", 12.0}, {"  -3.5 ", -3.5}, {"+7", 7.0}, {".5", 0.5}, {"7.", 7.0}}) {
    EXPECT_EQ(numericValue(good), value) << good;
  }
  for (const char* bad : {"", " ", ".", "-", "abc", "12a", "1.2.3", "1 2", "1e3", "--1", "0x10"}) {
    EXPECT_FALSE(isNumeric(bad)) << bad;
  }
  // The animation window's boxes take exponents and tabs as well.
  for (const auto& [good, value] : {std::pair{"12", 12.0}, {" -3.5e2 ", -350.0}, {"\t.5E+1\n", 5.0}, {"7.e-1", 0.7},
                                    {"1e-999", 0.0}}) {
    EXPECT_EQ(numericValue(good, NumberForm::WithExponent), value) << good;
  }
  for (const char* bad : {"", "e3", "1e", "1e+", "1.2e3.4", "1e3e4", "- 1", "1 e3", "1E 3"}) {
    EXPECT_FALSE(numericValue(bad, NumberForm::WithExponent)) << bad;
  }
  EXPECT_FALSE(numericValue("\t3"));
  // A huge digit run is a number out of range, not a failure.
  EXPECT_GT(numericValue(std::string(400, '9')).value_or(0), 1600.0);
  EXPECT_GT(numericValue("1e999", NumberForm::WithExponent).value_or(0), 1e300);

  EXPECT_EQ(numberText(10), "10");
  EXPECT_EQ(numberText(12.5), "12.5");
  EXPECT_EQ(numberText(1600.0 * 1600.0 * 16384.0), "41943040000");
}

}  // namespace
}  // namespace quill
