#include "app/QuillavenApp.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "engine/PatternState.h"
#include "mainwindow/Form1.h"
#include "preview/PreviewWindow.h"
#include "ui/ScriptedServices.h"

namespace quill {
namespace {

class QuillavenAppTest : public ::testing::Test {
 protected:
  QuillavenAppTest() {
    auto services = std::make_unique<ScriptedServices>();
    scripted = services.get();
    app = std::make_unique<QuillavenApp>(std::move(services));
    app->start();
  }

  template <typename W = QWidget>
  W* find(const char* name) {
    W* widget = app->mainWindow().findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void clickPreview() { QTest::mouseClick(find<QPushButton>("Command2"), Qt::LeftButton); }
  QString startText() { return find<QLineEdit>("startval")->text(); }

  ScriptedServices* scripted = nullptr;
  std::unique_ptr<QuillavenApp> app;
};

TEST_F(QuillavenAppTest, MainWindowStartsWithItsCaptionAndNoPreview) {
  EXPECT_EQ(app->mainWindow().windowTitle(), "Quillaven");
  EXPECT_EQ(app->mainWindow().objectName(), "Form1");
  EXPECT_EQ(app->previewIfLoaded(), nullptr);
  EXPECT_EQ(app->state().curFrame.vertexCount, 6);
}

TEST_F(QuillavenAppTest, PreviewShowsTheStartupHexagon) {
  clickPreview();
  PreviewWindow* preview = app->previewIfLoaded();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->objectName(), "canvas");
  EXPECT_EQ(preview->windowTitle(), "KVT preview    100%");
  // 96 cells in blend mode from 0: the next number is 96.
  EXPECT_EQ(app->state().digitCounter, 96);
  const QImage& picture = preview->picture();
  ASSERT_FALSE(picture.isNull());
  // The centre of the picture lies on the hexagon's innermost ring: palette colours, not background.
  const QRgb middle = picture.pixel(picture.width() / 2 - 10, picture.height() / 2 - 20);
  EXPECT_NE(middle & 0xFFFFFF, 0x404040u);
}

TEST_F(QuillavenAppTest, PreviewsContinueTheCountUnlessLocked) {
  find<QCheckBox>("locked")->setChecked(false);
  clickPreview();
  EXPECT_EQ(startText(), "96");
  clickPreview();
  EXPECT_EQ(app->state().lastStartValue, 96);
  EXPECT_EQ(startText(), "192");

  find<QCheckBox>("locked")->setChecked(true);
  clickPreview();
  clickPreview();
  EXPECT_EQ(app->state().lastStartValue, 192);
  EXPECT_EQ(startText(), "192");
}

TEST_F(QuillavenAppTest, HidingAndShowingThePreviewFollowsTheToggle) {
  clickPreview();
  QTest::mouseClick(find<QPushButton>("cmdHide"), Qt::LeftButton);
  EXPECT_FALSE(app->previewVisible());
  find<QCheckBox>("locked")->setChecked(false);
  clickPreview();  // records and continues, but only beeps instead of drawing
  EXPECT_EQ(scripted->beeps, 1);
  EXPECT_FALSE(app->previewVisible());
  EXPECT_EQ(startText(), "96");
  QTest::mouseClick(find<QPushButton>("cmdHide"), Qt::LeftButton);
  EXPECT_TRUE(app->previewVisible());
}

TEST_F(QuillavenAppTest, CtrlKeysInThePreviewReachTheMainWindowAndEscStops) {
  clickPreview();
  PreviewWindow& preview = *app->previewIfLoaded();
  preview.Form_KeyDown(kKeyEscape, 0);
  EXPECT_TRUE(app->state().stopRequested);
  app->state().stopRequested = false;
  preview.Form_KeyDown('Z', kCtrlMask);  // passed on; the main window has no frame history yet
  EXPECT_FALSE(app->state().stopRequested);
  EXPECT_EQ(preview.windowTitle(), "KVT preview    100%");
}

TEST_F(QuillavenAppTest, ClosingThePreviewClearsPreviewOpen) {
  clickPreview();
  ASSERT_TRUE(app->state().previewOpen);
  app->previewIfLoaded()->close();
  EXPECT_FALSE(app->state().previewOpen);
  EXPECT_FALSE(app->previewVisible());
}

}  // namespace
}  // namespace quill
