#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <filesystem>

#include "app/AppFixture.h"
#include "engine/CellGeometry.h"
#include "support/FileBytes.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

class HeadlessRenderTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  QImage image(const std::string& name) const { return QImage(QString::fromStdString(path(name))); }

  std::string writeState(const std::vector<KeyFrame>& frames, const std::string& name = "s.kvt") {
    return writeStateFile(path(name), frames);
  }

  QTemporaryDir dir;
};

// 23 vertices, 99 layers, `levels` divisions: at 7 the largest pattern there is.
KeyFrame heavyFrame(int levels) {
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  placeRegularVertices(*state, 23);
  KeyFrame f = state->curFrame;
  f.vertexCount = 23;
  f.vertexPoints = state->vertexPoints;
  f.layerCount = 99;
  f.levels = static_cast<int16_t>(levels);
  return f;
}

// Ctrl-C ends a long picture at once, with status 130: the picture in hand
// leaves neither its file nor a temporary, and a file finished before stays.
TEST_F(HeadlessRenderTest, AStopSignalEndsTheRunKeepingOnlyFinishedFiles) {
  const std::string state = writeState({startupFrame(), startupFrame(), heavyFrame(7)});
  QProcess program;
  // As wide as one-pixel lines go: the most pixels, so the heavy picture takes longest.
  program.start(QUILLAVEN_RENDER_PROGRAM, {QString::fromStdString(state), "-o",
                                           QString::fromStdString(path("f.bmp")), "--frame", "all",
                                           "--width", "3199"});
  ASSERT_TRUE(program.waitForStarted());
  while (!QFile::exists(QString::fromStdString(path("f002.bmp")))) {
    ASSERT_NE(program.state(), QProcess::NotRunning);
    QThread::msleep(20);
  }
  QThread::msleep(300);  // well into the heavy one
  ::kill(static_cast<pid_t>(program.processId()), SIGINT);
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 130);
  EXPECT_FALSE(QImage(QString::fromStdString(path("f002.bmp"))).isNull());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), (QStringList{"f001.bmp", "f002.bmp", "s.kvt"}));
}

