#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QTest>
#include <QWidget>
#include <ostream>

// Failed comparisons show the text rather than the bytes.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace quill {

// A control of `window`, found by its objectName as users' tools find it.
template <typename W = QWidget>
W* in(const QWidget* window, const char* name) {
  W* widget = window->findChild<W*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// A simulated left click on a control of `window`.
inline void click(const QWidget* window, const char* name) { QTest::mouseClick(in(window, name), Qt::LeftButton); }

}  // namespace quill
