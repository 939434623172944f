// The animation end to end: a saved run from the window, and the same run
// from the headless description, write the same files.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QScrollBar>
#include <fstream>
#include <sstream>

#include "animation/SeqStatus.h"
#include "app/AppFixture.h"
#include "app/HeadlessAnimate.h"
#include "support/FileBytes.h"

namespace quill {
namespace {

using AnimationRunTest = AppFixture;

TEST_F(AnimationRunTest, ASavedRunWritesNumberedFramesWithTheBanner) {
  AnimateWindow& window = openAnimator();
  in<QCheckBox>(&window, "chkFeature0")->click();
  saveRunAs(window, "a.bmp");
  type(&window, "txtnFrames", "12");
  std::vector<QString> banners;
  scripted->onProcessEvents = [&] { banners.push_back(window.seqStatus()->bannerText()); };
  in<QAbstractButton>(&window, "cmdRun")->click();

  EXPECT_EQ(banners.front(), "1 of 12");
  EXPECT_EQ(banners[11], "12 of 12");
  QStringList files = QDir(dir.path()).entryList(QDir::Files);
  ASSERT_EQ(files.size(), 12);
  EXPECT_EQ(files.front(), "a001.bmp");
  EXPECT_EQ(files.back(), "a012.bmp");
  EXPECT_EQ(QImage(path("a007.bmp")).size(), QSize(1200, 1000));
  EXPECT_NE(fileBytes(path("a001.bmp")), fileBytes(path("a002.bmp")));  // the count moved on
  // The end of a run disarms saving and resets.
  EXPECT_FALSE(in<QCheckBox>(&window, "chkSaveImages")->isChecked());
  EXPECT_FALSE(window.armedFrame());
}

TEST_F(AnimationRunTest, AFrameThatCannotBeWrittenStopsTheRunWithAMessage) {
  AnimateWindow& window = openAnimator();
  in<QCheckBox>(&window, "chkFeature0")->click();
  saveRunAs(window, "missing/a.bmp");
  window.runAnimation();
  EXPECT_NE(scripted->lastMessage().find("can't write " + path("missing/a001.bmp").toStdString()), std::string::npos);
  EXPECT_EQ(scripted->messages.size(), 1u);  // the run stopped at the first frame
  EXPECT_FALSE(window.running());
}

TEST_F(AnimationRunTest, HeadlessRunWritesWhatTheWindowWrites) {
  const std::string state = examplePath("morph.kvt");
  const std::string description = examplePath("morph.txt");
  std::ostringstream out, err;
  const std::string headless = path("h.bmp").toStdString();
  ASSERT_EQ(runHeadlessAnimation({state, "--animate", description, "-o", headless, "--frames", "6"}, out, err), 0)
      << err.str();

  // The same settings by hand in the window.
  scripted->fileNames = {state};
  app->mainWindow().loadState();
  AnimateWindow& window = openAnimator();
  in<QCheckBox>(&window, "chkFeature7")->click();
  type(&window, "txtKeyFrameDivs", "10");
  type(&window, "txtnSteps7", "20");
  in<QCheckBox>(&window, "chkFeature1")->click();
  window.lockFeature(1);
  in<QScrollBar>(&window, "hscGridChip")->setValue(5);
  type(&window, "txtnSteps1", "20");
  saveRunAs(window, "w.bmp");
  type(&window, "txtnFrames", "6");
  window.runAnimation();

  for (int i = 1; i <= 6; ++i) {
    const QString n = QString("%1").arg(i, 3, 10, QChar('0'));
    const QByteArray fromWindow = fileBytes(path("w" + n + ".bmp"));
    ASSERT_FALSE(fromWindow.isEmpty()) << i;
    EXPECT_EQ(fileBytes(path("h" + n + ".bmp")), fromWindow) << "frame " << i;
  }
}

// The renderer runs the README's animation with no display and no platform
// named, and is not even linked to the widget library.
TEST_F(AnimationRunTest, TheHeadlessRendererNeedsNoDisplayAndNoWidgets) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  program.setProcessEnvironment(environment);
  program.start(QUILLAVEN_RENDER_PROGRAM, {QString::fromStdString(examplePath("morph.kvt")), "--animate",
                                           QString::fromStdString(examplePath("morph.txt")), "-o", path("m.bmp"),
                                           "--frames", "2"});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  EXPECT_FALSE(QImage(path("m002.bmp")).isNull());

  QProcess ldd;
  ldd.start("ldd", {QUILLAVEN_RENDER_PROGRAM});
  ASSERT_TRUE(ldd.waitForFinished(30000));
  const QString libraries = ldd.readAllStandardOutput();
  EXPECT_TRUE(libraries.contains("libQt6Gui")) << libraries.toStdString();
  EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();
}

TEST_F(AnimationRunTest, HeadlessDescriptionErrorsNameTheLine) {
  const struct {
    const char* text;
    int status;
    const char* error;
  } cases[] = {
      {"check 0\nnoSuchBox = 3\n", 2, "d.txt:2: no control named 'noSuchBox'"},
      {"# fine\ncheck nine\n", 2, "d.txt:2:"},
      {"txtnSteps0 = 0\n", 1, "# steps must > 0 and <= 100000"},
      {"hscBaseEnd = 40\n", 2, "d.txt:1: hscBaseEnd takes a whole number from 2 to "},
      {"\x1b[2J = 1\ncheck 0\n", 2, "d.txt:1: no control named '\\x1b[2J' to set"},
      {"hscBaseEnd = 4\a\n", 2, "d.txt:1: '4\\x07' is not a number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::ofstream(path("d.txt").toStdString()) << c.text;
    std::ostringstream out, err;
    EXPECT_EQ(runHeadlessAnimation({examplePath("morph.kvt"), "--animate", path("d.txt").toStdString(), "-o",
                                    path("x.bmp").toStdString()},
                                   out, err),
              c.status);
    EXPECT_NE(err.str().find(c.error), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find_first_of("\a\x1b"), std::string::npos);
  }
}

}  // namespace
}  // namespace quill
