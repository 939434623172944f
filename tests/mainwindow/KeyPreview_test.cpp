#include "mainwindow/KeyPreview.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <vector>

namespace quill {
namespace {

struct Press {
  int keyCode;
  int shift;
};

class KeyPreviewTest : public ::testing::Test {
 protected:
  KeyPreviewTest() {
    box = new QLineEdit(&window);
    new KeyPreview(&window, [this](int code, int shift) { presses.push_back({code, shift}); });
  }
  QWidget window;
  QLineEdit* box;
  std::vector<Press> presses;
};

TEST_F(KeyPreviewTest, SeesEachKeyOnceWhetherTheControlTakesItOrNot) {
  QTest::keyClick(box, Qt::Key_Escape);  // the box ignores it and it travels to the window
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);  // the box takes it (undo)
  QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(presses.size(), 3u);
  EXPECT_EQ(presses[0].keyCode, kKeyEscape);
  EXPECT_EQ(presses[1].keyCode, 'Z');
  EXPECT_EQ(presses[1].shift, kCtrlBit);
  EXPECT_EQ(presses[2].keyCode, 'D');
  EXPECT_EQ(presses[2].shift, kCtrlBit | kShiftBit);
}

TEST_F(KeyPreviewTest, ControlsStillGetTheirKeysAndLateControlsAreWatched) {
  QTest::keyClicks(box, "ab");
  EXPECT_EQ(box->text(), "ab");
  auto* late = new QLineEdit(&window);
  QTest::keyClick(late, Qt::Key_Escape);
  EXPECT_EQ(presses.size(), 3u);
}

TEST_F(KeyPreviewTest, IgnoresOtherWindows) {
  QWidget other;
  auto* foreign = new QLineEdit(&other);
  QTest::keyClick(foreign, Qt::Key_Escape);
  EXPECT_TRUE(presses.empty());
}

}  // namespace
}  // namespace quill
