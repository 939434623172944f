// The pad widget: mouse events in pad units and the commands; the geometry of
// every drag and selection is pinned with the pad geometry, and how long a drag
// takes to draw with the pad's benchmark.
#include "editor/PadEditor.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>

#include "engine/CellGeometry.h"
#include "support/ScriptedServices.h"

namespace quill {
namespace {

class PadEditorTest : public ::testing::Test {
 protected:
  PadEditorTest() : pad(state, services) {
    state.vertexCount = 6;
    state.layerCount = 4;
    placeRegularVertices(state, 6);
    computeLayerTables(state);
    pad.recomputeTables = [this] {
      ++tableRecomputes;
      computeLayerTables(state);
    };
    pad.show();
  }
  void click(const char* name) { QTest::mouseClick(pad.findChild<QAbstractButton*>(name), Qt::LeftButton); }

  PatternState state;
  ScriptedServices services;
  PadEditor pad;
  int tableRecomputes = 0;
};

// The 730 x 584 pad spans the units; a click within 10 units grabs a point
// ("point " mode), and "undo" puts back the shape of the last mouse-down.
TEST_F(PadEditorTest, MouseOperationsWorkInUnitsAndUndoRestoresTheLastMouseDown) {
  QWidget* canvas = pad.findChild<QWidget*>("pad");
  EXPECT_EQ(canvas->size(), QSize(730, 584));
  EXPECT_EQ(PadEditor::toPadUnits(QPointF(730, 584), canvas->size()), (Point{312.5, -250}));
  click("cmdFit");
  EXPECT_NEAR(state.vertexPoints[1].y, 245, 1e-9);
  EXPECT_EQ(tableRecomputes, 1);
  const auto fitted = state.vertexPoints;
  pad.setTool(PadTool::Point);
  for (int y : {20, 15}) {  // 11.7 units from the vertex misses it, 7.9 grabs it
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(365, y));
    QTest::mouseMove(canvas, QPoint(146, 146));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(146, 146));
  }
  EXPECT_EQ(services.beeps, 1);
  EXPECT_NEAR(state.vertexPoints[1].x, -187.5, 1e-9);  // pixel (146, 146)
  EXPECT_NEAR(state.vertexPoints[1].y, 125, 1e-9);
  EXPECT_EQ(state.layerPoints[4][1], state.vertexPoints[1]);  // the tables follow at mouse-up
  click("cmdUndo");
  click("cmdUndo");  // a second undo changes nothing more
  EXPECT_EQ(state.vertexPoints, fitted);
  EXPECT_EQ(state.layerPoints[4][1], fitted[1]);
}

}  // namespace
}  // namespace quill
