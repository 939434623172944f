#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>

#include "app/AppFixture.h"
#include "editor/PadEditor.h"
#include "mainwindow/BlendModeDialog.h"
#include "preview/PreviewWindow.h"

namespace quill {
namespace {

class QuillavenAppTest : public AppFixture {
 protected:
  template <typename W = QWidget>
  W* find(const char* name) { return in<W>(&app->mainWindow(), name); }
  void clickPreview() { click(&app->mainWindow(), "Command2"); }
  QString startText() { return find<QLineEdit>("startval")->text(); }
};

// The preview loads on first use; the start-up hexagon has 96 cells, so an
// unlocked count moves on by 96 a preview.
TEST_F(QuillavenAppTest, PreviewLoadsOnFirstUseAndContinuesTheCountUnlessLocked) {
  EXPECT_EQ(app->previewIfLoaded(), nullptr);
  find<QCheckBox>("locked")->setChecked(false);
  clickPreview();
  ASSERT_NE(app->previewIfLoaded(), nullptr);
  EXPECT_TRUE(app->previewIfLoaded()->isVisible());
  EXPECT_EQ(startText(), "96");
  clickPreview();
  EXPECT_EQ(startText(), "192");
  find<QCheckBox>("locked")->setChecked(true);
  clickPreview();
  EXPECT_EQ(startText(), "192");
}

TEST_F(QuillavenAppTest, ThePreviewPassesKeysOnFollowsTheToggleAndClosingClearsPreviewOpen) {
  clickPreview();
  PreviewWindow& preview = *app->previewIfLoaded();
  preview.keyDown(kKeyEscape, 0);
  EXPECT_TRUE(app->state().stopRequested);
  app->state().stopRequested = false;
  ASSERT_EQ(find<QLabel>("lblXofY")->text(), "1 of 1");
  preview.keyDown('Z', kCtrlBit);  // passed on: the main window steps back to the start-up frame
  EXPECT_EQ(find<QLabel>("lblXofY")->text(), "0 of 0");

  click(&app->mainWindow(), "cmdHide");
  EXPECT_FALSE(app->previewVisible());
  clickPreview();  // records, but only beeps instead of drawing (the count: pinned with the main window)
  EXPECT_FALSE(app->previewVisible());
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

  const std::string file = writeStateFile(path("edits.kvt").toStdString(), {app->state().curFrame});
  const Outcome run = render({file, "-o", path("edits.bmp").toStdString()});
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage rendered(path("edits.bmp"));
  EXPECT_GT(countColour(rendered, 0x0000FF), 10000);
  EXPECT_EQ(rendered.pixel(rendered.width() / 2 + 12, rendered.height() / 10) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace quill
