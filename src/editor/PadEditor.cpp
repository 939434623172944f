#include "editor/PadEditor.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "platform/DesktopServices.h"
#include "platform/MakeWidget.h"
#include "gfx/QtColor.h"

namespace quill {

// The drawing surface: shows the pad image and hands mouse events over in pad units.
class PadCanvas : public QWidget {
 public:
  PadCanvas(PadEditor& editor, const QImage& image, QWidget* parent)
      : QWidget(parent), editor_(editor), image_(image) {
    setObjectName("pad");
    setAccessibleName("pad");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(rect(), image_);
  }
  void mousePressEvent(QMouseEvent* event) override {
    const Point p = PadEditor::toPadUnits(event->position(), size());
    editor_.padPressed(p.x, p.y);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const Point p = PadEditor::toPadUnits(event->position(), size());
    editor_.padDragged(p.x, p.y);
  }
  void mouseReleaseEvent(QMouseEvent*) override { editor_.padReleased(); }

 private:
  PadEditor& editor_;
  const QImage& image_;
};

namespace {

// Clips the segment to the image (Liang-Barsky), then steps one pixel at a
// time along its longer axis.
void plotLine(QImage& image, QPointF a, QPointF b, QRgb colour) {
  const double w = image.width() - 1, h = image.height() - 1;
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x(), w - a.x(), a.y(), h - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(p[i]) || !std::isfinite(q[i])) return;
    if (p[i] == 0) {
      if (q[i] < 0) return;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return;
  }
  // After clipping every point lies inside the image, so 16.16 fixed point
  // steps need no further checks.
  const double x0 = a.x() + t0 * dx, y0 = a.y() + t0 * dy;
  const double x1 = a.x() + t1 * dx, y1 = a.y() + t1 * dy;
  const int steps = static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0)));
  constexpr double kOne = 65536;
  int32_t fx = static_cast<int32_t>(x0 * kOne), fy = static_cast<int32_t>(y0 * kOne);
  const int32_t stepX = steps ? static_cast<int32_t>((x1 - x0) / steps * kOne) : 0;
  const int32_t stepY = steps ? static_cast<int32_t>((y1 - y0) / steps * kOne) : 0;
  auto* bits = reinterpret_cast<QRgb*>(image.bits());
  const qsizetype stride = image.bytesPerLine() / 4;
  const int32_t maxX = image.width() - 1, maxY = image.height() - 1;
  const QRgb pixel = 0xFF000000u | colour;
  for (int i = 0; i <= steps; ++i, fx += stepX, fy += stepY) {
    const int32_t px = std::min(std::max(fx >> 16, 0), maxX);
    const int32_t py = std::min(std::max(fy >> 16, 0), maxY);
    bits[py * stride + px] = pixel;
  }
}

QString oneDecimal(double value) { return QLocale().toString(value, 'f', 1); }

constexpr double kDegreesPerRadian = 180 / 3.141592654;

}  // namespace

PadEditor::PadEditor(PatternState& state, DesktopServices& services, QWidget* parent)
    : QWidget(parent),
      state_(state),
      services_(services),
      image_(kPadPixelsWide, kPadPixelsHigh, QImage::Format_RGB32) {
  setObjectName("padEditor");
  createControls();
  dragStart_ = snapshotGeometry(state_);
  clearPad();
}

