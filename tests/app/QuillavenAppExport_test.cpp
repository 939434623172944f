// The export dialog driven from the main window, through to the file and the notice.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>

#include "app/AppFixture.h"
#include "export/Notice.h"
#include "export/SaveOptions.h"
#include "media/SafeWrite.h"
#include "preview/PreviewWindow.h"

namespace quill {
namespace {

class ExportFlowTest : public AppFixture {
 protected:
  template <typename W = QWidget>
  W* control(const char* name) { return in<W>(&app->saveOptions(), name); }
  void openDialog() { click(&app->mainWindow(), "bmap_button"); }
  void choose(const char* option) { click(&app->saveOptions(), option); }
  void save(const std::optional<QString>& path) {
    scripted->fileNames.push_back(path ? std::optional(path->toStdString()) : std::nullopt);
    choose("cmdSave");
  }
  void geometry(const char* picture) { click(&app->mainWindow(), picture); }
};

// The metafile grid sizes are for triangles, the maximum size for metafiles,
// and the legend for polygons: a geometry switch clears a ticked legend at
// once, so no later capture or export carries it.
TEST_F(ExportFlowTest, TheDialogOffersWhatTheTypeAndGeometryAllow) {
  openDialog();
  EXPECT_TRUE(control("Frame2")->isEnabled());
  choose("optBmp");
  EXPECT_FALSE(control("optExtra")->isEnabled());
  choose("legend");
  geometry("PicRect");
  EXPECT_FALSE(control<QCheckBox>("legend")->isChecked());
  EXPECT_FALSE(control("legend")->isEnabled());
  choose("optWmf");
  EXPECT_FALSE(control("Frame2")->isEnabled());
  geometry("picHex");
  EXPECT_TRUE(control("legend")->isEnabled());
  click(&app->mainWindow(), "Command2");
  EXPECT_EQ(app->state().curFrame.legend, 0);
}

// The width box takes numbers up to 16000 and empties itself of anything
// else; widths below one pass the box and are refused by "save".
TEST_F(ExportFlowTest, WidthBoxRefusesWhatIsNotANumberUpToSixteenThousand) {
  openDialog();
  auto* box = control<QLineEdit>("Text1");
  for (const auto& [typed, message] : {std::pair{"16000", ""}, {"16000.5", "width must be <=16000"},
                                       {"1e3", "width must be numeric"}}) {
    scripted->messages.clear();
    box->setText(typed);
    EXPECT_EQ(scripted->lastMessage(), message) << typed;
    EXPECT_EQ(box->text(), *message ? "" : typed) << typed;
  }
  choose("optBmp");
  box->setText("0.4");
  choose("cmdSave");
  EXPECT_EQ(scripted->lastMessage(), "width must be at least 1");
  EXPECT_TRUE(scripted->fileDialogs.empty());
}

// A bitmap with legend goes through the export pass to the file chosen, which
// the notice names; the preview is unloaded after an export.
TEST_F(ExportFlowTest, ASavedBitmapIsNamedOnTheNotice) {
  click(&app->mainWindow(), "Command2");
  openDialog();
  choose("optBmp");
  choose("legend");
  save(path("hex.bmp"));
  EXPECT_EQ(scripted->fileDialogs.back().filter, "Files (*.bmp)|*.bmp");
  EXPECT_EQ(QImage(path("hex.bmp")).size(), QSize(2000, 1760));
  EXPECT_TRUE(scripted->messages.empty()) << scripted->lastMessage();
  EXPECT_EQ(app->previewIfLoaded(), nullptr);
  ASSERT_NE(app->noticeIfLoaded(), nullptr);
  EXPECT_EQ(in<QLabel>(app->noticeIfLoaded(), "Label2")->text(), path("hex.bmp"));
}

// A bitmap save cancelled, or one whose temporary file cannot be made, says
// so and leaves the old file as it was.
TEST_F(ExportFlowTest, FailedBitmapSavesSayErrorAndKeepTheOldFile) {
  QFile old(path("old.bmp"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("keep me") == 7);
  old.close();
  // A folder where the temporary file must go (tests may run as root, where modes do not stop writes).
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(temporaryPathFor(path("old.bmp").toStdString()))));
  for (const std::optional<QString>& name : {std::optional<QString>(), std::optional(path("old.bmp"))}) {
    openDialog();
    choose("optBmp");
    save(name);
    EXPECT_EQ(scripted->lastMessage(), "error saving bitmap file");
    EXPECT_EQ(app->noticeIfLoaded(), nullptr);
  }
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "keep me");
}

TEST_F(ExportFlowTest, EscStopsALongExportWhichWritesNothing) {
  for (const char* type : {"optBmp", "optWmf"}) {
    app->preview().setRenderYield(1, 0);
    scripted->onProcessEvents = [this] { QTest::keyClick(&app->mainWindow(), Qt::Key_Escape); };
    openDialog();
    choose(type);
    save(path("stopped.bmp"));
    scripted->onProcessEvents = nullptr;
    EXPECT_EQ(scripted->lastMessage(), "export stopped: nothing was saved") << type;
    EXPECT_FALSE(QFile::exists(path("stopped.bmp")));
    EXPECT_EQ(app->noticeIfLoaded(), nullptr);
  }
}

}  // namespace
}  // namespace quill
