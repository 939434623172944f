#include <pty.h>
#include <algorithm>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QThread>

#include "app/AppFixture.h"
#include "engine/CellGeometry.h"
#include "support/FileBytes.h"

namespace quill {
namespace {

class HeadlessRenderTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  std::string writeState(const std::vector<KeyFrame>& frames, const std::string& name = "s.kvt") {
    return writeStateFile(path(name), frames);
  }
  QTemporaryDir dir;
};

// 23 vertices, 99 layers, 7 divisions: the largest pattern there is. Drawn as
// wide as one-pixel lines go, it takes well over a second.
KeyFrame heavyFrame() {
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  placeRegularVertices(*state, 23);
  KeyFrame f = state->curFrame;
  f.vertexCount = 23;
  f.vertexPoints = state->vertexPoints;
  f.layerCount = 99;
  f.levels = 7;
  return f;
}

// Ctrl-C ends a long picture at once, with status 130: the picture in hand
// leaves neither its file nor a temporary, and files finished before, numbered
// from 1, stay.
TEST_F(HeadlessRenderTest, AStopSignalEndsTheRunKeepingOnlyFinishedFiles) {
  const std::string state = writeState({startupFrame(), startupFrame(), heavyFrame()});
  QProcess program;
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
  const std::string state = writeState({startupFrame(), heavyFrame()});
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Kept to one core, the largest pattern takes about two seconds on a
    // machine where it takes one with two, well over the quiet first second.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(std::max(sched_getcpu(), 0), &one);
    sched_setaffinity(0, sizeof one, &one);
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

// The options reach the export passes (which pin the sizes): the start-up
// frame by default at 2000 wide, white outside the hexagon; the record
// chosen, the default being the last one (here a grid, which takes 10 pixels
// per smallest cell whatever the width says); --legend and --width in SVG;
// metafiles get the standard frame of 8000 x 6400 (0.01 mm).
TEST_F(HeadlessRenderTest, TheOptionsReachTheExportPasses) {
  KeyFrame grid = startupFrame();
  grid.triangleMode = kFalse16;
  grid.levels = 2;
  grid.fractionsLimit = 4;
  const std::string state = writeState({startupFrame(), grid});
  for (const auto& args : {std::vector<std::string>{"-o", path("hex.bmp")}, {state, "-o", path("b.png"), "--width", "3000"},
                           {state, "-o", path("c.png"), "--frame", "0"}, {"-o", path("hex.emf")},
                           {"-o", path("hex.svg"), "--legend", "--width", "625"}})
    ASSERT_EQ(render(args).status, 0) << args.back();
  const QImage hexagon(QString::fromStdString(path("hex.bmp")));
  ASSERT_EQ(hexagon.size(), QSize(2000, 1600));
  // The first cell counts 0: palette red. Its centroid (-17.3, 30) lands at
  // ((x + 312.5) * 3.2, (247 - y) * 3.2).
  EXPECT_EQ(hexagon.pixel(944, 694) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(hexagon.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(QImage(QString::fromStdString(path("b.png"))).size(), QSize(480, 400));
  EXPECT_EQ(QImage(QString::fromStdString(path("c.png"))).size(), QSize(2000, 1600));
  const QByteArray emf = fileBytes(path("hex.emf"));
  ASSERT_GT(emf.size(), 88);
  EXPECT_EQ(std::pair(le32(emf, 32), le32(emf, 36)), std::pair(8000, 6400));
  const QString svg = QString::fromUtf8(fileBytes(path("hex.svg")));
  EXPECT_TRUE(svg.contains("width=\"625\" height=\"550\""));
  EXPECT_EQ(svg.count("<polygon"), 96 + 10);  // the leaves and the base-10 triangles
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
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path("a.bmp"))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path("a.emf"))));
}

}  // namespace
}  // namespace quill
