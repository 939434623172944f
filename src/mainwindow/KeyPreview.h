#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

#include "platform/KeyCodes.h"

class QWidget;

namespace quill {

// Lets a window see every key press before the control with the focus does
// (the control still gets the key afterwards). Watches the window and all its
// widgets, including ones added later; keys of other windows are ignored.
class KeyPreview : public QObject {
 public:
  using Handler = std::function<void(int keyCode, int shift)>;
  KeyPreview(QWidget* window, Handler handler);

  // Key code of a Qt key: letters and digits as their upper-case character,
  // Esc 27, Enter 13, Space 32; 0 for keys nobody here handles.
  static int keyCodeOf(int qtKey);
  static int shiftOf(Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void watch(QObject* object);
  bool isPropagation(QObject* watched, const QEvent* event) const;

  QWidget* window_;
  Handler handler_;
  // A key the focused control ignores travels on to its parents; it is the
  // same event object, and it must reach the handler only once.
  const QEvent* lastEvent_ = nullptr;
  QPointer<QObject> lastReceiver_;
};

}  // namespace quill
