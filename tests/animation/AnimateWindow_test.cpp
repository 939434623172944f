// The animation window driven through its controls, with a host that
// records what it is asked to do.
#include "animation/AnimateWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "animation/AnimationControls.h"
#include "animation/AnimatorHost.h"
#include "animation/SeqStatus.h"
#include "engine/FrameCapture.h"
#include "support/ScriptedServices.h"
#include "support/Widgets.h"

namespace quill {
namespace {

class RecordingHost : public AnimatorHost {
 public:
  explicit RecordingHost(PatternState& s) : state(s) {}
  DesktopServices& services() override { return scripted; }
  void captureMainSettings() override { captureFrame(state, {}); }
  void applyMainSettings() override { ++applies; }
  void restoreMainWindow() override {}
  void mainKeyDown(int keyCode, int shift) override { keys.push_back(keyCode * 10 + shift); }
  void jumpBack() override {}
  void jumpForward() override {}
  KeyFrame currentKeyFrame() override { return keyFrames.empty() ? KeyFrame{} : keyFrames.back(); }
  std::vector<KeyFrame> keyFramesUpToCurrent(int) override { return keyFrames; }
  void unminimisePreview() override {}
  void showPreview() override {}
  void hidePreview() override {}
  void fitPreview() override { ++fits; }
  bool drawAnimationFrame(const SequenceFrame*) override {
    startValues.push_back(state.curFrame.startValue);
    return true;
  }
  void showAnimationPicture(const QImage&) override {}
  std::unique_ptr<MovieEncoder> movieEncoder(MovieType) override { return nullptr; }

  PatternState& state;
  ScriptedServices scripted;
  std::vector<int32_t> startValues;
  std::vector<int> keys;
  std::vector<KeyFrame> keyFrames;
  int applies = 0;
  int fits = 0;
};

class AnimateWindowTest : public ::testing::Test {
 protected:
  AnimateWindowTest() : host(state), window(state, host) {
    loadStartupDefaults(state);
    window.activate();
  }
  template <typename W = QWidget>
  W* find(const char* name) { return in<W>(&window, name); }
  void check(int feature) { find<QCheckBox>(("chkFeature" + std::to_string(feature)).c_str())->click(); }
  void type(const char* box, const QString& text) { find<QLineEdit>(box)->setText(text); }
  QString text(const char* label) { return find<QLabel>(label)->text(); }
  void click(const char* button) { quill::click(&window, button); }
  void runToEnd() {
    click("cmdRun");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60000));
  }

  PatternState state;
  RecordingHost host;
  AnimateWindow window;
};

// A description names the window's controls: every named widget is known to
// it as what it is, and the scroll bars with their ranges.
TEST_F(AnimateWindowTest, DescriptionsKnowEveryControlOfTheWindow) {
  int named = 0;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    const std::string name = w->objectName().toStdString();
    const ControlSpec control = controlSpec(name);
    ControlKind expected = ControlKind::ShownOnly;
    if (qobject_cast<QLineEdit*>(w)) expected = ControlKind::Text;
    if (qobject_cast<QRadioButton*>(w)) expected = ControlKind::Option;
    if (qobject_cast<QCheckBox*>(w)) expected = ControlKind::Check;
    if (auto* bar = qobject_cast<QScrollBar*>(w)) {
      expected = ControlKind::Bar;
      EXPECT_EQ(std::pair(control.minimum, control.maximum), std::pair(bar->minimum(), bar->maximum())) << name;
    }
    EXPECT_EQ(control.kind, expected) << name;
    named += !name.empty();
  }
  EXPECT_GT(named, 100);
  EXPECT_EQ(controlSpec("noSuchBox").kind, ControlKind::None);
}

TEST_F(AnimateWindowTest, ARunDrawsEveryStepNumberThenResets) {
  check(0);
  EXPECT_EQ(text("lblFrametotal"), "# frames = 200");
  EXPECT_EQ(text("lblPriority0"), "priority 0");
  runToEnd();
  // 201 frames, start values 1..201, then Reset applies step 0 once more.
  ASSERT_EQ(host.startValues.size(), 201u);
  EXPECT_EQ(host.startValues.front(), 1);
  EXPECT_EQ(host.startValues.back(), 201);
  EXPECT_EQ(state.curFrame.startValue, 202);
  EXPECT_GE(host.fits, 2);
  EXPECT_FALSE(window.running());
}

TEST_F(AnimateWindowTest, EscBetweenFramesStopsBeforeTheNext) {
  check(0);
  QObject::connect(&window, &AnimateWindow::frameShown, [&](int frame) {
    if (frame == 3) window.keyDown(27, 0);
  });
  runToEnd();
  EXPECT_EQ(host.startValues.size(), 3u);
  EXPECT_FALSE(state.stopRequested);
}

