#include "app/HeadlessRender.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/FrameCapture.h"
#include "engine/KeyFrameCodec.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome render(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runHeadlessRender(args, out, err);
  return {status, out.str(), err.str()};
}

KeyFrame startupFrame() {
  auto state = std::make_unique<PatternState>();
  loadStartupDefaults(*state);
  return state->curFrame;
}

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                              static_cast<uint32_t>(b[at + 3]) << 24);
}

class HeadlessRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quillaven-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::string writeState(const std::vector<KeyFrame>& frames, const std::string& name = "s.kvt") {
    const auto bytes = encodeStateFile(frames);
    std::ofstream(path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path(name);
  }

  fs::path dir_;
};

TEST_F(HeadlessRenderTest, StartupFrameIsA2000By1600BitmapOfTheHexagon) {
  const Outcome run = render({"-o", path("hex.bmp")});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto bytes = readBytes(path("hex.bmp"));
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(le32(bytes, 18), 2000);
  EXPECT_EQ(std::abs(le32(bytes, 22)), 1600);
  EXPECT_EQ(bytes[28], 24);

  QImage image(QString::fromStdString(path("hex.bmp")));
  ASSERT_FALSE(image.isNull());
  // The first cell (centre, vertex 1, vertex 2 of the inner ring) counts 0: palette red.
  // Its centroid (-17.3, 30) lands at ((x + 312.5) * 3.2, (247 - y) * 3.2).
  EXPECT_EQ(image.pixel(944, 694) & 0xFFFFFF, 0xFF0000u);
  // Outside the hexagon the bitmap is white, whatever the frame's background.
  EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
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
  for (const char* name : {"night001.bmp", "night002.bmp", "night003.bmp"})
    EXPECT_TRUE(fs::exists(path(name))) << name;
  EXPECT_FALSE(fs::exists(path("night004.bmp")));
  EXPECT_FALSE(fs::exists(path("night.bmp")));
}

TEST_F(HeadlessRenderTest, ErrorsExitNonZeroWithTheirMessage) {
  KeyFrame bad = startupFrame();
  bad.vertexCount = 50;
  const std::string refused = writeState({startupFrame(), bad}, "bad.kvt");
  std::string oldHeader = writeState({startupFrame()}, "old.kvt");
  {
    std::fstream f(oldHeader, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(13);
    f.put('5');
  }
  const std::string state = writeState({startupFrame()});

  struct Case {
    std::vector<std::string> args;
    std::string expected;
  };
  const Case cases[] = {
      {{path("missing.kvt"), "-o", path("a.bmp")}, "cannot read"},
      {{oldHeader, "-o", path("a.bmp")}, "can't read files written by v1.5"},
      {{oldHeader, "-o", path("a.bmp")}, "quillaven v1.5"},
      {{refused, "-o", path("a.bmp")}, "record 1 cannot be used"},
      {{"-o", path("a.jpg")}, "unknown output format"},
      {{state, "-o", path("a.bmp"), "--frame", "1"}, "out of range"},
      {{"-o", path("a.bmp"), "--frame", "x"}, "not a record number"},
      {{"-o", path("a.bmp"), "--width", "0"}, "--width"},
      {{state}, "no output file"},
      {{"--bogus", "-o", path("a.bmp")}, "unknown option"},
  };
  for (const Case& c : cases) {
    const Outcome run = render(c.args);
    EXPECT_NE(run.status, 0) << c.expected;
    EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(path("a.bmp")));
}

TEST_F(HeadlessRenderTest, RefusesAGridTooLargeToHoldBeforeDrawing) {
  KeyFrame huge = startupFrame();
  huge.triangleMode = kFalse16;
  huge.rowCount = 1600;
  huge.columnCount = 1600;
  huge.levels = 7;
  huge.fractionsLimit = 14;
  const std::string state = writeState({startupFrame(), huge});
  for (const char* name : {"huge.bmp", "huge.emf"}) {
    const Outcome run = render({state, "-o", path(name)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("too large"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path(name)));
  }
}

TEST_F(HeadlessRenderTest, HelpDescribesTheCommandLine) {
  const Outcome run = render({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"-o OUT", "--frame", "all", "--width", ".emf", "night001.bmp"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

int countOf(const std::string& text, const std::string& word) {
  int n = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

TEST_F(HeadlessRenderTest, MetafileHoldsOnePolygonPerLeafForAnIndependentReader) {
  if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "emf2svg-conv (package emf2svg) is not installed";
  const Outcome run = render({"-o", path("hex.emf")});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto bytes = readBytes(path("hex.emf"));
  ASSERT_GT(bytes.size(), 88u);
  EXPECT_EQ(le32(bytes, 0), 1);  // EMR_HEADER
  // Frame in 0.01 mm units: 8000 x 6400.
  EXPECT_EQ(le32(bytes, 24 + 8), 8000);
  EXPECT_EQ(le32(bytes, 24 + 12), 6400);

  const std::string svg = path("hex.svg");
  const std::string command = "emf2svg-conv -i '" + path("hex.emf") + "' -o '" + svg + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(svg);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // 6 vertices x 4 layers x 4 layers = 96 leaves at level 0.
  EXPECT_EQ(countOf(text, "<polygon") + countOf(text, "<path"), 96) << text.substr(0, 400);
}

TEST_F(HeadlessRenderTest, LegendAndSvgGoThroughTheExportPasses) {
  Outcome run = render({"-o", path("hex.png"), "--legend"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(QImage(QString::fromStdString(path("hex.png"))).size(), QSize(2000, 1760));

  run = render({"-o", path("hex.svg"), "--legend", "--width", "625"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ifstream in(path("hex.svg"));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("width=\"625\" height=\"550\""), std::string::npos);
  EXPECT_EQ(countOf(text, "<polygon"), 96 + 10);  // the leaves and the base-10 triangles
  EXPECT_NE(text.find(">base 10  blend</text>"), std::string::npos);
  EXPECT_NE(text.find(">0 to 96</text>"), std::string::npos);
}

}  // namespace
}  // namespace quill
