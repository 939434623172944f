
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

int countColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == colour;
  }
  return n;
}

using QuillavenAppTest = AppFixture;

// One path through the program: the preview loads on first use and, unlocked,
// counts on by the start-up hexagon's 96 cells; edits in the main window and
// its dialogs reach the next preview and a headless render of the frame it
// captured; the preview passes Ctrl keys on, follows the toggle, and closing
// it clears previewOpen.
TEST_F(QuillavenAppTest, EditsReachThePreviewAndAHeadlessRenderOfTheCapturedFrame) {
  MainWindow& form = app->mainWindow();
  const auto startText = [&] { return in<QLineEdit>(&form, "startval")->text(); };
  EXPECT_EQ(app->previewIfLoaded(), nullptr);
  in<QCheckBox>(&form, "locked")->setChecked(false);
  scripted->randoms.assign(16, 0.5);  // every chip (0, 0, 128)
  click(&form, "Command1");
  click(&form, "Command2");
  ASSERT_NE(app->previewIfLoaded(), nullptr);
  EXPECT_EQ(startText(), "96");
  const QImage* picture = &app->previewIfLoaded()->picture();
  EXPECT_GT(countColour(*picture, 0x000080), 10000);
  EXPECT_EQ(countColour(*picture, 0x0000FF), 0);
  const QPoint nearTop(picture->width() / 2 + 6, picture->height() / 10);  // beside the spoke
  EXPECT_EQ(picture->pixel(nearTop) & 0xFFFFFF, 0x000080u);

  // "add" doubles two-digit numbers into full blue; a new background; vertex 1
  // dragged down to the centre, so the top of the picture becomes background.
  in<QCheckBox>(&form, "locked")->setChecked(true);
  click(&form, "Command6");
  QTest::mouseClick(app->blendOptions().findChild<QRadioButton*>("Option2"), Qt::LeftButton);
  scripted->colors = {rgb(10, 20, 30)};
  QTest::mouseClick(in<QLabel>(&form, "Label22"), Qt::LeftButton);
  form.pad().padPressed(0, 240);
  form.pad().padDragged(0, 20);
  form.pad().padReleased();
  click(&form, "Command2");
  EXPECT_EQ(startText(), "96");
  picture = &app->previewIfLoaded()->picture();
  EXPECT_GT(countColour(*picture, 0x0000FF), 10000);
  EXPECT_EQ(picture->pixel(nearTop) & 0xFFFFFF, 0x0A141Eu);
  const std::string file = writeStateFile(path("edits.kvt").toStdString(), {app->state().curFrame});
  ASSERT_EQ(render({file, "-o", path("edits.bmp").toStdString()}).status, 0);
  const QImage rendered(path("edits.bmp"));
  EXPECT_GT(countColour(rendered, 0x0000FF), 10000);
  EXPECT_EQ(rendered.pixel(rendered.width() / 2 + 12, rendered.height() / 10) & 0xFFFFFF, 0xFFFFFFu);

  app->previewIfLoaded()->keyDown('Z', kCtrlBit);  // passed on: the main window steps back
  EXPECT_EQ(in<QLabel>(&form, "lblXofY")->text(), "1 of 2");
  click(&form, "cmdHide");
  EXPECT_FALSE(app->previewVisible());
  click(&form, "cmdHide");
  ASSERT_TRUE(app->state().previewOpen && app->previewVisible());
  app->previewIfLoaded()->close();
  EXPECT_FALSE(app->state().previewOpen || app->previewVisible());
}

}  // namespace
}  // namespace quill
