// What assistive technology and the eye find in the windows: every control
// has a name, and every caption shows whole.
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/AppFixture.h"
#include "editor/DivisionDialog.h"
#include "mainwindow/BlendModeDialog.h"

namespace quill {
namespace {

class AccessibilityTest : public AppFixture {
 protected:
  std::vector<QWidget*> windows() {
    return {&app->mainWindow(), &app->blendOptions(), &app->divisionDialog(), &openAnimator()};
  }
};

bool interactive(QWidget* w) {
  return qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) ||
         qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
}

TEST_F(AccessibilityTest, EveryControlHasAName) {
  int controls = 0;
  for (QWidget* window : windows()) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!interactive(w)) continue;
      ++controls;
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
      ASSERT_NE(face, nullptr) << w->objectName().toStdString();
      EXPECT_FALSE(face->text(QAccessible::Name).trimmed().isEmpty()) << w->objectName().toStdString();
    }
  }
  EXPECT_GE(controls, 84);
}

// The width a caption needs: push buttons pad their text a little; check
// boxes, option buttons and labels know their own.
int widthNeeded(QWidget* w) {
  if (auto* push = qobject_cast<QPushButton*>(w)) return push->fontMetrics().horizontalAdvance(push->text()) + 6;
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text().isEmpty() ? 0 : button->sizeHint().width();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
  return 0;
}

TEST_F(AccessibilityTest, EveryCaptionShowsWhole) {
  for (QWidget* window : windows()) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      EXPECT_LE(widthNeeded(w), w->width()) << w->objectName().toStdString() << " in " << window->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace quill
