#include "app/QuillavenApp.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <memory>
#include <sstream>

#include "app/HeadlessRender.h"
#include "editor/PadEditor.h"
#include "engine/KeyFrameCodec.h"
#include "engine/PatternState.h"
#include "mainwindow/BlendModeDialog.h"
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

int countColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == colour;
  }
  return n;
}

// Edits in the main window and its dialogs reach the next preview and a
// headless render of the frame that preview captured.
TEST_F(QuillavenAppTest, PaletteBackgroundBlendAndPadEditsReachPreviewAndHeadlessRender) {
  scripted->randoms.assign(16, 0.5);  // every chip (0, 0, 128)
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  clickPreview();
  const QImage* picture = &app->previewIfLoaded()->picture();
  EXPECT_GT(countColour(*picture, 0x000080), 10000);
  EXPECT_EQ(countColour(*picture, 0x0000FF), 0);
  const QPoint nearTop(picture->width() / 2 + 6, picture->height() / 10);  // beside the spoke
  EXPECT_EQ(picture->pixel(nearTop) & 0xFFFFFF, 0x000080u);

  // "add" doubles two-digit numbers into full blue; a new background; vertex 1
  // dragged down to the centre, so the top of the picture becomes background.
  QTest::mouseClick(app->blendOptions().findChild<QRadioButton*>("Option2"), Qt::LeftButton);
  scripted->colors = {rgb(10, 20, 30)};
  QTest::mouseClick(find<QLabel>("Label22"), Qt::LeftButton);
  PadEditor& pad = app->mainWindow().pad();
  pad.pad_MouseDown(0, 240);
  pad.pad_MouseMove(0, 20);
  pad.pad_MouseUp();
  clickPreview();
  picture = &app->previewIfLoaded()->picture();
  EXPECT_GT(countColour(*picture, 0x0000FF), 10000);
  EXPECT_EQ(picture->pixel(nearTop) & 0xFFFFFF, 0x0A141Eu);

  const QString file = QDir::temp().filePath("quillaven-app-edits.kvt");
  const std::vector<uint8_t> bytes = encodeStateFile({app->state().curFrame});
  QFile out(file);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  out.close();
  const QString bmp = QDir::temp().filePath("quillaven-app-edits.bmp");
  std::ostringstream messages;
  ASSERT_EQ(runHeadlessRender({file.toStdString(), "-o", bmp.toStdString()}, messages, messages), 0)
      << messages.str();
  const QImage rendered(bmp);
  EXPECT_GT(countColour(rendered, 0x0000FF), 10000);
  EXPECT_EQ(rendered.pixel(rendered.width() / 2 + 12, rendered.height() / 10) & 0xFFFFFF, 0xFFFFFFu);
  QFile::remove(file);
  QFile::remove(bmp);
}

}  // namespace
}  // namespace quill
