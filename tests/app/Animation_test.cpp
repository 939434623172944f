// The animation end to end: a saved run from the window and the same run from
// the headless description write the same files; ranges, workers and the
// recipes for many machines add up to one whole run.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QScrollBar>
#include <utility>

#include "animation/SeqStatus.h"
#include "app/AppFixture.h"
#include "preview/PictureBox.h"
#include "preview/PreviewWindow.h"
#include "support/FileBytes.h"
#include "support/MovieDecode.h"

namespace quill {
namespace {

using AnimationRunTest = AppFixture;

// The example's settings set by hand in the window; the preview shows each
// frame as it is written, under its banner.
TEST_F(AnimationRunTest, TheWindowsSavedRunWritesWhatTheHeadlessRunWrites) {
  const Outcome headless = animateMorph(path("h.bmp").toStdString(), {"--frames", "6"});
  ASSERT_EQ(headless.status, 0) << headless.err;
  scripted->fileNames = {examplePath("morph.kvt")};
  app->mainWindow().loadState();
  AnimateWindow& window = openAnimator();
  in<QCheckBox>(&window, "chkFeature7")->click();
  type(&window, "txtKeyFrameDivs", "10");
  type(&window, "txtnSteps7", "20");
  in<QCheckBox>(&window, "chkFeature1")->click();
  window.lockFeature(1);
  in<QScrollBar>(&window, "hscGridChip")->setValue(5);
  type(&window, "txtnSteps1", "20");
  std::vector<QString> banners;
  std::vector<QImage> shown;
  PictureBox* picture = in<PictureBox>(&app->preview(), "picBox");
  QObject::connect(&window, &AnimateWindow::frameShown, [&] {
    banners.push_back(window.seqStatus()->bannerText());
    shown.push_back(picture->surface().image().copy());
  });
  savedRun(window, "w.bmp", 6);

  ASSERT_EQ(banners.size(), 6u);
  EXPECT_EQ(banners.back(), "6 of 6");
  EXPECT_EQ(QDir(dir.path()).entryList({"w*"}, QDir::Files).size(), 6);
  EXPECT_NE(fileBytes(path("w001.bmp")), fileBytes(path("w002.bmp")));
  for (int i = 1; i <= 6; ++i) {
    const QByteArray fromWindow = fileBytes(path(frameFile("w", i)));
    EXPECT_EQ(fileBytes(path(frameFile("h", i))), fromWindow) << "frame " << i;
    EXPECT_EQ(shown[i - 1], QImage(path(frameFile("w", i))).convertToFormat(QImage::Format_RGB32)) << i;
  }
  // The end of a run disarms saving.
  EXPECT_FALSE(in<QCheckBox>(&window, "chkSaveImages")->isChecked());
  EXPECT_FALSE(window.armedFrame());
}

TEST_F(AnimationRunTest, AFrameThatCannotBeWrittenStopsTheRunWithAMessage) {
  AnimateWindow& window = openAnimator();
  in<QCheckBox>(&window, "chkFeature0")->click();
  saveRunAs(window, "missing/a.bmp");
  runToEnd(window);
  EXPECT_NE(scripted->lastMessage().find("can't write " + path("missing/a001.bmp").toStdString()), std::string::npos);
  EXPECT_EQ(scripted->messages.size(), 1u);  // the run stopped at the first frame
}

// The renderer runs the README's animation with no display and no platform
// named. It is linked to neither the widget library nor FFmpeg: it opens
// FFmpeg's libraries on its own when a movie is asked for.
TEST_F(AnimationRunTest, TheHeadlessRendererNeedsNoDisplayNoWidgetsAndNoLinkedFfmpeg) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  const QString gif = path("m.gif");
  const Outcome run = renderProgram({QString::fromStdString(examplePath("morph.kvt")), "--animate",
                                     QString::fromStdString(examplePath("morph.txt")), "-o", gif, "--frames", "3",
                                     "--fps", "10"},
                                    environment);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "wrote 3 frames: " + gif.toStdString() + "\n");
  const DecodedMovie movie = decodeMovie(gif.toStdString());
  EXPECT_EQ(movie.frames.size(), 3u);
  EXPECT_DOUBLE_EQ(movie.framesPerSecond, 10);

  QProcess ldd;
  ldd.start("ldd", {QUILLAVEN_RENDER_PROGRAM});
  ASSERT_TRUE(ldd.waitForFinished(30000));
  const QString libraries = ldd.readAllStandardOutput();
  EXPECT_TRUE(libraries.contains("libQt6Gui")) << libraries.toStdString();
  EXPECT_FALSE(libraries.contains("libQt6Widgets") || libraries.contains("libavcodec")) << libraries.toStdString();
}

