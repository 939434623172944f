#pragma once
#include <QRect>
#include <QString>
#include <QWidget>

namespace quill {

// A control with its objectName (the name tests and screen readers find it
// by), its place and its caption: text for buttons, labels and boxes, the
// title for a frame.
template <typename W>
W* makeWidget(QWidget* parent, const QString& name, QRect geometry, const QString& text = {}) {
  auto* widget = new W(parent);
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  if (!text.isNull()) {
    if constexpr (requires { widget->setText(text); }) {
      widget->setText(text);
    } else if constexpr (requires { widget->setTitle(text); }) {
      widget->setTitle(text);
    }
  }
  return widget;
}

}  // namespace quill
