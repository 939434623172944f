// The key-frame history as the main window drives it; the operations
// themselves are pinned with the history.
#include "MainWindowFixture.h"
#include "mainwindow/KeyPreview.h"

namespace quill {
namespace {

// Frames set apart by a distinct base per preview: "base:no/total" each.
std::string listing(const KeyFrameHistory& history) {
  std::string out;
  for (const KeyFrame& f : history.listed())
    out += (out.empty() ? "" : " ") + std::to_string(f.numberBase) + ':' + std::to_string(f.frameNo) + '/' +
           std::to_string(f.frameTotal);
  return out;
}

// Previews capture, inserting after a jump back; the buttons and Ctrl keys
// step, delete, modify and clear; the ends beep, a new animation starts only
// at an end, under the name asked for, and nothing moves while a render runs.
TEST_F(MainWindowTest, ButtonsAndCtrlKeysDriveTheHistory) {
  const auto previewInBase = [&](std::initializer_list<int> bases) {
    for (int b : bases) setBase(b), click("Command2");
  };
  previewInBase({3, 4, 5});
  form->keyDown('Z', kCtrlBit);
  EXPECT_EQ(text("lblXofY"), "2 of 3");
  click("cmdJumpBack");
  EXPECT_EQ(text("lblXofY"), "1 of 3");
  EXPECT_EQ(find<QScrollBar>("HScroll3")->value(), 3);  // the frame is applied
  click("cmdNewAni");
  EXPECT_EQ(windows.scripted.lastMessage(), "can't start a new keyframe sequence in the middle of an existing one");
  previewInBase({9});
  EXPECT_EQ(listing(form->history()), "10:0/0 3:1/4 9:2/4 4:3/4 5:4/4");
  form->keyDown('D', kCtrlBit);
  EXPECT_EQ(listing(form->history()), "10:0/0 3:1/3 4:2/3 5:3/3");
  click("Command13");  // ">" under the pad
  setBase(12);
  click("Command10");  // modify: in place
  EXPECT_EQ(listing(form->history()), "10:0/0 3:1/3 12:2/3 5:3/3");
  windows.busy = true;
  click("cmdJumpBack");
  EXPECT_EQ(text("lblXofY"), "2 of 3");
  windows.busy = false;
  click("cmdJumpFwd");
  click("cmdJumpFwd");
  EXPECT_EQ(beeps(), 2);
  click("cmdNewAni");
  EXPECT_EQ(windows.calls.back(), "showNamingDialog");
  EXPECT_EQ(text("lblXofY"), "0 of 0");
  windows.namingDialog().setName("second");
  previewInBase({7});
  EXPECT_EQ(listing(form->history()), "10:0/0 3:1/3 12:2/3 5:3/3 7:1/1");
  EXPECT_EQ(form->history().current().aniName, "second");

  windows.scripted.answers = {MessageAnswer::Yes};
  form->keyDown('C', kCtrlBit);
  EXPECT_EQ(windows.scripted.lastMessage(), "Are you sure you want to delete your history?");
  EXPECT_EQ(listing(form->history()), "10:0/0");
  EXPECT_EQ(text("lblXofY"), "0 of 0");
  EXPECT_FALSE(form->unsavedEdits());
}

}  // namespace
}  // namespace quill