// A range of frames holds, byte for byte, what the whole run writes for
// them: at the run's edges, through a key frame of the geometry sweep, and
// across the odometer's carries where the start value goes on from the count
// of a frame the range did not draw (the vertices change what each counts).
// The whole run draws one frame at a time, the ranges on three workers.
// A range beyond the run writes nothing.
TEST_F(AnimationRunTest, AFrameRangeWritesWhatTheWholeRunWritesForThoseFrames) {
  std::ofstream(path("carry.txt").toStdString())
      << "check 0\noptContinue = 1\ntxtnSteps0 = 3\ncheck 4\ntxtnSteps4 = 2\ncheck 6\ntxtnSteps6 = 2\n";
  const struct {
    std::string description;
    std::vector<std::pair<int, int>> ranges;
  } runs[] = {{examplePath("morph.txt"), {{1, 1}, {12, 12}, {10, 12}}},
              {path("carry.txt").toStdString(), {{3, 5}, {10, 12}}}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.description);
    const auto twelve = [&](const QString& out, const std::vector<std::string>& more) {
      std::vector<std::string> args{examplePath("morph.kvt"), "--animate", run.description, "-o",
                                    path(out).toStdString(), "--frames", "12"};
      args.insert(args.end(), more.begin(), more.end());
      return animate(args).status;
    };
    ASSERT_EQ(twelve("whole.bmp", {"-j", "1"}), 0);
    for (const auto& [first, last] : run.ranges) {
      const std::string range = std::to_string(first) + "-" + std::to_string(last);
      const QString part = QString("part%1_").arg(first);
      ASSERT_EQ(twelve(part + ".bmp", {"--range", range, "-j", "3"}), 0) << range;
      for (int i = 1; i <= 12; ++i) {
        const bool inRange = i >= first && i <= last;
        EXPECT_EQ(QFile::exists(path(frameFile(part, i))), inRange) << range << " frame " << i;
        if (inRange) {
          EXPECT_EQ(fileBytes(path(frameFile(part, i))), fileBytes(path(frameFile("whole", i)))) << range << " " << i;
        }
      }
    }
  }
  const Outcome beyond = animateMorph(path("beyond.bmp").toStdString(), {"--frames", "12", "--range", "11-13"});
  EXPECT_EQ(beyond.status, 2);
  EXPECT_NE(beyond.err.find("--range 11-13 goes beyond the run's 12 frames"), std::string::npos) << beyond.err;
  EXPECT_FALSE(QFile::exists(path("beyond011.bmp")));
}

// A movie gets the frames of many workers in order: its pictures are those of one worker.
TEST_F(AnimationRunTest, AMovieDrawnOnManyWorkersHoldsTheFramesOfOne) {
  std::vector<DecodedMovie> movies;
  for (const char* workers : {"1", "3"}) {
    const std::string name = path(QString("m%1.gif").arg(workers)).toStdString();
    const Outcome run = animateMorph(name, {"--frames", "7", "-j", workers});
    ASSERT_EQ(run.status, 0) << run.err;
    movies.push_back(decodeMovie(name));
  }
  ASSERT_EQ(movies[0].frames.size(), 7u);
  EXPECT_TRUE(movies[0].frames == movies[1].frames);
}

// The README's recipes for many machines, run here: GNU parallel with two
// workers and the Slurm array script with its tasks one after another. Their
// frames are those of one whole run.
TEST_F(AnimationRunTest, TheRecipesForManyMachinesAddUpToOneWholeRun) {
  std::ifstream readme(std::string(QUILLAVEN_SOURCE_DIR) + "/README.md");
  std::string line, recipe;
  while (std::getline(readme, line) && recipe.empty())
    if (line.rfind("    parallel -j 2 ", 0) == 0) recipe = line.substr(4);
  ASSERT_FALSE(recipe.empty()) << "no GNU parallel command in the README";
  ASSERT_TRUE(QFile::link(QString(QUILLAVEN_SOURCE_DIR) + "/examples", path("examples")));
  const auto shell = [&](const std::string& command) {
    QProcess sh;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", QFileInfo(QUILLAVEN_RENDER_PROGRAM).path() + ":" + environment.value("PATH"));
    sh.setProcessEnvironment(environment);
    sh.setWorkingDirectory(dir.path());
    sh.start("/bin/sh", {"-c", QString::fromStdString(command)});
    EXPECT_TRUE(sh.waitForFinished(300000));
    return std::pair(sh.exitCode(), sh.readAllStandardError().toStdString());
  };
  const auto [status, err] = shell("mkdir -p frames && " + recipe);
  ASSERT_EQ(status, 0) << recipe << "\n" << err;
  for (int task = 1; task <= 3; ++task) {
    const auto [code, message] = shell("SLURM_ARRAY_TASK_ID=" + std::to_string(task) +
                                       " SLURM_ARRAY_TASK_COUNT=3 examples/slurm-animate.sbatch examples/morph.kvt "
                                       "examples/morph.txt slurm/morph.png 12");
    ASSERT_EQ(code, 0) << message;
  }
  // No folder "whole" yet: the first frame fails and the frames in flight are dropped.
  ASSERT_EQ(animateMorph(path("whole/morph.png").toStdString(), {"-j", "1"}).status, 1);
  QDir(dir.path()).mkdir("whole");
  ASSERT_EQ(animateMorph(path("whole/morph.png").toStdString(), {"-j", "1"}).status, 0);
  const QStringList whole = QDir(path("whole")).entryList(QDir::Files);
  ASSERT_EQ(whole.size(), 40);
  EXPECT_EQ(QDir(path("frames")).entryList(QDir::Files), whole);
  for (const QString& name : whole) {
    EXPECT_EQ(fileBytes(path("frames/" + name)), fileBytes(path("whole/" + name))) << name.toStdString();
    if (QFile::exists(path("slurm/" + name))) {
      EXPECT_EQ(fileBytes(path("slurm/" + name)), fileBytes(path("whole/" + name))) << name.toStdString();
    }
  }
  EXPECT_EQ(QDir(path("slurm")).entryList(QDir::Files), whole.mid(0, 12));
}

// Bad descriptions and options name what is wrong, with unprintable bytes escaped.
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
      {"check 0\n", 2, "--fps is for movies"},  // with --fps on a picture sequence
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::ofstream(path("d.txt").toStdString()) << c.text;
    std::vector<std::string> args{examplePath("morph.kvt"), "--animate", path("d.txt").toStdString(), "-o",
                                  path("x.bmp").toStdString()};
    if (c.error[0] == '-') args.insert(args.end(), {"--fps", "10"});
    const Outcome run = animate(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find_first_of("\a\x1b"), std::string::npos);
  }
  EXPECT_FALSE(QFile::exists(path("x001.bmp")));
}

}  // namespace
}  // namespace quill
