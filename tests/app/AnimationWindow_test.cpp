// The animation window driven through its controls in the whole program; what
// a step does is pinned with the animation model and its feature values.

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include "animation/AnimationControls.h"
#include "app/AppFixture.h"

namespace quill {
namespace {

class AnimationWindowTest : public AppFixture {
 protected:
  AnimationWindowTest() : window(openAnimator()) {}
  template <typename W = QWidget>
  W* find(const char* name) { return in<W>(&window, name); }
  void check(int feature) { find<QCheckBox>(("chkFeature" + std::to_string(feature)).c_str())->click(); }
  QString text(const char* label) { return find<QLabel>(label)->text(); }
  // The start value of every frame the run shows.
  std::vector<int32_t> run() {
    std::vector<int32_t> starts;
    const auto c = QObject::connect(&window, &AnimateWindow::frameShown,
                                    [&] { starts.push_back(app->state().curFrame.startValue); });
    runToEnd(window);
    QObject::disconnect(c);
    return starts;
  }
  AnimateWindow& window;
};

// A description names the window's controls: every named widget is known to
// it as what it is, and the scroll bars with their ranges.
TEST_F(AnimationWindowTest, DescriptionsKnowEveryControlOfTheWindow) {
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

// A run draws steps 1 to 200 and resets to step 0, which applies once more;
// Esc between frames stops before the next.
TEST_F(AnimationWindowTest, ARunDrawsEveryStepThenResetsAndEscStopsIt) {
  check(0);
  EXPECT_EQ(text("lblFrametotal"), "# frames = 200");
  const std::vector<int32_t> starts = run();
  ASSERT_EQ(starts.size(), 201u);
  EXPECT_EQ(std::pair(starts.front(), starts.back()), std::pair(1, 201));
  EXPECT_EQ(app->state().curFrame.startValue, 202);
  QObject::connect(&window, &AnimateWindow::frameShown, [&](int frame) {
    if (frame == 3) QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(run().size(), 3u);
  EXPECT_FALSE(app->state().stopRequested);
}

// "close" puts back the pattern the window was activated with; the close box does not.
TEST_F(AnimationWindowTest, CloseRestoresTheActivatedPatternAndTheCloseBoxDoesNot) {
  const int32_t start = app->state().curFrame.startValue;
  check(0);
  click(&window, "cmdStep");
  click(&window, "cmdStep");
  EXPECT_EQ(app->state().curFrame.startValue, start + 2);
  click(&window, "cmdClose");
  EXPECT_EQ(app->state().curFrame.startValue, start);
  EXPECT_FALSE(app->state().animatorOpen);
  openAnimator();
  click(&window, "cmdStep");
  window.close();
  EXPECT_EQ(app->state().curFrame.startValue, start + 1);
  EXPECT_FALSE(window.isVisible() || app->state().animatorOpen);
}

TEST_F(AnimationWindowTest, TextBoxesRefuseWhatTheyCannotUse) {
  const struct {
    const char *box, *typed, *restored, *message;
    int beeps;
  } cases[] = {
      {"txtnFrames", "abc", "200", "# frames must be numeric", 1},
      {"txtnFrames", "1000", "200", "# steps must > 0 and < 1000", 0},
  };
  for (const auto& c : cases) {
    const int beepsBefore = scripted->beeps;
    type(&window, c.box, c.typed);
    EXPECT_EQ(find<QLineEdit>(c.box)->text(), c.restored) << c.box;
    EXPECT_EQ(scripted->lastMessage(), c.message) << c.box;
    EXPECT_EQ(scripted->beeps - beepsBefore, c.beeps) << c.box;
  }
  type(&window, "txtnSteps0", "10000");
  EXPECT_EQ(find<QLineEdit>("txtnSteps0")->text(), "10000");
}

// The in-between geometry comes from the key frames up to the current one;
// a run whose in-between frames do not fit 16 bits is refused.
TEST_F(AnimationWindowTest, GeometryFromTheKeyFramesAndTooManyInBetweensAreRefused) {
  app->mainWindow().loadStateFile(examplePath("morph.kvt"));
  openAnimator();
  check(7);
  EXPECT_EQ(text("lblgeoBanner"), "using 3 key frames");
  EXPECT_EQ(window.geos().size(), 400u);
  type(&window, "txtKeyFrameDivs", "20000");
  click(&window, "cmdRun");
  EXPECT_NE(scripted->lastMessage().find("too many in-between frames"), std::string::npos);
  EXPECT_FALSE(window.running());
}

}  // namespace
}  // namespace quill
