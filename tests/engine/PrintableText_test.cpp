#include "engine/PrintableText.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

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