// A picture of over a second shows its progress on a terminal, and nothing
// when the error stream goes elsewhere.
TEST_F(HeadlessRenderTest, ProgressShowsOnATerminalOnly) {
  // Leaves below a pixel are drawn only where they show, so a picture of over a
  // second needs the largest pattern at the widest one-pixel lines.
  const std::string state = writeState({startupFrame(), heavyFrame(7)});
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    execl(QUILLAVEN_RENDER_PROGRAM, QUILLAVEN_RENDER_PROGRAM, state.c_str(), "-o", path("t.png").c_str(),
          "--width", "3199", nullptr);
    _exit(127);
  }
  std::string shown;
  char buffer[256];
  for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<size_t>(n));
  int status = 0;
  waitpid(child, &status, 0);
  ::close(terminal);
  EXPECT_EQ(WEXITSTATUS(status), 0) << shown;
  EXPECT_NE(shown.find("% "), std::string::npos) << shown;
  EXPECT_NE(shown.find(" s left"), std::string::npos) << shown;

  const Outcome quiet = renderProgram(
      {QString::fromStdString(state), "-o", QString::fromStdString(path("p.png")), "--width", "3199"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
}

TEST_F(HeadlessRenderTest, StartupFrameIsA2000By1600BitmapOfTheHexagon) {
  const Outcome run = render({"-o", path("hex.bmp")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fileBytes(path("hex.bmp")).startsWith("BM"));  // its header is the bitmap surface's
  const QImage picture = image("hex.bmp");
  ASSERT_FALSE(picture.isNull());
  // The first cell (centre, vertex 1, vertex 2 of the inner ring) counts 0: palette red.
  // Its centroid (-17.3, 30) lands at ((x + 312.5) * 3.2, (247 - y) * 3.2).
  EXPECT_EQ(picture.pixel(944, 694) & 0xFFFFFF, 0xFF0000u);
  // Outside the hexagon the bitmap is white, whatever the frame's background.
  EXPECT_EQ(picture.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
}

// Polygons follow --width; grid frames take 10 pixels per smallest cell whatever
// it says; the default record is the last one.
TEST_F(HeadlessRenderTest, PictureSizeFollowsTheChosenFrame) {
  KeyFrame grid = startupFrame();
  grid.triangleMode = kFalse16;
  grid.levels = 2;
  grid.fractionsLimit = 4;
  const std::string state = writeState({startupFrame(), grid});
  struct Case {
    std::vector<std::string> args;
    int width, height;
  } cases[] = {
      {{"-o", path("a.png"), "--width", "625"}, 625, 500},
      {{state, "-o", path("b.png"), "--width", "3000"}, 480, 400},
      {{state, "-o", path("c.png"), "--frame", "0"}, 2000, 1600},
  };
  for (const Case& c : cases) {
    const Outcome run = render(c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(c.args[c.args[0] == "-o" ? 1 : 2]));
    EXPECT_EQ(image.size(), QSize(c.width, c.height)) << c.args.back();
  }
}

TEST_F(HeadlessRenderTest, FrameAllNumbersTheFilesFromOne) {
  KeyFrame second = startupFrame();
  second.startValue = 100;
  const std::string state = writeState({startupFrame(), second, second});
  const Outcome run = render({state, "-o", path("night.bmp"), "--frame", "all", "--width", "100"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
            (QStringList{"night001.bmp", "night002.bmp", "night003.bmp", "s.kvt"}));
}

// Usage errors exit 2; files that cannot be read or drawn exit 1. Nothing is written.
TEST_F(HeadlessRenderTest, ErrorsExitNonZeroWithTheirMessage) {
  KeyFrame bad = startupFrame();
  bad.vertexCount = 50;
  const std::string refused = writeState({startupFrame(), bad}, "bad.kvt");
  std::vector<uint8_t> bytes = encodeStateFile({startupFrame(), startupFrame()});
  const auto write = [&](const char* name, const std::string& header, size_t cut = 0) {
    std::vector<uint8_t> b = bytes;
    std::copy(header.begin(), header.end(), b.begin());
    std::ofstream(path(name), std::ios::binary).write(reinterpret_cast<const char*>(b.data()), long(b.size() - cut));
    return path(name);
  };
  const std::string oldHeader = write("old.kvt", "quillaven v1.5");
  const std::string controlHeader = write("control.kvt", std::string("quill\x1b[31mRED\x07", 14));
  const std::string cut = write("cut.kvt", "", 7);
  KeyFrame huge = startupFrame();  // a grid too large to hold, refused before drawing
  huge.triangleMode = kFalse16;
  huge.rowCount = huge.columnCount = 1600;
  huge.levels = 7;
  huge.fractionsLimit = 14;
  const std::string hugeState = writeState({startupFrame(), huge}, "huge.kvt");
  const std::string state = writeState({startupFrame()});

  struct Case {
    std::vector<std::string> args;
    std::string expected;
    int status;
  };
  const Case cases[] = {
      {{path("missing.kvt"), "-o", path("a.bmp")}, "can't open " + path("missing.kvt") + ": No such file", 1},
      {{oldHeader, "-o", path("a.bmp")}, "can't read files written by v1.5", 1},
      {{controlHeader, "-o", path("a.bmp")}, "can't read files written by RED\\x07\n", 1},
      {{cut, "-o", path("a.bmp")}, "can't load " + cut + ": record 1: record runs past the end", 1},
      {{refused, "-o", path("a.bmp")}, "can't load " + refused + ": record 1: vertexCount 50 outside 3..23", 1},
      {{hugeState, "-o", path("a.bmp")}, "too large", 1},
      {{hugeState, "-o", path("a.emf")}, "too large", 1},
      {{"-o", path("a.jpg")}, "unknown output format", 2},
      {{state, "-o", path("a.bmp"), "--frame", "1"}, "out of range", 1},
      {{"-o", path("a.bmp"), "--frame", "x"}, "not a record number", 2},
      {{"-o", path("a.bmp"), "--width", "0"}, "--width", 2},
      {{state}, "no output file", 2},
      {{"--bogus", "-o", path("a.bmp")}, "unknown option", 2},
  };
  for (const Case& c : cases) {
    const Outcome run = render(c.args);
    EXPECT_EQ(run.status, c.status) << c.expected;
    EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find_first_of("\x07\x1b"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(path("a.bmp")));
  EXPECT_FALSE(fs::exists(path("a.emf")));
}

TEST_F(HeadlessRenderTest, HelpDescribesTheCommandLine) {
  const Outcome run = render({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"-o OUT", "--frame", "all", "--width", ".emf", "night001.bmp"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

// What an independent reader makes of the metafile's leaves is checked with the
// export passes; here, the frame a headless metafile gets.
TEST_F(HeadlessRenderTest, MetafileHasTheStandardFrameOf8000By6400) {
  const Outcome run = render({"-o", path("hex.emf")});
  ASSERT_EQ(run.status, 0) << run.err;
  const QByteArray bytes = fileBytes(path("hex.emf"));
  ASSERT_GT(bytes.size(), 88);
  EXPECT_EQ(le32(bytes, 0), 1);  // EMR_HEADER
  // Frame in 0.01 mm units.
  EXPECT_EQ(le32(bytes, 24 + 8), 8000);
  EXPECT_EQ(le32(bytes, 24 + 12), 6400);
}

// What the legend holds is pinned with the export passes; here, that --legend
// and --width reach them: the legend adds a tenth to the height.
TEST_F(HeadlessRenderTest, LegendAndSvgGoThroughTheExportPasses) {
  const Outcome run = render({"-o", path("hex.svg"), "--legend", "--width", "625"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QString text = QString::fromUtf8(fileBytes(path("hex.svg")));
  EXPECT_TRUE(text.contains("width=\"625\" height=\"550\""));
  EXPECT_EQ(text.count("<polygon"), 96 + 10);  // the leaves and the base-10 triangles
}

}  // namespace
}  // namespace quill
