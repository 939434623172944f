// The boxes the main window checks as they are typed into: the start value
// in its base with "decimal", and the grid's columns and rows with the ratio lock.
#include "mainwindow/MainWindowFixture.h"

namespace quill {
namespace {

// Only digits of the base within i32 are kept, letters upper-cased; a refused
// key beeps and the caret goes back to where it was; an emptied box is allowed.
TEST_F(MainWindowTest, StartValueKeepsValidDigitsOfTheBaseWithinInt32) {
  QLineEdit* start = box("startval");
  struct Case { int base; const char *typed, *shown; int caret, beeps; };
  const Case cases[] = {{10, "12a", "12", 2, 1}, {16, "12a", "12A", 3, 0}, {10, "12345678901", "1234567890", 10, 1}};
  for (const Case& c : cases) {
    setBase(c.base);
    EXPECT_EQ(state.numberBase, c.base);
    const int beepsBefore = beeps();
    retype("startval", c.typed);
    EXPECT_EQ(std::tuple(start->text(), start->cursorPosition(), beeps() - beepsBefore),
              std::tuple(QString(c.shown), c.caret, c.beeps)) << c.typed;
  }
  start->setCursorPosition(1);
  QTest::keyClick(start, Qt::Key_X);
  EXPECT_EQ(std::pair(start->text(), start->cursorPosition()), std::pair(QString("1234567890"), 1));
  start->selectAll();
  QTest::keyClick(start, Qt::Key_Backspace);
  EXPECT_EQ(start->text(), "");
  EXPECT_EQ(form->lastGoodStart(), "1234567890");
  EXPECT_TRUE(messages().empty());
}

// A base change re-expresses the value, and the fallback text moves with it;
// "decimal" converts the box between the base and ten, and while it is ticked
// letters are refused and a base change leaves the text alone.
TEST_F(MainWindowTest, BaseChangeReexpressesTheValueAndDecimalConvertsBetweenBases) {
  QLineEdit* start = box("startval");
  setBase(16);
  retype("startval", "FF");
  setBase(2);
  EXPECT_EQ(start->text(), "11111111");
  QTest::keyClick(start, Qt::Key_2);
  EXPECT_EQ(start->text(), "11111111");
  captureFrame(state, form->controls());
  EXPECT_EQ(state.curFrame.startValue, 255);
  setBase(16);
  click("decimal");
  EXPECT_EQ(start->text(), "255");
  retype("startval", "25A");
  EXPECT_EQ(start->text(), "25");
  setBase(2);
  EXPECT_EQ(start->text(), "25");
  EXPECT_EQ(state.numberBase, 2);
}

// Columns derive the rows from the ratio (12 x 10 at start-up), rounding half
// to even once the ratio is locked; any edit releases the lock; typed
// fractional rows are kept.
TEST_F(MainWindowTest, GridColumnsDeriveRowsFromTheRatio) {
  click("PicRect");
  retype("txtDims0", "20");
  EXPECT_EQ(std::tuple(text("txtDims1"), text("lblRects"), int(state.columnCount), state.rowCount),
            std::tuple(QString("16"), QString("320"), 20, 16.0));
  paste("txtDims0", "5");
  paste("txtDims1", "12.5");
  EXPECT_EQ(std::pair(state.rowCount, text("lblRects")), std::pair(12.5, QString("62.5")));
  paste("txtDims0", "20");
  paste("txtDims1", "10");
  click("optLock");
  EXPECT_FLOAT_EQ(form->aspectRatio(), 0.5f);
  paste("txtDims0", "5");
  EXPECT_EQ(text("txtDims1"), "2");  // 2.5
  EXPECT_FALSE(checked("optLock"));
  EXPECT_EQ(beeps(), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, BadGridSizesAreRefusedWithAMessageAndTheOldTextBack) {
  click("PicRect");
  struct Case { const char *box, *pasted, *message, *old; };
  const Case cases[] = {{"txtDims0", "abc", "width must be numeric", "12"},
                        {"txtDims1", "1601", "value must be <=1600 and >0", "10"}};
  for (const Case& c : cases) {
    const int before = beeps();
    paste(c.box, c.pasted);
    EXPECT_EQ(beeps(), before + 1);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(std::tuple(messages().back().text, messages().back().buttons, text(c.box)),
              std::tuple(std::string(c.message), MessageButtons::Ok, QString(c.old))) << c.pasted;
  }
  EXPECT_EQ(std::pair(int(state.columnCount), state.rowCount), std::pair(12, 10.0));
  // Restoring the columns derives the rows again.
  paste("txtDims1", "50");
  paste("txtDims0", "x");
  EXPECT_EQ(std::pair(text("txtDims0"), text("txtDims1")), std::pair(QString("12"), QString("10")));
}

}  // namespace
}  // namespace quill
