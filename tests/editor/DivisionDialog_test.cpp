#include "editor/DivisionDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <tuple>

#include "support/ScriptedServices.h"

namespace quill {
namespace {

class DivisionDialogTest : public ::testing::Test {
 protected:
  DivisionDialogTest() : dialog(services) { dialog.refreshCellCounts = [this] { ++refreshes; }; }
  QScrollBar* bar(const char* name) { return dialog.findChild<QScrollBar*>(name); }
  QString label(const char* name) { return dialog.findChild<QLabel*>(name)->text(); }
  QLineEdit* box(const char* name) { return dialog.findChild<QLineEdit*>(name); }
  void retype(const char* name, const QString& text) {
    box(name)->selectAll();
    QTest::keyClicks(box(name), text);
  }

  ScriptedServices services;
  DivisionDialog dialog;
  int refreshes = 0;
};

TEST_F(DivisionDialogTest, LevelsLowerTheFractionsStepByStep) {
  bar("hscLevels")->setValue(3);
  EXPECT_EQ(label("lblLevels"), "64");
  EXPECT_EQ(bar("hscFractions")->maximum(), 6);
  bar("hscLevels")->setValue(7);
  EXPECT_EQ(label("lblLevels"), "16384");
  bar("hscFractions")->setValue(14);
  EXPECT_EQ(label("lblFractions"), "16384");
  std::vector<int> seen;
  QObject::connect(bar("hscFractions"), &QScrollBar::valueChanged, [&](int v) { seen.push_back(v); });
  bar("hscLevels")->setValue(2);
  EXPECT_EQ(seen, (std::vector<int>{13, 12, 11, 10, 9, 8, 7, 6, 5, 4}));
  EXPECT_EQ(label("lblFractions"), "16");
  EXPECT_EQ(label("lblblueFractions"), "4");
  EXPECT_EQ(bar("hscFractions")->maximum(), 4);
  EXPECT_EQ(refreshes, 3);
  EXPECT_EQ(dialog.fractionsShown(), 16);
}

TEST_F(DivisionDialogTest, OrderNamesAndGapBoxes) {
  const char* names[] = {"spiral out", "book", "cross", "spiral in"};
  for (int v = 3; v >= 0; --v) {
    bar("hscOrder")->setValue(v);
    EXPECT_EQ(label("Label3"), names[v]);
  }
  retype("txtTailLength", "x");
  EXPECT_EQ(box("txtTailLength")->text(), "4");
  EXPECT_EQ(services.beeps, 1);
  retype("txtTailLaunch", "12.5");
  EXPECT_EQ(dialog.settings().tailLaunch, 12);  // half to even
  retype("txtTailLaunch", "0");                 // a period below 1 never reaches a render
  EXPECT_EQ(box("txtTailLaunch")->text(), "12.5");
  EXPECT_EQ(services.lastMessage(), "the gap period must be a whole number from 1 to 32767");
  box("txtTailLength")->setText("-3");  // pasted: a lone "-" typed first would read as no number
  EXPECT_EQ(dialog.settings().tailLength, -3);
  box("txtTailLength")->setText("40000");
  EXPECT_EQ(box("txtTailLength")->text(), "-3");
}

TEST_F(DivisionDialogTest, AppliedSettingsOverwriteWhatTheLevelsHandlerChanged) {
  dialog.applySettings({2, 1, 1, 3, 9, 2});
  const DivisionSettings s = dialog.settings();
  // levels, fractions limit, fractions, order, gap period and length
  EXPECT_EQ(std::tuple(s.levels, s.fractionsLimit, s.fractions, s.order, s.tailLaunch, s.tailLength),
            std::tuple(2, 1, 1, 3, 9, 2));
  dialog.show();
  EXPECT_FALSE(dialog.close());  // only hides
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(services.beeps, 0);
}

}  // namespace
}  // namespace quill
