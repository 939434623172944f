// The key-frame history as the main window drives it: previews capture,
// buttons and Ctrl keys navigate, delete and clear.
#include "MainWindowFixture.h"
#include "editor/AniNameDialog.h"
#include "mainwindow/KeyPreview.h"

namespace quill {
namespace {

class HistoryTest : public MainWindowTest {
 protected:
  void preview(int times = 1) {
    for (int i = 0; i < times; ++i) click("Command2");
  }
  void key(int code, int shift = kCtrlBit) { form->keyDown(code, shift); }
  // "startValue:no/total" of every listed frame, set apart by a distinct base per preview.
  std::string listing() const {
    std::string out;
    for (const KeyFrame& f : form->history().listed()) {
      out += (out.empty() ? "" : " ") + std::to_string(f.numberBase) + ':' + std::to_string(f.frameNo) + '/' +
             std::to_string(f.frameTotal);
    }
    return out;
  }
  void previewInBase(std::initializer_list<int> bases) {
    for (int b : bases) {
      setBase(b);
      preview();
    }
  }
};

TEST_F(HistoryTest, PreviewsInsertAfterAJumpBackAndRenumber) {
  EXPECT_EQ(text("lblXofY"), "0 of 0");
  EXPECT_EQ(text("Label3"), "frame 1 of 1");
  previewInBase({3, 4, 5});
  EXPECT_EQ(text("lblXofY"), "3 of 3");
  EXPECT_EQ(text("Label3"), "frame 4 of 4");
  EXPECT_EQ(text("lblAniName"), "animation 1");
  click("cmdJumpBack");
  EXPECT_EQ(text("lblXofY"), "1 of 3");
  EXPECT_EQ(find<QScrollBar>("HScroll3")->value(), 3);  // the frame is applied
  previewInBase({9});
  EXPECT_EQ(listing(), "10:0/0 3:1/4 9:2/4 4:3/4 5:4/4");
  EXPECT_TRUE(form->unsavedEdits());
}

TEST_F(HistoryTest, EndsBeepAndNewAnimationOnlyAtAnEnd) {
  click("cmdJumpFwd");
  click("Command13");  // ">" under the pad
  EXPECT_EQ(beeps(), 2);
  previewInBase({3, 4, 5});
  click("cmdJumpFwd");
  EXPECT_EQ(beeps(), 3);
  click("Command11");  // "<<" under the pad
  click("cmdNewAni");
  EXPECT_EQ(windows.scripted.lastMessage(), "can't start a new keyframe sequence in the middle of an existing one");
  click("cmdJumpFwd");
  click("cmdNewAni");
  EXPECT_EQ(windows.calls.back(), "showNamingDialog");
  EXPECT_EQ(text("lblXofY"), "0 of 0");
  EXPECT_EQ(text("Label3"), "frame 1 of 1");
  windows.namingDialog().setName("second");
  previewInBase({7});
  EXPECT_EQ(listing(), "10:0/0 3:1/3 4:2/3 5:3/3 7:1/1");
  EXPECT_EQ(form->history().current().aniName, "second");
}

TEST_F(HistoryTest, CtrlKeysStepDeleteAndClearButOnlyWithCtrlAlone) {
  previewInBase({3, 4, 5});
  key('Z', kCtrlBit | kShiftBit);  // nothing
  EXPECT_EQ(text("lblXofY"), "3 of 3");
  key('Z');
  EXPECT_EQ(text("lblXofY"), "2 of 3");
  key('D');
  EXPECT_EQ(listing(), "10:0/0 3:1/2 5:2/2");
  EXPECT_EQ(text("lblXofY"), "1 of 2");
  EXPECT_EQ(find<QScrollBar>("HScroll3")->value(), 3);

  windows.scripted.answers = {MessageAnswer::No};
  key('C');
  EXPECT_EQ(form->history().listed().size(), 3u);
  ASSERT_EQ(messages().back().buttons, MessageButtons::YesNo);
  EXPECT_EQ(windows.scripted.lastMessage(), "Are you sure you want to delete your history?");
  windows.scripted.answers = {MessageAnswer::Yes};
  key('C');
  EXPECT_EQ(listing(), "10:0/0");
  EXPECT_EQ(text("lblXofY"), "0 of 0");
  EXPECT_FALSE(form->unsavedEdits());
  key('D');  // the start-up frame stays
  EXPECT_EQ(beeps(), 1);
}

TEST_F(HistoryTest, ModifyFrameReplacesTheCurrentRecordInPlace) {
  previewInBase({3, 4});
  click("Command8");  // "<": frame 1
  setBase(12);
  click("Command10");
  EXPECT_EQ(form->history().listed()[1].numberBase, 12);
  EXPECT_EQ(form->history().listed().size(), 3u);
  EXPECT_EQ(windows.calls.back(), "showPreview");
}

TEST_F(HistoryTest, NavigationWaitsForARunningRender) {
  previewInBase({3, 4});
  windows.busy = true;
  key('Z');
  click("cmdJumpBack");
  EXPECT_EQ(beeps(), 2);
  EXPECT_EQ(text("lblXofY"), "2 of 2");
}

}  // namespace
}  // namespace quill