void PadEditor::createControls() {
  pad_ = new PadCanvas(*this, image_, this);
  pad_->setGeometry(0, 8, kPadPixelsWide, kPadPixelsHigh);

  // The pad fills the window's width, so its tools stand in rows below it.
  constexpr int top = 8 + kPadPixelsHigh + 8;
  constexpr int w = 104;
  const auto column = [](int i) { return 6 + i * (w + 8); };
  selectTool_ = makeWidget<QRadioButton>(this, "optSelect", QRect(column(0), top, w, 20), "select points");
  moveTool_ = makeWidget<QRadioButton>(this, "optMove", QRect(column(1), top, w, 20), "move");
  scaleTool_ = makeWidget<QRadioButton>(this, "optScale", QRect(column(2), top, w, 20), "scale");
  rotateTool_ = makeWidget<QRadioButton>(this, "optRotate", QRect(column(3), top, w, 20), "rotate");
  pointTool_ = makeWidget<QRadioButton>(this, "optPoint", QRect(column(4), top, w, 20), "point ");
  auto* tools = new QButtonGroup(this);
  for (QRadioButton* b : {selectTool_, moveTool_, scaleTool_, rotateTool_, pointTool_}) tools->addButton(b);
  pointTool_->setChecked(true);

  int i = 0;
  const auto button = [&](const char* name, const char* caption, void (PadEditor::*handler)()) {
    auto* b = makeWidget<QPushButton>(this, name, QRect(column(i++), top + 24, w, 24), caption);
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  button("cmdDeselect", "deselect all", &PadEditor::deselectAll);
  button("cmdSelectInv", "select invert", &PadEditor::invertSelection);
  button("cmdFit", "fit", &PadEditor::fitShape);
  button("cmdShrink", " shrink", &PadEditor::shrinkShape);
  button("cmdUndo", "undo", &PadEditor::undoShape);

  moveXLabel_ = makeWidget<QLabel>(this, "lblMoveX", QRect(column(0), top + 54, w, 18), "x:");
  moveYLabel_ = makeWidget<QLabel>(this, "lblMoveY", QRect(column(1), top + 54, w, 18), "y:");
  scaleLabel_ = makeWidget<QLabel>(this, "lblScale", QRect(column(2), top + 54, w, 18), "%");
  rotationLabel_ = makeWidget<QLabel>(this, "lblRot", QRect(column(3), top + 54, w, 18), "");
  resize(kPadPixelsWide, kToolsBottom);
}

Point PadEditor::toPadUnits(QPointF pixel, QSize widgetSize) {
  const double w = std::max(1, widgetSize.width());
  const double h = std::max(1, widgetSize.height());
  return {kPadLeft + pixel.x() * kPadWidth / w, kPadTop + pixel.y() * kPadHeight / h};
}

PadTool PadEditor::tool() const {
  if (selectTool_->isChecked()) return PadTool::Select;
  if (moveTool_->isChecked()) return PadTool::Move;
  if (scaleTool_->isChecked()) return PadTool::Scale;
  if (rotateTool_->isChecked()) return PadTool::Rotate;
  return PadTool::Point;
}

void PadEditor::setTool(PadTool tool) {
  QRadioButton* buttons[] = {selectTool_, moveTool_, scaleTool_, rotateTool_, pointTool_};
  buttons[static_cast<int>(tool)]->setChecked(true);
}

// --- Drawing ----------------------------------------------------------------

void PadEditor::clearPad() {
  image_.fill(toQColor(kPadBackColor));
  scene_.clear();
  if (pad_) pad_->update();
}

void PadEditor::drawframe() {
  clearPad();
  appendFrame(scene_, state_, selection_);
  paintShapes(scene_.cbegin(), scene_.cend());
}

void PadEditor::drawMesh() {
  const size_t first = scene_.size();
  appendMesh(scene_, state_);
  paintShapes(scene_.cbegin() + static_cast<std::ptrdiff_t>(first), scene_.cend());
}

void PadEditor::drawDot(double x, double y, Color color) {
  scene_.push_back({PadShape::Circle, {x, y}, {}, kDotRadius, color});
  paintShapes(scene_.cend() - 1, scene_.cend());
}

// The mesh of 99 layers has several thousand lines and is redrawn at every
// mouse-up, so lines are plotted straight into the image rows; only the
// few point markers go through QPainter.
void PadEditor::paintShapes(PadScene::const_iterator first, PadScene::const_iterator last) {
  const double sx = image_.width() / kPadWidth;
  const double sy = image_.height() / kPadHeight;
  const auto map = [&](Point p) { return QPointF((p.x - kPadLeft) * sx, (p.y - kPadTop) * sy); };
  for (auto it = first; it != last; ++it) {
    if (it->kind == PadShape::Line) {
      plotLine(image_, map(it->a), map(it->b), toQRgb(it->color));
      continue;
    }
    QPainter painter(&image_);
    painter.setPen(QPen(toQColor(it->color), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(map(it->a), it->radius * sx, -it->radius * sy);
  }
  pad_->update();
}

// --- Mouse ------------------------------------------------------------------

void PadEditor::padPressed(double x, double y) {
  mouseIsDown_ = true;
  dragStart_ = beginDrag(state_, selection_, x, y);
  const PadTool t = tool();
  if (t == PadTool::Move || t == PadTool::Scale || t == PadTool::Rotate) return;
  selectOrGrab(x, y);
}

void PadEditor::selectOrGrab(double x, double y) {
  const PadHit hit = hitTest(state_, x, y);
  const bool pointTool = tool() == PadTool::Point;
  if (hit.center) {
    if (pointTool) {
      centerGrabbed_ = true;
    } else {
      selection_.centerSelected = selection_.centerSelected ? kFalse16 : kTrue16;
    }
  }
  for (int i : hit.vertices) {
    if (pointTool) {
      grabbedPoint_ = i;  // the highest-numbered vertex under the click wins
    } else {
      toggleVertex(selection_, i);
    }
  }
  if (!hit.any()) {
    mouseIsDown_ = false;
    centerGrabbed_ = false;
    services_.beep();
  }
}

void PadEditor::padDragged(double x, double y) {
  if (!mouseIsDown_) return;
  dragShape(x, y);
  if (shapeChanged) shapeChanged();
}

void PadEditor::dragShape(double x, double y) {
  switch (tool()) {
    case PadTool::Select:
      return;
    case PadTool::Move:
      if (!dragMove(state_, selection_, dragStart_, x, y)) return;
      showMoveLabels(x - dragStart_.downX, y - dragStart_.downY);
      drawframe();
      services_.processEvents();
      return;
    case PadTool::Scale:
      if (!dragScale(state_, selection_, dragStart_, y)) return;
      scaleLabel_->setText(oneDecimal(-100 * scaleFactorOf(dragStart_, y)) + "%");
      drawframe();
      return;
    case PadTool::Rotate:
      dragRotate(state_, selection_, dragStart_, y);
      rotationLabel_->setText(oneDecimal(rotationOf(dragStart_, y) * kDegreesPerRadian) + QChar(0x00B0));
      drawframe();
      return;
    case PadTool::Point:
      if (!dragPoint(state_, centerGrabbed_, grabbedPoint_, x, y)) return;
      drawframe();
      return;
  }
}

void PadEditor::showMoveLabels(double dx, double dy) {
  moveXLabel_->setText("x: " + oneDecimal(dx));
  moveYLabel_->setText("y: " + oneDecimal(dy));
}

void PadEditor::padReleased() {
  mouseIsDown_ = false;
  centerGrabbed_ = false;
  if (recomputeTables) recomputeTables();
  drawframe();
  drawMesh();
}

// --- Commands ---------------------------------------------------------------

void PadEditor::resetSelection() {
  selection_ = PadSelection{};
  setTool(PadTool::Point);
}

void PadEditor::deselectAll() {
  selection_.centerSelected = kFalse16;
  selection_.count = 0;
  drawframe();
  drawMesh();
}

void PadEditor::invertSelection() {
  selection_ = quill::invertSelection(selection_, state_.vertexCount);
  drawframe();
  drawMesh();
}

void PadEditor::fitShape() {
  if (!fitGeometry(state_)) {
    services_.beep();  // a flat shape has no size to fit
    return;
  }
  finishGeometryCommand();
}

void PadEditor::shrinkShape() {
  shrinkGeometry(state_);
  finishGeometryCommand();
}

void PadEditor::undoShape() {
  restoreDragStart(state_, dragStart_);
  finishGeometryCommand();
}

void PadEditor::finishGeometryCommand() {
  clearPad();
  if (recomputeTables) recomputeTables();
  drawframe();
  drawMesh();
  if (shapeChanged) shapeChanged();
}

}  // namespace quill
