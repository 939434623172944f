// "live": the preview follows the settings without keeping key frames.
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QScrollBar>

#include "app/AppFixture.h"
#include "editor/DivisionDialog.h"
#include "editor/PadEditor.h"
#include "preview/PreviewWindow.h"

namespace quill {
namespace {

class LivePreviewTest : public AppFixture {
 protected:
  MainWindow& form() { return app->mainWindow(); }
  QString text(const char* label) { return in<QLabel>(&form(), label)->text(); }
  QScrollBar* bar(QWidget* window, const char* name) { return in<QScrollBar>(window, name); }
  // Lets the event loop run until the redraw that changes asked for is done.
  void settle() {
    const QDeadlineTimer deadline(10000);
    while (form().liveRedrawPending() && !deadline.hasExpired()) QCoreApplication::processEvents();
    ASSERT_FALSE(form().liveRedrawPending());
  }
  QImage picture() { return app->preview().picture().copy(); }
};

// Not live, a change draws nothing; live, a bar of the panel and a pad drag
// each redraw at once. The live picture is a
// locked preview's: the history, the frame counter and the next start stay.
TEST_F(LivePreviewTest, FollowsEveryKindOfChangeLikeALockedPreviewWithoutKeepingAFrame) {
  const auto redrawn = [&](const std::function<void()>& change) {
    const QImage before = picture();
    change();
    settle();
    return picture() != before;
  };
  ASSERT_FALSE(in<QCheckBox>(&form(), "chkLive")->isChecked());
  in<QCheckBox>(&form(), "locked")->setChecked(false);
  click(&form(), "Command2");
  EXPECT_FALSE(redrawn([&] { bar(&form(), "HScroll3")->setValue(7); }));
  const QString next = in<QLineEdit>(&form(), "startval")->text();  // in base 7
  ASSERT_NE(next, "0");
  EXPECT_TRUE(redrawn([&] { in<QCheckBox>(&form(), "chkLive")->setChecked(true); }));
  form().pad().setTool(PadTool::Point);
  EXPECT_TRUE(redrawn([&] {
    form().pad().padPressed(0, 240);  // the top vertex of the hexagon
    form().pad().padDragged(0, 120);
  }));
  form().pad().padReleased();
  settle();
  const QImage live = picture();
  EXPECT_EQ(std::pair(text("lblXofY"), text("Label3")), std::pair(QString("1 of 1"), QString("frame 2 of 2")));
  EXPECT_EQ(in<QLineEdit>(&form(), "startval")->text(), next);
  // "preview" draws the same picture from the same start, and keeps it.
  click(&form(), "Command2");
  EXPECT_EQ(picture(), live);
  EXPECT_EQ(text("lblXofY"), "2 of 2");
  EXPECT_NE(in<QLineEdit>(&form(), "startval")->text(), next);
}

// The render reports to the desktop every 64 cells, so the number of those
// reports tells how much was drawn.
TEST_F(LivePreviewTest, ABurstOfChangesDrawsOnceAndANewChangeStopsTheRedrawInFlight) {
  bar(&app->divisionDialog(), "hscLevels")->setValue(2);
  in<QCheckBox>(&form(), "chkLive")->setChecked(true);
  settle();
  app->preview().setRenderYield(64, 0);
  QScrollBar* base = bar(&form(), "HScroll3");
  const auto reportsFor = [&](const std::function<void()>& change) {
    const int before = scripted->processEventsCalls;
    change();
    settle();
    return scripted->processEventsCalls - before;
  };
  const int one = reportsFor([&] { base->setValue(5); });
  ASSERT_GT(one, 10);
  EXPECT_EQ(reportsFor([&] { base->setValue(6), base->setValue(7), base->setValue(8); }), one);

  bool changed = false;
  scripted->onProcessEvents = [&] {
    if (!changed) base->setValue(11);
    changed = true;
  };
  EXPECT_LT(reportsFor([&] { base->setValue(12); }), one + one / 4);
  scripted->onProcessEvents = nullptr;
  const QImage live = picture();
  in<QCheckBox>(&form(), "locked")->setChecked(true);
  click(&form(), "Command2");
  EXPECT_EQ(picture(), live);  // the last change is the one drawn
}

}  // namespace
}  // namespace quill
