#include "editor/PadEditor.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <algorithm>

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

  QString label(const char* name) { return pad.findChild<QLabel*>(name)->text(); }
  void click(const char* name) { QTest::mouseClick(pad.findChild<QAbstractButton*>(name), Qt::LeftButton); }
  void drag(PadTool tool, Point from, Point to) {
    pad.setTool(tool);
    pad.padPressed(from.x, from.y);
    pad.padDragged(to.x, to.y);
  }
  size_t lines() const {
    return std::count_if(pad.scene().begin(), pad.scene().end(),
                         [](const PadShape& s) { return s.kind == PadShape::Line; });
  }

  PatternState state;
  ScriptedServices services;
  PadEditor pad;
  int tableRecomputes = 0;
};

TEST_F(PadEditorTest, ScaleAndRotateDragsReadOutTheirAmounts) {
  pad.setTool(PadTool::Select);
  pad.padPressed(0, 240);  // selects vertex 1
  pad.padReleased();
  drag(PadTool::Scale, {50, -200}, {50, -50});
  EXPECT_EQ(label("lblScale"), "100.0%");
  pad.padReleased();
  drag(PadTool::Rotate, {0, 0}, {0, -15});
  EXPECT_EQ(label("lblRot"), QString("5.7") + QChar(0x00B0));
  pad.padReleased();
  drag(PadTool::Move, {0, 0}, {-0.25, 2.34});
  EXPECT_EQ(label("lblMoveX"), "x: -0.3");
  EXPECT_EQ(label("lblMoveY"), "y: 2.3");
}

TEST_F(PadEditorTest, PointDragThenUndoRestoresTheLastMouseDown) {
  const auto before = state.vertexPoints;
  drag(PadTool::Point, {0, 235}, {20, 200});
  EXPECT_EQ(state.vertexPoints[1], (Point{20, 200}));
  pad.padReleased();
  EXPECT_EQ(tableRecomputes, 1);
  EXPECT_EQ(state.layerPoints[4][1], (Point{20, 200}));
  click("cmdUndo");
  click("cmdUndo");  // a second undo changes nothing more
  EXPECT_EQ(state.vertexPoints, before);
  EXPECT_EQ(state.layerPoints[4][1], before[1]);
}

TEST_F(PadEditorTest, MeshAppearsAtMouseUpNotDuringTheDrag) {
  drag(PadTool::Point, {0, 0}, {10, 10});  // grabs the centre
  EXPECT_EQ(state.centerX, 10);
  const size_t frameLines = 12;  // six edges and six spokes
  EXPECT_EQ(lines(), frameLines);
  pad.padReleased();
  // Four rings of six, and per vertex 2 x 3 cross lines.
  EXPECT_EQ(lines(), frameLines + 24 + 36);
}

TEST_F(PadEditorTest, SelectionCommandsAndMarkersInBlue) {
  pad.setTool(PadTool::Select);
  for (Point p : {Point{0, 0}, state.vertexPoints[2], state.vertexPoints[5]}) {
    pad.padPressed(p.x, p.y);
    pad.padReleased();
  }
  click("cmdSelectInv");  // which ones: pinned with the pad geometry
  ASSERT_EQ(pad.selection().count, 4);
  const auto blue = std::count_if(pad.scene().begin(), pad.scene().end(),
                                  [](const PadShape& s) { return s.color == kPadBlue; });
  EXPECT_EQ(blue, 5);  // the centre and four vertices
  click("cmdDeselect");
  EXPECT_EQ(pad.selection().count, 0);
  EXPECT_FALSE(pad.selection().centerSelected);
}

TEST_F(PadEditorTest, ThePadIs730By584AndEveryMouseOperationWorksInUnits) {
  QWidget* canvas = pad.findChild<QWidget*>("pad");
  EXPECT_EQ(canvas->size(), QSize(730, 584));
  EXPECT_FALSE(canvas->accessibleName().isEmpty());  // not a control the accessibility test finds
  EXPECT_EQ(pad.image().size(), QSize(730, 584));
  click("cmdFit");
  EXPECT_NEAR(state.vertexPoints[1].y, 245, 1e-9);
  EXPECT_EQ(tableRecomputes, 1);
  // The top vertex (0, 245) has its green marker about 6 pixels below the
  // middle of the pad's top edge.
  const QImage& image = pad.image();
  int green = 0;
  for (int y = 0; y <= 12; ++y) {
    for (int x = 358; x <= 372; ++x) green += (image.pixel(x, y) & 0xFFFFFF) == 0x00FF00u;
  }
  EXPECT_GT(green, 6);
  // 11.7 units from the vertex misses it (the hit radius is 10 units)...
  const Point fitted = state.vertexPoints[1];
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(365, 20));
  QTest::mouseMove(canvas, QPoint(146, 146));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(146, 146));
  EXPECT_EQ(state.vertexPoints[1], fitted);
  EXPECT_EQ(services.beeps, 1);
  // ...and 7.9 units grabs it: pixel (146, 146) is the unit point (-187.5, 125).
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(365, 15));
  QTest::mouseMove(canvas, QPoint(146, 146));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(146, 146));
  EXPECT_NEAR(state.vertexPoints[1].x, -187.5, 1e-9);
  EXPECT_NEAR(state.vertexPoints[1].y, 125, 1e-9);
  // The pad's far corner is the edge of the units, where drags stop.
  EXPECT_EQ(PadEditor::toPadUnits(QPointF(730, 584), canvas->size()), (Point{312.5, -250}));
}

}  // namespace
}  // namespace quill
