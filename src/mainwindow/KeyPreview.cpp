#include "mainwindow/KeyPreview.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

namespace quill {

KeyPreview::KeyPreview(QWidget* window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
  watch(window);
}

int KeyPreview::keyCodeOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // 'A'..'Z'
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;  // '0'..'9'
  switch (qtKey) {
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    default: return 0;
  }
}

int KeyPreview::shiftOf(Qt::KeyboardModifiers modifiers) {
  int shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= kShiftBit;
  if (modifiers & Qt::ControlModifier) shift |= kCtrlBit;
  if (modifiers & Qt::AltModifier) shift |= kAltBit;
  return shift;
}

void KeyPreview::watch(QObject* object) {
  if (!object->isWidgetType()) return;
  object->installEventFilter(this);
  for (QObject* child : object->children()) watch(child);
}

bool KeyPreview::isPropagation(QObject* watched, const QEvent* event) const {
  if (event != lastEvent_ || !lastReceiver_ || !watched->isWidgetType()) return false;
  auto* ancestor = static_cast<QWidget*>(watched);
  auto* previous = qobject_cast<QWidget*>(lastReceiver_.data());
  return previous && ancestor != previous && ancestor->isAncestorOf(previous);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ChildAdded:
      watch(static_cast<QChildEvent*>(event)->child());
      break;
    case QEvent::KeyPress: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->window() != window_ || isPropagation(watched, event)) break;
      lastEvent_ = event;
      lastReceiver_ = watched;
      const auto* key = static_cast<QKeyEvent*>(event);
      const int code = keyCodeOf(key->key());
      if (code != 0) handler_(code, shiftOf(key->modifiers()));
      break;
    }
    case QEvent::KeyRelease:
      lastEvent_ = nullptr;
      break;
    default:
      break;
  }
  return false;
}

}  // namespace quill
