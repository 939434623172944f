#include "platform/QtDesktopServices.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

namespace quill {
namespace {

TEST(QtDesktopServices, NameFiltersPairUp) {
  EXPECT_EQ(toQtNameFilter("Files (*.kvt)|*.kvt"), "Files (*.kvt)");
  EXPECT_EQ(toQtNameFilter("Pictures|*.bmp;*.emf|All (*.*)|*.*"),
            "Pictures (*.bmp *.emf);;All (*.*)");
  // Qt reads the last parentheses, so other ones in the description stay harmless.
  EXPECT_EQ(toQtNameFilter("Images (bitmaps)|*.bmp"), "Images (bitmaps) (*.bmp)");
  EXPECT_EQ(toQtNameFilter(""), "");
  EXPECT_EQ(toQtNameFilter("Lonely"), "Lonely");
}

TEST(QtDesktopServices, ANameTypedWithoutAnExtensionTakesTheChosenTypes) {
  struct Case {
    const char* filter;
    const char* suffix;
  };
  for (const Case& c : {Case{"H.264 movie (*.mp4)", "mp4"}, Case{"Pictures (*.bmp *.emf)", "bmp"},
                        Case{"All (*.*)", ""}, Case{"Odd (*.b?p)", ""}, Case{"Lonely", ""},
                        Case{"Images (bitmaps) (*.png)", "png"}})
    EXPECT_EQ(suffixOfNameFilter(c.filter), c.suffix) << c.filter;

  QTemporaryDir dir;
  for (const auto& [chosen, expected] : {std::pair{"", "clip.bmp"}, std::pair{"H.264 movie (*.mp4)", "clip.mp4"},
                                         std::pair{"All (*.*)", "clip.bmp"}}) {
    QTimer::singleShot(0, [chosen = QString(chosen), &dir] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->setDirectory(dir.path());
      if (!chosen.isEmpty()) dialog->selectNameFilter(chosen);
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText("clip");
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QtDesktopServices services;
    const auto name = services.saveFileName(
        {"save sequence", "Pictures (*.bmp)|*.bmp|H.264 movie (*.mp4)|*.mp4|All (*.*)|*.*", "bmp"});
    ASSERT_TRUE(name.has_value()) << chosen;
    EXPECT_EQ(QFileInfo(QString::fromStdString(*name)).fileName().toStdString(), expected) << chosen;
  }
}

}  // namespace
}  // namespace quill
