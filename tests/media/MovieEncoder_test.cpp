// Movies written by the FFmpeg encoder, read back with the same libraries.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <random>

#include "support/FileSizeLimit.h"
#include "support/MovieDecode.h"
#include "gfx/QtColor.h"
#include "media/MovieEncoder.h"
#include "gfx/RasterSurface.h"
#include "media/SafeWrite.h"

namespace quill {
namespace {

#define SKIP_WITHOUT(encoder, type)                                                              \
  if (!(encoder)) GTEST_SKIP() << "this FFmpeg has no " << movieFormat(type).encoder << " encoder"

// Frame i: a left and a right half, each one flat colour that changes with i.
Color leftColour(int i) { return rgb(200, 30 + 40 * i, 40); }
Color rightColour(int i) { return rgb(20, 120, 230 - 30 * i); }

void drawHalves(RasterSurface& surface, int i) {
  const int w = surface.width();
  const int h = surface.height();
  surface.clear(rightColour(i));
  const IntPoint left[] = {{0, 0}, {w / 2, 0}, {w / 2, h}, {0, h}};
  surface.polygon(left, 4, leftColour(i), leftColour(i));
}

struct MovieCase {
  MovieType type;
  int width;
  int height;
  int codedWidth;  // what a player shows: odd sizes padded for the 4:2:0 codecs
  int codedHeight;
  int tolerance;  // per channel; lossy codecs round through YUV
};

class MovieEncoderTest : public ::testing::TestWithParam<MovieCase> {
 protected:
  QTemporaryDir dir;
};

TEST_P(MovieEncoderTest, WritesEveryFrameAtItsSizeWithItsColours) {
  const MovieCase c = GetParam();
  auto encoder = makeFfmpegMovieEncoder(c.type);
  SKIP_WITHOUT(encoder, c.type);
  const std::string path = dir.filePath(QString("m") + movieFormat(c.type).extension).toStdString();
  ASSERT_TRUE(encoder->open(path, c.width, c.height, 25)) << encoder->error();
  RasterSurface surface(c.width, c.height);
  constexpr int kFrames = 5;
  for (int i = 0; i < kFrames; ++i) {
    drawHalves(surface, i);
    ASSERT_TRUE(encoder->addFrame(surface.image())) << encoder->error();
  }
  EXPECT_FALSE(std::filesystem::exists(path));  // only under a temporary name until finished
  ASSERT_TRUE(encoder->finish()) << encoder->error();
  EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(path)));

  const DecodedMovie movie = decodeMovie(path);
  ASSERT_EQ(movie.frames.size(), size_t{kFrames});
  EXPECT_DOUBLE_EQ(movie.framesPerSecond, 25);
  for (int i = 0; i < kFrames; ++i) {
    const QImage& f = movie.frames[static_cast<size_t>(i)];
    ASSERT_EQ(f.size(), QSize(c.codedWidth, c.codedHeight));
    const int y = c.height / 2;
    EXPECT_TRUE(closeColours(f.pixel(c.width / 4, y), toQRgb(leftColour(i)), c.tolerance)) << "frame " << i;
    // The right edge survives, and any padding repeats it.
    for (int x : {3 * c.width / 4, c.width - 1, c.codedWidth - 1})
      EXPECT_TRUE(closeColours(f.pixel(x, y), toQRgb(rightColour(i)), c.tolerance)) << "frame " << i << " x " << x << std::hex << " " << f.pixel(x, y) << " " << toQRgb(rightColour(i));
    EXPECT_TRUE(closeColours(f.pixel(3 * c.width / 4, c.codedHeight - 1), toQRgb(rightColour(i)), c.tolerance));
  }
}

INSTANTIATE_TEST_SUITE_P(Types, MovieEncoderTest,
                         ::testing::Values(MovieCase{MovieType::Mp4, 160, 120, 160, 120, 8},
                                           MovieCase{MovieType::Webm, 160, 120, 160, 120, 8},
                                           MovieCase{MovieType::Gif, 160, 120, 160, 120, 0},
                                           MovieCase{MovieType::Mp4, 161, 121, 162, 122, 8},
                                           MovieCase{MovieType::Webm, 161, 121, 162, 122, 8},
                                           MovieCase{MovieType::Gif, 161, 121, 161, 121, 0}));

// Noise does not compress, so a few frames outgrow a small file-size limit.
void drawNoise(RasterSurface& surface, std::mt19937& random) {
  for (int y = 0; y < surface.height(); y += 2) {
    for (int x = 0; x < surface.width(); x += 2) {
      const IntPoint square[] = {{x, y}, {x + 2, y}, {x + 2, y + 2}, {x, y + 2}};
      const Color c = static_cast<Color>(random() & 0xffffff);
      surface.polygon(square, 4, c, c);
    }
  }
}

class MovieFullDiskTest : public ::testing::TestWithParam<MovieType> {
 protected:
  QTemporaryDir dir;
};

TEST_P(MovieFullDiskTest, LeavesTheOldFileAndNoOther) {
  const MovieType type = GetParam();
  auto encoder = makeFfmpegMovieEncoder(type);
  SKIP_WITHOUT(encoder, type);
  const std::string path = dir.filePath(QString("full") + movieFormat(type).extension).toStdString();
  std::ofstream(path) << "the movie saved before";
  bool written = true;
  {
    FileSizeLimit limit(16 * 1024);
    std::mt19937 random(7);
    RasterSurface surface(160, 120);
    written = encoder->open(path, 160, 120, 25);
    for (int i = 0; written && i < 30; ++i) {
      drawNoise(surface, random);
      written = encoder->addFrame(surface.image());
    }
    written = written && encoder->finish();
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(encoder->error().empty());
  std::string old;
  std::getline(std::ifstream(path), old);
  EXPECT_EQ(old, "the movie saved before");
  EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(path)));
}

INSTANTIATE_TEST_SUITE_P(Types, MovieFullDiskTest, ::testing::Values(MovieType::Mp4, MovieType::Webm, MovieType::Gif));

TEST(MovieEncoder, AnUnfinishedOrMisusedMovieLeavesNoFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("m.gif").toStdString();
  RasterSurface surface(40, 30);
  {
    auto encoder = makeFfmpegMovieEncoder(MovieType::Gif);
    ASSERT_TRUE(encoder);
    ASSERT_TRUE(encoder->open(path, 40, 30, 25));
    EXPECT_TRUE(encoder->addFrame(surface.image()));
  }  // dropped before finish: a stopped run that keeps nothing
  RasterSurface other(40, 31);
  auto encoder = makeFfmpegMovieEncoder(MovieType::Gif);
  ASSERT_TRUE(encoder->open(path, 40, 30, 25));
  EXPECT_FALSE(encoder->addFrame(other.image()));
  EXPECT_FALSE(encoder->finish());
  EXPECT_FALSE(encoder->open(path, 40, 30, 0));
  EXPECT_FALSE(encoder->open(dir.filePath("no/such/folder/m.gif").toStdString(), 40, 30, 25));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(MovieEncoder, TypeFollowsTheExtension) {
  const std::pair<const char*, std::optional<MovieType>> cases[] = {
      {"a.mp4", MovieType::Mp4}, {"/x/B.WebM", MovieType::Webm}, {"c.gif", MovieType::Gif},
      {"d.bmp", std::nullopt},   {"e.mp4/f", std::nullopt},      {"mp4", std::nullopt}};
  for (const auto& [name, type] : cases) EXPECT_EQ(movieTypeOf(name), type) << name;
}

}  // namespace
}  // namespace quill
