#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

#include "editor/PadGeometry.h"
#include "editor/PadScene.h"
#include "engine/PatternState.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace quill {

class DesktopServices;
class PadCanvas;

// The pad and its tools: the drawing surface `pad`, the five tool options,
// the five command buttons and the read-outs. Mouse events on the pad become
// the geometry operations of PadGeometry; the result is drawn from a PadScene.
// The handlers are public so other windows and tests can call them as the
// controls would.
class PadEditor : public QWidget {
  Q_OBJECT

 public:
  // 1.25 : 1; the pad's units (625 x 500) are scaled onto it.
  static constexpr int kPadPixelsWide = 730;
  static constexpr int kPadPixelsHigh = 584;
  // The tools stand in rows under the pad, down to here.
  static constexpr int kToolsBottom = 676;

  PadEditor(PatternState& state, DesktopServices& services, QWidget* parent = nullptr);

  // Recomputes the layer and edge tables and redraws the frame and mesh: the
  // main window's "# concentric layers" handler.
  std::function<void()> recomputeTables;
  // The shape changed: at every mouse move of a drag and after each command.
  std::function<void()> shapeChanged;

  void drawframe();
  void drawMesh();
  void drawDot(double x, double y, Color color);

  // Pad mouse events in pad units; the button and the shift state do not matter.
  void padPressed(double x, double y);
  void padDragged(double x, double y);
  void padReleased();

  void deselectAll();
  void invertSelection();
  void fitShape();
  void shrinkShape();
  void undoShape();

  // A new regular polygon: nothing selected and the point tool chosen.
  void resetSelection();

  PadTool tool() const;
  void setTool(PadTool tool);
  const PadSelection& selection() const { return selection_; }
  bool mouseIsDown() const { return mouseIsDown_; }
  // The shapes drawn since the pad was last cleared, and the pixels.
  const PadScene& scene() const { return scene_; }
  const QImage& image() const { return image_; }

  // Pad units of a pixel position on the pad widget.
  static Point toPadUnits(QPointF pixel, QSize widgetSize);

 private:
  void createControls();
  void clearPad();
  void paintShapes(PadScene::const_iterator first, PadScene::const_iterator last);
  void selectOrGrab(double x, double y);
  void dragShape(double x, double y);
  void showMoveLabels(double dx, double dy);
  void finishGeometryCommand();

  PatternState& state_;
  DesktopServices& services_;
  PadCanvas* pad_ = nullptr;
  QRadioButton* selectTool_ = nullptr;
  QRadioButton* moveTool_ = nullptr;
  QRadioButton* scaleTool_ = nullptr;
  QRadioButton* rotateTool_ = nullptr;
  QRadioButton* pointTool_ = nullptr;
  QLabel* moveXLabel_ = nullptr;
  QLabel* moveYLabel_ = nullptr;
  QLabel* scaleLabel_ = nullptr;
  QLabel* rotationLabel_ = nullptr;

  QImage image_;
  PadScene scene_;
  PadSelection selection_;
  DragStart dragStart_;
  bool mouseIsDown_ = false;
  bool centerGrabbed_ = false;
  int grabbedPoint_ = 0;
};

}  // namespace quill
