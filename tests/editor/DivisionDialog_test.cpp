// The division dialog; the round trip through the windows pins which setting
// each control holds.
#include "editor/DivisionDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "support/ScriptedServices.h"

namespace quill {
namespace {

// Fewer levels lower the fractions a step at a time (each step a handler
// call), and the cell counts follow; the gap boxes refuse what is not a
// whole number from 1 to 32767 (a typed fraction rounds half to even) and
// put the old text back; the close box only hides.
TEST(DivisionDialog, LevelsLowerTheFractionsStepByStepAndTheGapBoxesRefuse) {
  ScriptedServices services;
  DivisionDialog dialog(services);
  int refreshes = 0;
  dialog.refreshCellCounts = [&] { ++refreshes; };
  const auto bar = [&](const char* name) { return dialog.findChild<QScrollBar*>(name); };
  const auto label = [&](const char* name) { return dialog.findChild<QLabel*>(name)->text(); };
  const auto box = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
  bar("hscLevels")->setValue(7);
  bar("hscFractions")->setValue(14);
  EXPECT_EQ(std::tuple(label("lblLevels"), label("lblFractions")), std::tuple(QString("16384"), QString("16384")));
  std::vector<int> seen;
  QObject::connect(bar("hscFractions"), &QScrollBar::valueChanged, [&](int v) { seen.push_back(v); });
  bar("hscLevels")->setValue(2);
  EXPECT_EQ(seen, (std::vector<int>{13, 12, 11, 10, 9, 8, 7, 6, 5, 4}));
  EXPECT_EQ(std::tuple(label("lblFractions"), label("lblblueFractions"), bar("hscFractions")->maximum()),
            std::tuple(QString("16"), QString("4"), 4));
  EXPECT_EQ(std::tuple(refreshes, dialog.fractionsShown()), std::tuple(2, 16));  // a refresh per change of levels

  box("txtTailLaunch")->setText("12.5");
  EXPECT_EQ(dialog.settings().tailLaunch, 12);
  box("txtTailLaunch")->setText("0");  // a period below 1 never reaches a render
  EXPECT_EQ(box("txtTailLaunch")->text(), "12.5");
  EXPECT_EQ(services.lastMessage(), "the gap period must be a whole number from 1 to 32767");
  dialog.show();
  EXPECT_FALSE(dialog.close());
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace quill
