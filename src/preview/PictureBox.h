#pragma once
#include <QPointF>
#include <QWidget>

#include "gfx/RasterSurface.h"

namespace quill {

// The preview's picture surface `picBox`: a child widget placed in pixels
// inside its window, possibly larger than it, that shows a persistent raster
// image. It only paints and reports the mouse; the window decides what a drag
// does.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  RasterSurface& surface() { return surface_; }
  // The picture as drawn so far.
  const QImage& image() { return surface_.image(); }

  // Moves and sizes the box and its image together. False, with nothing
  // changed, when an image of that size cannot be had.
  bool place(int left, int top, int width, int height);

 signals:
  void mouseDown(Qt::MouseButton button, QPointF position);
  void mouseMoved(Qt::MouseButtons buttons, QPointF position);
  void mouseUp(Qt::MouseButton button, QPointF position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  RasterSurface surface_;
};

}  // namespace quill
