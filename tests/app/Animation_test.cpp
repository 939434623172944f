// The animation end to end: a saved run from the window, and the same run
// from the headless description, write the same files.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "animation/AnimateWindow.h"
#include "animation/SeqStatus.h"
#include "app/HeadlessAnimate.h"
#include "app/QuillavenApp.h"
#include "mainwindow/Form1.h"
#include "support/FileBytes.h"
#include "ui/ScriptedServices.h"

namespace quill {
namespace {

std::string examplePath(const char* name) { return std::string(QUILLAVEN_SOURCE_DIR) + "/examples/" + name; }

class AnimationRunTest : public ::testing::Test {
 protected:
  AnimationRunTest() {
    auto services = std::make_unique<ScriptedServices>();
    scripted = services.get();
    app = std::make_unique<QuillavenApp>(std::move(services));
    app->start();
  }
  AnimateWindow& openAnimator() {
    app->mainWindow().cmdAnimate_Click();
    return app->animator();
  }
  ScriptedServices* scripted = nullptr;
  std::unique_ptr<QuillavenApp> app;
  QTemporaryDir dir;
};

TEST_F(AnimationRunTest, ASavedRunWritesNumberedFramesWithTheBanner) {
  AnimateWindow& window = openAnimator();
  window.findChild<QCheckBox*>("chkFeature0")->click();
  scripted->fileNames = {dir.filePath("a.bmp").toStdString()};
  window.findChild<QCheckBox*>("chkSaveImages")->click();
  window.findChild<QLineEdit*>("txtnFrames")->setText("12");
  std::vector<QString> banners;
  scripted->onProcessEvents = [&] { banners.push_back(window.seqStatus()->bannerText()); };
  window.findChild<QPushButton*>("cmdRun")->click();

  EXPECT_EQ(banners.front(), "1 of 12");
  EXPECT_EQ(banners[11], "12 of 12");
  QStringList files = QDir(dir.path()).entryList(QDir::Files);
  ASSERT_EQ(files.size(), 12);
  EXPECT_EQ(files.front(), "a001.bmp");
  EXPECT_EQ(files.back(), "a012.bmp");
  EXPECT_EQ(QImage(dir.filePath("a007.bmp")).size(), QSize(1200, 1000));
  EXPECT_NE(fileBytes(dir.filePath("a001.bmp")), fileBytes(dir.filePath("a002.bmp")));  // the count moved on
  // The end of a run disarms saving and resets.
  EXPECT_FALSE(window.findChild<QCheckBox*>("chkSaveImages")->isChecked());
  EXPECT_FALSE(app->state().sequenceFramePending);
}

TEST_F(AnimationRunTest, AFrameThatCannotBeWrittenStopsTheRunWithAMessage) {
  AnimateWindow& window = openAnimator();
  window.findChild<QCheckBox*>("chkFeature0")->click();
  scripted->fileNames = {dir.filePath("missing/a.bmp").toStdString()};
  window.findChild<QCheckBox*>("chkSaveImages")->click();
  window.cmdRun_Click();
  EXPECT_NE(scripted->lastMessage().find("can't write " + dir.filePath("missing/a001.bmp").toStdString()),
            std::string::npos);
  EXPECT_EQ(scripted->messages.size(), 1u);  // the run stopped at the first frame
  EXPECT_FALSE(window.running());
}

TEST_F(AnimationRunTest, HeadlessRunWritesWhatTheWindowWrites) {
  const std::string state = examplePath("morph.kvt");
  const std::string description = examplePath("morph.txt");
  std::ostringstream out, err;
  const std::string headless = dir.filePath("h.bmp").toStdString();
  ASSERT_EQ(runHeadlessAnimation({state, "--animate", description, "-o", headless, "--frames", "6"}, out, err), 0)
      << err.str();

  // The same settings by hand in the window.
  scripted->fileNames = {state};
  app->mainWindow().Command7_Click();
  AnimateWindow& window = openAnimator();
  window.findChild<QCheckBox*>("chkFeature7")->click();
  window.findChild<QLineEdit*>("txtKeyFrameDivs")->setText("10");
  window.findChild<QLineEdit*>("txtnSteps7")->setText("20");
  window.findChild<QCheckBox*>("chkFeature1")->click();
  window.picUnlock_Click(1);
  window.findChild<QScrollBar*>("hscGridChip")->setValue(5);
  window.findChild<QLineEdit*>("txtnSteps1")->setText("20");
  scripted->fileNames = {dir.filePath("w.bmp").toStdString()};
  window.findChild<QCheckBox*>("chkSaveImages")->click();
  window.findChild<QLineEdit*>("txtnFrames")->setText("6");
  window.cmdRun_Click();

  for (int i = 1; i <= 6; ++i) {
    const QString n = QString("%1").arg(i, 3, 10, QChar('0'));
    const QByteArray fromWindow = fileBytes(dir.filePath("w" + n + ".bmp"));
    ASSERT_FALSE(fromWindow.isEmpty()) << i;
    EXPECT_EQ(fileBytes(dir.filePath("h" + n + ".bmp")), fromWindow) << "frame " << i;
  }
}

TEST_F(AnimationRunTest, HeadlessDescriptionErrorsNameTheLine) {
  const auto runWith = [&](const std::string& text, std::string& error) {
    const std::string description = dir.filePath("d.txt").toStdString();
    std::ofstream(description) << text;
    std::ostringstream out, err;
    const int status = runHeadlessAnimation(
        {examplePath("morph.kvt"), "--animate", description, "-o", dir.filePath("x.bmp").toStdString()}, out, err);
    error = err.str();
    return status;
  };
  std::string error;
  EXPECT_EQ(runWith("check 0\nnoSuchBox = 3\n", error), 2);
  EXPECT_NE(error.find("d.txt:2: no control named 'noSuchBox'"), std::string::npos) << error;
  EXPECT_EQ(runWith("# fine\ncheck nine\n", error), 2);
  EXPECT_NE(error.find("d.txt:2:"), std::string::npos) << error;
  EXPECT_EQ(runWith("txtnSteps0 = 0\n", error), 1);
  EXPECT_NE(error.find("# steps must > 0 and <= 100000"), std::string::npos) << error;
  EXPECT_EQ(runWith("hscBaseEnd = 40\n", error), 2);
}

}  // namespace
}  // namespace quill
