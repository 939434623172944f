// The number base, the start value box and "decimal".
#include <QScrollBar>

#include "mainwindow/Form1Fixture.h"

namespace quill {
namespace {

class StartValueTest : public Form1Test {
 protected:
  void setBase(int base) { find<QScrollBar>("HScroll3")->setValue(base); }
  QLineEdit* start() const { return box("startval"); }
};

TEST_F(StartValueTest, InvalidDigitIsRefusedWithCaretBack) {
  retype("startval", "12a");
  EXPECT_EQ(text("startval"), "12");
  EXPECT_EQ(start()->cursorPosition(), 2);
  EXPECT_EQ(beeps(), 1);
  EXPECT_TRUE(messages().empty());

  // A refused keystroke in the middle leaves the caret where it was before it.
  start()->setCursorPosition(1);
  QTest::keyClick(start(), Qt::Key_X);
  EXPECT_EQ(text("startval"), "12");
  EXPECT_EQ(start()->cursorPosition(), 1);
}

TEST_F(StartValueTest, LettersAreUpperCasedWithCaretKept) {
  setBase(16);
  EXPECT_EQ(text("Label9"), "16");
  EXPECT_EQ(state.numberBase, 16);
  retype("startval", "12a");
  EXPECT_EQ(text("startval"), "12A");
  EXPECT_EQ(start()->cursorPosition(), 3);
  start()->setCursorPosition(1);
  QTest::keyClicks(start(), "b");
  EXPECT_EQ(text("startval"), "1B2A");
  EXPECT_EQ(start()->cursorPosition(), 2);
  EXPECT_EQ(form->lastGoodStart(), "1B2A");
  EXPECT_EQ(beeps(), 0);
  captureFrame(state, form->controls());
  EXPECT_EQ(state.curFrame.startValue, 0x1B2A);
}

TEST_F(StartValueTest, BaseChangeReexpressesTheValue) {
  setBase(16);
  retype("startval", "FF");
  setBase(2);
  EXPECT_EQ(text("startval"), "11111111");
  // The fallback text moves with the base, so a refusal restores a valid text.
  QTest::keyClick(start(), Qt::Key_2);
  EXPECT_EQ(text("startval"), "11111111");
  captureFrame(state, form->controls());
  EXPECT_EQ(state.curFrame.startValue, 255);
}

TEST_F(StartValueTest, BaseOnlyLabelledWhileCodeWritesControls) {
  state.updatingControls = true;
  setBase(8);
  EXPECT_EQ(text("Label9"), "8");
  EXPECT_EQ(state.numberBase, 10);
}

TEST_F(StartValueTest, DecimalConvertsBetweenBases) {
  setBase(16);
  retype("startval", "FF");
  click("decimal");
  EXPECT_EQ(text("startval"), "255");
  retype("startval", "25A");  // letters are not decimal digits
  EXPECT_EQ(text("startval"), "25");
  click("decimal");
  EXPECT_EQ(text("startval"), "19");
  paste("startval", "FF");
  click("decimal");
  EXPECT_EQ(text("startval"), "255");
  click("decimal");
  EXPECT_EQ(text("startval"), "FF");
  // A base change while "decimal" is ticked leaves the text alone.
  click("decimal");
  setBase(2);
  EXPECT_EQ(text("startval"), "255");
  EXPECT_EQ(state.numberBase, 2);
}

TEST_F(StartValueTest, ValuesBeyond32BitsAreRefused) {
  retype("startval", "2147483647");
  EXPECT_EQ(text("startval"), "2147483647");
  EXPECT_EQ(beeps(), 0);
  retype("startval", "12345678901");
  EXPECT_EQ(text("startval"), "1234567890");
  EXPECT_EQ(beeps(), 1);
}

TEST_F(StartValueTest, EmptyBoxIsAllowedWhileTyping) {
  retype("startval", "5");
  QTest::keyClick(start(), Qt::Key_Backspace);
  EXPECT_EQ(text("startval"), "");
  EXPECT_EQ(form->lastGoodStart(), "5");
  EXPECT_EQ(beeps(), 0);
}

TEST_F(StartValueTest, ShowStartValueUsesTheBoxBase) {
  setBase(16);
  form->showStartValue(300);
  EXPECT_EQ(text("startval"), "12C");
  EXPECT_EQ(form->lastGoodStart(), "12C");
  EXPECT_FALSE(state.updatingControls);
}

}  // namespace
}  // namespace quill
