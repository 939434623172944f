#include "preview/PictureBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace quill {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), surface_(1, 1) {
  setObjectName("picBox");
  // The image covers the whole box, so Qt need not erase behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool PictureBox::place(int left, int top, int width, int height) {
  if (!surface_.tryResize(width, height)) return false;
  setGeometry(left, top, width, height);
  return true;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  // Zoomed pictures reach 16000 pixels a side; paint only what is exposed.
  const QRect exposed = event->rect();
  QPainter painter(this);
  painter.drawImage(exposed, surface_.image(), exposed);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(event->button(), event->position());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event->buttons(), event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseUp(event->button(), event->position());
}

}  // namespace quill
