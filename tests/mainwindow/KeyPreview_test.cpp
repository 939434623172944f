#include "mainwindow/KeyPreview.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <utility>
#include <vector>

namespace quill {
namespace {

TEST(KeyPreview, SeesEachKeyOfItsWindowOnceWhetherTheControlTakesItOrNot) {
  QWidget window;
  auto* box = new QLineEdit(&window);
  std::vector<std::pair<int, int>> presses;  // key code, shift state
  new KeyPreview(&window, [&](int code, int shift) { presses.emplace_back(code, shift); });

  QTest::keyClick(box, Qt::Key_Escape);  // the box ignores it and it travels to the window
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);  // the box takes it (undo)
  QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClicks(box, "ab");  // the control still gets its keys
  EXPECT_EQ(box->text(), "ab");
  QTest::keyClick(new QLineEdit(&window), Qt::Key_Escape);  // controls added later are watched
  QWidget other;
  QTest::keyClick(new QLineEdit(&other), Qt::Key_Escape);  // other windows are not
  const std::vector<std::pair<int, int>> expected = {
      {kKeyEscape, 0}, {'Z', kCtrlBit}, {'D', kCtrlBit | kShiftBit}, {'A', 0}, {'B', 0}, {kKeyEscape, 0}};
  EXPECT_EQ(presses, expected);
}

}  // namespace
}  // namespace quill
