#include "engine/FrameCapture.h"

#include <gtest/gtest.h>

#include <utility>

namespace quill {
namespace {

TEST(FrameCapture, StartTextKeepsThePreviousValueForTextItCannotRead) {
  PatternState s;
  loadStartupDefaults(s);
  struct Step { int16_t base; const char* text; int16_t decimalBox; int32_t want; };
  // Reading itself is tested with the digit text; here: which base, and what is kept.
  const Step steps[] = {
      {16, "FF", 0, 255}, {16, "10", 1, 10}, {8, "17", 0, 15}, {8, "19", 0, 15}, {8, "FF", 1, 15},
      {8, "1 2", 0, 15},  {8, "2147483648", 1, 15}, {8, "", 0, 0}, {8, "2147483647", 1, 2147483647},
  };
  for (const Step& step : steps) {
    s.numberBase = step.base;
    captureFrame(s, FrameControls{.startText = step.text, .decimalBox = step.decimalBox});
    EXPECT_EQ(s.curFrame.startValue, step.want) << step.base << " '" << step.text << "' " << step.decimalBox;
  }
}

// Which control each member is read from is pinned by the round trip through
// the windows (apply, then capture); here, fractional rows stored half to even
// and saturated.
TEST(FrameCapture, StoresFractionalRowsRoundedHalfToEven) {
  PatternState s;
  loadStartupDefaults(s);
  for (auto [rows, stored] : {std::pair{10.5, 10}, {11.5, 12}, {1e9, 32767}}) {
    s.rowCount = rows;
    captureFrame(s, {});
    EXPECT_EQ(s.curFrame.rowCount, stored) << rows;
  }
}

}  // namespace
}  // namespace quill