TEST_F(AnimateWindowTest, CloseRestoresTheActivatedPatternAndTheCloseBoxDoesNot) {
  const int32_t start = state.curFrame.startValue;
  check(0);
  click("cmdStep");
  click("cmdStep");
  EXPECT_EQ(state.curFrame.startValue, start + 2);
  click("cmdClose");
  EXPECT_EQ(state.curFrame.startValue, start);
  EXPECT_EQ(host.applies, 1);
  EXPECT_FALSE(state.animatorOpen);

  window.activate();
  click("cmdStep");
  window.close();
  EXPECT_EQ(state.curFrame.startValue, start + 1);
  EXPECT_EQ(host.applies, 1);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(state.animatorOpen);
}

TEST_F(AnimateWindowTest, TextBoxesRefuseWhatTheyCannotUse) {
  struct Case {
    const char* box;
    const char* typed;
    const char* restored;
    const char* message;
    int beeps;
  } cases[] = {
      {"txtnSteps0", "0", "20", "# steps must > 0 and <= 100000", 0},
      {"txtnSteps2", "10001", "20", "# steps must > 0 and <= 100000", 0},
      {"txtnFrames", "abc", "200", "# frames must be numeric", 1},
      {"txtnFrames", "1000", "200", "# steps must > 0 and < 1000", 0},
      {"txtDelay", "", "0", "delay value must be numeric", 1},
      {"txtKeyFrameDivs", "x", "100", "# frames must be numeric", 1},
      {"txtStart", "-", "1", "start value must be numeric", 1},
      {"txtTailLaunch", "0", "240", "tail launch must be at least 1", 0},
      {"txtTailLength", "q", "160", "tail length must be numeric", 1},
      {"txtTailStep", "1e", "1", "tail step must be numeric", 1},
  };
  for (const Case& c : cases) {
    const int beepsBefore = host.scripted.beeps;
    type(c.box, c.typed);
    EXPECT_EQ(find<QLineEdit>(c.box)->text(), c.restored) << c.box;
    EXPECT_EQ(host.scripted.lastMessage(), c.message) << c.box;
    EXPECT_EQ(host.scripted.beeps - beepsBefore, c.beeps) << c.box;
  }
  type("txtnSteps0", "10000");
  EXPECT_EQ(find<QLineEdit>("txtnSteps0")->text(), "10000");
  find<QScrollBar>("hscCPend")->setValue(19);
  EXPECT_EQ(text("lblCPend"), "20");
}

TEST_F(AnimateWindowTest, GeometryFeaturesFollowTheGeometryAtActivation) {
  check(3);
  check(5);  // disabled for polygons: a click does nothing
  EXPECT_FALSE(window.model().isChecked(5));
  state.triangleMode = false;
  window.activate();
  EXPECT_FALSE(window.model().isChecked(3));
  EXPECT_FALSE(find<QCheckBox>("chkFeature3")->isEnabled());
  EXPECT_TRUE(find<QCheckBox>("chkFeature5")->isEnabled());
}

// Which icon shows and the lock's caption are pinned with the model.
TEST_F(AnimateWindowTest, ALockIconLocksAndKeysReachTheMainWindow) {
  check(0);
  check(2);
  QTest::mouseClick(find<QLabel>("picUnlock2"), Qt::LeftButton);
  EXPECT_EQ(text("lblFrametotal"), "# frames = 200");  // one level: feature 2 joined feature 0
  QTest::keyClick(&window, Qt::Key_D);
  EXPECT_EQ(host.keys, (std::vector<int>{'D' * 10 + 2}));
  QTest::keyClick(find<QLineEdit>("txtDelay"), Qt::Key_Z);  // typing into a box stays typing
  EXPECT_EQ(host.keys.size(), 1u);
}

TEST_F(AnimateWindowTest, GeometryLabelsAndStepCountFromTheKeyFrames) {
  KeyFrame first, second;
  first.frameNo = 1, second.frameNo = 2, first.frameTotal = second.frameTotal = 2;
  first.vertexCount = second.vertexCount = 3;
  second.aniName = "swirl";
  host.keyFrames = {first, second};
  check(7);
  EXPECT_EQ(text("lblgeoBanner"), "using 2 key frames");
  EXPECT_EQ(text("lblAniName"), "swirl");
  EXPECT_EQ(window.geos().size(), 200u);
  QTest::mouseClick(find<QLabel>("lblframeWhat"), Qt::LeftButton);
  EXPECT_EQ(find<QLineEdit>("txtnSteps7")->text(), "100");
  type("txtKeyFrameDivs", "20000");
  host.keyFrames.insert(host.keyFrames.begin(), first);
  host.keyFrames[2].frameNo = 3;
  window.updateGeos();
  click("cmdRun");  // 2 x 20000 x 2 in-between frames do not fit 16 bits
  EXPECT_NE(host.scripted.lastMessage().find("too many in-between frames"), std::string::npos);
  EXPECT_TRUE(host.startValues.empty());
}

}  // namespace
}  // namespace quill
