// The number base, the start value box and "decimal".
#include "mainwindow/MainWindowFixture.h"

namespace quill {
namespace {

class StartValueTest : public MainWindowTest {
 protected:
  QLineEdit* start = box("startval");
};

TEST_F(StartValueTest, TypingKeepsValidDigitsOfTheBaseWithinInt32) {
  struct Case { int base; const char *typed, *shown; int caret, beeps; };
  const Case cases[] = {{10, "12a", "12", 2, 1},  // refused, caret back after the 2
                        {16, "12a", "12A", 3, 0},  // upper-cased, caret kept
                        {10, "2147483647", "2147483647", 10, 0},
                        {10, "12345678901", "1234567890", 10, 1}};  // beyond 32 bits
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    setBase(c.base);
    EXPECT_EQ(text("Label9"), QString::number(c.base));
    EXPECT_EQ(state.numberBase, c.base);
    const int beepsBefore = beeps();
    retype("startval", c.typed);
    EXPECT_EQ(start->text(), c.shown);
    EXPECT_EQ(start->cursorPosition(), c.caret);
    EXPECT_EQ(beeps() - beepsBefore, c.beeps);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(StartValueTest, CaretStaysPutMidTextAndAnEmptyBoxIsAllowed) {
  setBase(16);
  retype("startval", "12");
  start->setCursorPosition(1);
  QTest::keyClick(start, Qt::Key_X);  // refused: the caret goes back to where it was
  EXPECT_EQ(start->text(), "12");
  EXPECT_EQ(start->cursorPosition(), 1);
  QTest::keyClicks(start, "b");  // upper-cased: the caret stays after it
  EXPECT_EQ(start->text(), "1B2");
  EXPECT_EQ(start->cursorPosition(), 2);

  start->selectAll();
  QTest::keyClick(start, Qt::Key_Backspace);
  EXPECT_EQ(start->text(), "");
  EXPECT_EQ(form->lastGoodStart(), "1B2");
  EXPECT_EQ(beeps(), 1);
}

TEST_F(StartValueTest, BaseChangeReexpressesTheValueAndDecimalConvertsBetweenBases) {
  setBase(16);
  retype("startval", "FF");
  setBase(2);
  EXPECT_EQ(start->text(), "11111111");
  // The fallback text moves with the base, so a refusal restores a valid text.
  QTest::keyClick(start, Qt::Key_2);
  EXPECT_EQ(start->text(), "11111111");
  captureFrame(state, form->controls());
  EXPECT_EQ(state.curFrame.startValue, 255);

  setBase(16);
  EXPECT_EQ(start->text(), "FF");
  click("decimal");
  EXPECT_EQ(start->text(), "255");
  click("decimal");
  EXPECT_EQ(start->text(), "FF");
  click("decimal");
  retype("startval", "25A");  // letters are not decimal digits
  EXPECT_EQ(start->text(), "25");
  // A base change while "decimal" is ticked leaves the text alone.
  setBase(2);
  EXPECT_EQ(start->text(), "25");
  EXPECT_EQ(state.numberBase, 2);
}

}  // namespace
}  // namespace quill
