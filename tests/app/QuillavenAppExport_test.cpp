#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>

#include "app/AppFixture.h"
#include "engine/PatternState.h"
#include "export/Notice.h"
#include "preview/PreviewWindow.h"
#include "export/SaveOptions.h"
#include "media/SafeWrite.h"

namespace quill {
namespace {

class ExportFlowTest : public AppFixture {
 protected:
  template <typename W = QWidget>
  W* control(const char* name) { return in<W>(&app->saveOptions(), name); }
  void openDialog() { click(&app->mainWindow(), "bmap_button"); }
  void choose(const char* option) { click(&app->saveOptions(), option); }
  void save(const QString& path) {
    scripted->fileNames.push_back(path.toStdString());
    choose("cmdSave");
  }
};

// What the dialog offers follows the file type and the geometry; the legend
// box's part is pinned below.
TEST_F(ExportFlowTest, TheDialogOffersWhatTheTypeAndGeometryAllow) {
  openDialog();
  EXPECT_TRUE(app->saveOptions().isVisible());
  EXPECT_TRUE(control("Frame2")->isEnabled());  // triangles as a metafile: the grid sizes
  choose("optBmp");
  EXPECT_FALSE(control("optExtra")->isEnabled());
  choose("cmdCancel");
  EXPECT_FALSE(app->saveOptions().isVisible());
  click(&app->mainWindow(), "PicRect");
  openDialog();
  choose("optWmf");
  EXPECT_FALSE(control("Frame2")->isEnabled());
}

TEST_F(ExportFlowTest, TheLegendBoxFollowsAGeometrySwitchAtOnce) {
  // Hidden during the switch: a box ticked before is cleared, so neither the
  // next capture nor the next polygon export carries a legend.
  openDialog();
  choose("legend");
  choose("cmdCancel");
  click(&app->mainWindow(), "PicRect");
  click(&app->mainWindow(), "picHex");
  click(&app->mainWindow(), "Command2");
  EXPECT_EQ(app->state().curFrame.legend, 0);
  openDialog();
  EXPECT_FALSE(control<QCheckBox>("legend")->isChecked());
  EXPECT_TRUE(control("legend")->isEnabled());

  // Open during the switch: the box follows while the dialog is in view.
  choose("legend");
  click(&app->mainWindow(), "PicRect");
  EXPECT_FALSE(control<QCheckBox>("legend")->isChecked());
  EXPECT_FALSE(control("legend")->isEnabled());
  click(&app->mainWindow(), "picHex");
  EXPECT_TRUE(control("legend")->isEnabled());
}

TEST_F(ExportFlowTest, WidthBoxRefusesWhatIsNotANumberUpToSixteenThousand) {
  openDialog();
  const struct {
    const char* typed;
    const char* message;  // "" for none
    const char* left;
  } cases[] = {
      {"16000", "", "16000"},
      {" 12.5 ", "", " 12.5 "},
      {"16000.5", "width must be <=16000", ""},
      {"wide", "width must be numeric", ""},
      {"1e3", "width must be numeric", ""},
  };
  auto* box = control<QLineEdit>("Text1");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    scripted->messages.clear();
    box->setText(c.typed);
    EXPECT_EQ(scripted->lastMessage(), c.message);
    EXPECT_EQ(box->text(), c.left);
  }
  // Widths below one pass the box and are refused by "save".
  choose("optBmp");
  for (const char* width : {"0", "0.4", "-3"}) {
    box->setText(width);
    choose("cmdSave");
    EXPECT_EQ(scripted->lastMessage(), "width must be at least 1");
    EXPECT_TRUE(scripted->fileDialogs.empty());
  }
}

TEST_F(ExportFlowTest, BitmapWithLegendIsSavedAndTheNoticeNamesIt) {
  click(&app->mainWindow(), "Command2");
  openDialog();
  choose("optBmp");
  choose("legend");
  save(path("hex.bmp"));
  ASSERT_EQ(scripted->fileDialogs.size(), 1u);
  EXPECT_EQ(scripted->fileDialogs[0].filter, "Files (*.bmp)|*.bmp");
  EXPECT_TRUE(scripted->fileDialogs[0].overwritePrompt);
  EXPECT_EQ(QImage(path("hex.bmp")).size(), QSize(2000, 1760));
  EXPECT_TRUE(scripted->messages.empty()) << scripted->lastMessage();
  EXPECT_EQ(app->previewIfLoaded(), nullptr);  // unloaded after the export
  EXPECT_FALSE(app->saveOptions().isVisible());

  Notice* notice = app->noticeIfLoaded();
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isVisible());
  EXPECT_TRUE(notice->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(in<QLabel>(notice, "Label1")->text(), "saved as:");
  EXPECT_EQ(in<QLabel>(notice, "Label2")->text(), path("hex.bmp"));
  click(notice, "Command1");
  EXPECT_FALSE(notice->isVisible());
}

TEST_F(ExportFlowTest, FailedBitmapSavesSayErrorAndKeepTheOldFile) {
  QFile old(path("old.bmp"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("keep me");
  old.close();
  // A folder where the temporary file must go makes the write fail, as an
  // unwritable folder would (tests may run as root, where modes do not stop writes).
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(temporaryPathFor(path("old.bmp").toStdString()))));
  const std::optional<std::string> cancelled;
  for (bool cancel : {true, false}) {
    SCOPED_TRACE(cancel ? "cancelled" : "unwritable");
    openDialog();
    choose("optBmp");
    if (cancel) {
      scripted->fileNames.push_back(cancelled);
      choose("cmdSave");
    } else {
      save(path("old.bmp"));
    }
    EXPECT_EQ(scripted->lastMessage(), "error saving bitmap file");
    EXPECT_EQ(app->noticeIfLoaded(), nullptr);
  }
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "keep me");
}

TEST_F(ExportFlowTest, MetafileIsSavedOrCancelledFromTheDialog) {
  openDialog();
  choose("optExtra");
  scripted->fileNames.push_back(std::nullopt);
  choose("cmdSave");
  EXPECT_TRUE(scripted->messages.empty());
  EXPECT_FALSE(app->saveOptions().isVisible());

  openDialog();
  save(path("hex.emf"));
  EXPECT_EQ(scripted->fileDialogs.back().filter, "Files (*.emf)|*.emf");
  EXPECT_TRUE(QFile::exists(path("hex.emf")));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(temporaryPathFor(path("hex.emf").toStdString()))));
  ASSERT_NE(app->noticeIfLoaded(), nullptr);
  EXPECT_EQ(in<QLabel>(app->noticeIfLoaded(), "Label2")->text(), path("hex.emf"));
}

TEST_F(ExportFlowTest, EscStopsALongExportWhichWritesNothing) {
  for (const char* type : {"optBmp", "optWmf"}) {
    SCOPED_TRACE(type);
    scripted->onProcessEvents = [this] {
      QTest::keyClick(&app->mainWindow(), Qt::Key_Escape);
    };
    app->preview().setRenderYield(1, 0);
    openDialog();
    choose(type);
    save(path("stopped.bmp"));
    scripted->onProcessEvents = nullptr;
    EXPECT_EQ(scripted->lastMessage(), "export stopped: nothing was saved");
    EXPECT_FALSE(QFile::exists(path("stopped.bmp")));
    EXPECT_EQ(app->noticeIfLoaded(), nullptr);
    EXPECT_EQ(app->saveOptions().windowTitle(), "file save options");
  }
}

}  // namespace
}  // namespace quill
