// The rows and columns boxes and the ratio lock.
#include <QRadioButton>

#include "mainwindow/Form1Fixture.h"

namespace quill {
namespace {

// The grid's controls are on screen only in rectangle mode.
class GridTest : public Form1Test {
 protected:
  GridTest() {
    click("PicRect");
    windows.calls.clear();
  }
};

TEST_F(GridTest, ColumnsDeriveRowsFromTheRatio) {
  retype("txtDims0", "20");
  EXPECT_EQ(text("txtDims1"), "16");
  EXPECT_EQ(text("lblRects"), "320");
  EXPECT_EQ(state.columnCount, 20);
  EXPECT_EQ(state.rowCount, 16);

  const std::pair<const char*, const char*> cases[] = {{"15", "12"}, {"5", "4"}, {"25", "20"}};
  for (const auto& [columns, rows] : cases) {
    paste("txtDims0", columns);
    EXPECT_EQ(text("txtDims1"), rows) << columns;
  }
  EXPECT_EQ(beeps(), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(GridTest, LockedRatioRoundsHalfToEven) {
  paste("txtDims0", "20");
  paste("txtDims1", "10");
  click("optLock");
  EXPECT_TRUE(find<QRadioButton>("optLock")->isChecked());
  EXPECT_FLOAT_EQ(form->aspectRatio(), 0.5f);

  paste("txtDims0", "5");
  EXPECT_EQ(text("txtDims1"), "2");  // 2.5
  EXPECT_FALSE(find<QRadioButton>("optLock")->isChecked());  // any edit releases the lock
  paste("txtDims0", "7");
  EXPECT_EQ(text("txtDims1"), "4");  // 3.5
  EXPECT_EQ(text("lblRects"), "28");
}

TEST_F(GridTest, NonNumericWidthIsRefused) {
  paste("txtDims0", "abc");
  EXPECT_EQ(beeps(), 1);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "width must be numeric");
  EXPECT_EQ(messages()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(text("txtDims0"), "12");
  EXPECT_EQ(state.columnCount, 12);

  // Emptying a box is a change to non-numeric text as well.
  box("txtDims1")->selectAll();
  QTest::keyClick(box("txtDims1"), Qt::Key_Backspace);
  EXPECT_EQ(beeps(), 2);
  EXPECT_EQ(windows.scripted.lastMessage(), "width must be numeric");
  EXPECT_EQ(text("txtDims1"), "10");
}

TEST_F(GridTest, RowsOutOfRangeAreRefused) {
  paste("txtDims1", "0");
  EXPECT_EQ(text("txtDims1"), "10");
  paste("txtDims1", "1601");
  EXPECT_EQ(text("txtDims1"), "10");
  EXPECT_EQ(beeps(), 2);
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1].text, "value must be <=1600 and >0");
  EXPECT_EQ(state.rowCount, 10);

  // Each keystroke counts on its own: the fourth digit of 1601 is the one refused.
  retype("txtDims1", "1601");
  EXPECT_EQ(text("txtDims1"), "160");
  EXPECT_EQ(state.rowCount, 160);
}

TEST_F(GridTest, FractionalRowsAreKept) {
  paste("txtDims1", "12.5");
  EXPECT_EQ(state.rowCount, 12.5);
  EXPECT_EQ(text("lblRects"), "150");
}

TEST_F(GridTest, RestoringColumnsRederivesRows) {
  paste("txtDims1", "50");
  paste("txtDims0", "x");
  EXPECT_EQ(text("txtDims0"), "12");
  EXPECT_EQ(text("txtDims1"), "10");
  EXPECT_EQ(messages().size(), 1u);
}

}  // namespace
}  // namespace quill
