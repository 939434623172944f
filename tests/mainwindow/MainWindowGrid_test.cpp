// The rows and columns boxes and the ratio lock.
#include "mainwindow/MainWindowFixture.h"

namespace quill {
namespace {

// The grid's controls are on screen only in rectangle mode.
class GridTest : public MainWindowTest {
 protected:
  GridTest() { click("PicRect"); }
};

// Columns derive the rows from the ratio (12 x 10 at start-up), rounding half
// to even once the ratio is locked; any edit releases the lock; typed
// fractional rows are kept.
TEST_F(GridTest, ColumnsDeriveRowsFromTheRatio) {
  retype("txtDims0", "20");
  EXPECT_EQ(text("txtDims1"), "16");
  EXPECT_EQ(text("lblRects"), "320");
  EXPECT_EQ(std::pair(int(state.columnCount), state.rowCount), std::pair(20, 16.0));
  paste("txtDims0", "5");
  EXPECT_EQ(text("txtDims1"), "4");
  paste("txtDims1", "12.5");
  EXPECT_EQ(state.rowCount, 12.5);
  EXPECT_EQ(text("lblRects"), "62.5");
  paste("txtDims0", "20");
  paste("txtDims1", "10");
  click("optLock");
  EXPECT_TRUE(checked("optLock"));
  EXPECT_FLOAT_EQ(form->aspectRatio(), 0.5f);
  paste("txtDims0", "5");
  EXPECT_EQ(text("txtDims1"), "2");  // 2.5
  EXPECT_FALSE(checked("optLock"));
  paste("txtDims0", "7");
  EXPECT_EQ(text("txtDims1"), "4");  // 3.5
  EXPECT_EQ(beeps(), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(GridTest, BadSizesAreRefusedWithAMessageAndTheOldTextBack) {
  struct Case { const char *box, *pasted, *message, *old; };
  const Case cases[] = {{"txtDims0", "abc", "width must be numeric", "12"},
                        {"txtDims1", "0", "value must be <=1600 and >0", "10"},
                        {"txtDims1", "1601", "value must be <=1600 and >0", "10"},
                        {"txtDims1", "", "width must be numeric", "10"}};  // emptied
  int refusals = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted);
    paste(c.box, c.pasted);
    EXPECT_EQ(beeps(), ++refusals);
    ASSERT_EQ(messages().size(), size_t(refusals));
    EXPECT_EQ(messages().back().text, c.message);
    EXPECT_EQ(messages().back().buttons, MessageButtons::Ok);
    EXPECT_EQ(text(c.box), c.old);
  }
  EXPECT_EQ(std::pair(int(state.columnCount), state.rowCount), std::pair(12, 10.0));
  // Restoring the columns derives the rows again.
  paste("txtDims1", "50");
  paste("txtDims0", "x");
  EXPECT_EQ(text("txtDims0"), "12");
  EXPECT_EQ(text("txtDims1"), "10");
}

}  // namespace
}  // namespace quill
