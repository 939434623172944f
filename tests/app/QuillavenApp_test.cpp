#include "app/QuillavenApp.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <sstream>

#include "app/AppFixture.h"
#include "app/HeadlessRender.h"
#include "editor/PadEditor.h"
#include "engine/KeyFrameCodec.h"
#include "engine/PatternState.h"
#include "mainwindow/BlendModeDialog.h"
#include "preview/PreviewWindow.h"

namespace quill {
namespace {

class QuillavenAppTest : public AppFixture {
 protected:
  template <typename W = QWidget>
  W* find(const char* name) {
    return in<W>(&app->mainWindow(), name);
  }
  void clickPreview() { click(&app->mainWindow(), "Command2"); }
  QString startText() { return find<QLineEdit>("startval")->text(); }
};

TEST_F(QuillavenAppTest, PreviewLoadsOnFirstUseAndRendersTheStartupHexagonsNinetySixCells) {
  EXPECT_EQ(app->previewIfLoaded(), nullptr);  // until the first preview
  clickPreview();
  PreviewWindow* preview = app->previewIfLoaded();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  // 96 cells in blend mode from 0: the next number is 96. (The picture itself
  // is checked with the preview window, and in this program after edits below.)
  EXPECT_EQ(app->state().digitCounter, 96);
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

TEST_F(QuillavenAppTest, ThePreviewPassesKeysOnFollowsTheToggleAndClosingClearsPreviewOpen) {
  clickPreview();
  PreviewWindow& preview = *app->previewIfLoaded();
  preview.keyDown(kKeyEscape, 0);
  EXPECT_TRUE(app->state().stopRequested);
  app->state().stopRequested = false;
  preview.keyDown('Z', kCtrlBit);  // passed on; the main window has no frame history yet
  EXPECT_FALSE(app->state().stopRequested);
  EXPECT_EQ(preview.windowTitle(), "KVT preview    100%");

  const int beeps = scripted->beeps;
  click(&app->mainWindow(), "cmdHide");
  EXPECT_FALSE(app->previewVisible());
  find<QCheckBox>("locked")->setChecked(false);
  clickPreview();  // records and continues, but only beeps instead of drawing
  EXPECT_EQ(scripted->beeps, beeps + 1);
  EXPECT_FALSE(app->previewVisible());
  EXPECT_EQ(startText(), "96");
  click(&app->mainWindow(), "cmdHide");
  EXPECT_TRUE(app->previewVisible());

  ASSERT_TRUE(app->state().previewOpen);
  preview.close();
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
  click(&app->mainWindow(), "Command1");
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
  pad.padPressed(0, 240);
  pad.padDragged(0, 20);
  pad.padReleased();
  clickPreview();
  picture = &app->previewIfLoaded()->picture();
  EXPECT_GT(countColour(*picture, 0x0000FF), 10000);
  EXPECT_EQ(picture->pixel(nearTop) & 0xFFFFFF, 0x0A141Eu);

  const std::vector<uint8_t> bytes = encodeStateFile({app->state().curFrame});
  QFile out(path("edits.kvt"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  out.close();
  std::ostringstream messages;
  ASSERT_EQ(runHeadlessRender({path("edits.kvt").toStdString(), "-o", path("edits.bmp").toStdString()}, messages,
                              messages),
            0)
      << messages.str();
  const QImage rendered(path("edits.bmp"));
  EXPECT_GT(countColour(rendered, 0x0000FF), 10000);
  EXPECT_EQ(rendered.pixel(rendered.width() / 2 + 12, rendered.height() / 10) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace quill
