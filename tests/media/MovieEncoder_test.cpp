// Movies written by the FFmpeg encoder, read back with the same libraries.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <random>

#include "gfx/QtColor.h"
#include "gfx/RasterSurface.h"
#include "media/MovieEncoder.h"
#include "media/SafeWrite.h"
#include "support/FileSizeLimit.h"
#include "support/MovieDecode.h"

namespace quill {
namespace {

// Frame i: a left and a right half, each one flat colour that changes with i.
Color leftColour(int i) { return rgb(200, 30 + 40 * i, 40); }
Color rightColour(int i) { return rgb(20, 120, 230 - 30 * i); }

struct MovieCase {
  MovieType type;
  int width, height;
  int codedWidth, codedHeight;  // what a player shows: odd sizes padded for the 4:2:0 codecs
  int tolerance;                // per channel; lossy codecs round through YUV
};

class MovieEncoderTest : public ::testing::TestWithParam<MovieCase> {};

// Every frame at its size with its colours, the right edge kept and any
// padding repeating it; only under a temporary name until finished. A disk
// that fills up fails the movie, leaving the old file and no other.
TEST_P(MovieEncoderTest, WritesEveryFrameAtItsSizeWithItsColoursOrLeavesTheOldFile) {
  const MovieCase c = GetParam();
  auto encoder = makeFfmpegMovieEncoder(c.type);
  if (!encoder) GTEST_SKIP() << "this FFmpeg has no " << movieFormat(c.type).encoder << " encoder";
  QTemporaryDir dir;
  const std::string path = dir.filePath(QString("m") + movieFormat(c.type).extension).toStdString();
  ASSERT_TRUE(encoder->open(path, c.width, c.height, 25)) << encoder->error();
  RasterSurface surface(c.width, c.height);
  for (int i = 0; i < 5; ++i) {
    surface.clear(rightColour(i));
    const IntPoint left[] = {{0, 0}, {c.width / 2, 0}, {c.width / 2, c.height}, {0, c.height}};
    surface.polygon(left, 4, leftColour(i), leftColour(i));
    ASSERT_TRUE(encoder->addFrame(surface.image())) << encoder->error();
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_TRUE(encoder->finish()) << encoder->error();
  EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(path)));
  const DecodedMovie movie = decodeMovie(path);
  ASSERT_EQ(movie.frames.size(), 5u);
  EXPECT_DOUBLE_EQ(movie.framesPerSecond, 25);
  for (int i = 0; i < 5; ++i) {
    const QImage& f = movie.frames[static_cast<size_t>(i)];
    ASSERT_EQ(f.size(), QSize(c.codedWidth, c.codedHeight));
    const int y = c.height / 2;
    EXPECT_TRUE(closeColours(f.pixel(c.width / 4, y), toQRgb(leftColour(i)), c.tolerance)) << "frame " << i;
    for (QPoint p : {QPoint(3 * c.width / 4, y), QPoint(c.width - 1, y), QPoint(c.codedWidth - 1, y),
                     QPoint(3 * c.width / 4, c.codedHeight - 1)})
      EXPECT_TRUE(closeColours(f.pixel(p), toQRgb(rightColour(i)), c.tolerance)) << "frame " << i << " " << p.x();
  }

  std::ofstream(path) << "the movie saved before";
  encoder = makeFfmpegMovieEncoder(c.type);
  bool written = true;
  {
    FileSizeLimit limit(16 * 1024);
    std::mt19937 random(7);  // noise does not compress, so a few frames outgrow the limit
    written = encoder->open(path, c.width, c.height, 25);
    for (int i = 0; written && i < 30; ++i) {
      for (int k = 0; k < 2000; ++k) {
        const int x = static_cast<int>(random() % 160), y = static_cast<int>(random() % 120);
        const IntPoint square[] = {{x, y}, {x + 3, y}, {x + 3, y + 3}, {x, y + 3}};
        surface.polygon(square, 4, static_cast<Color>(random() & 0xffffff), 0);
      }
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

INSTANTIATE_TEST_SUITE_P(Types, MovieEncoderTest,
                         ::testing::Values(MovieCase{MovieType::Mp4, 160, 120, 160, 120, 8},
                                           MovieCase{MovieType::Webm, 160, 120, 160, 120, 8},
                                           MovieCase{MovieType::Gif, 160, 120, 160, 120, 0},
                                           MovieCase{MovieType::Mp4, 161, 121, 162, 122, 8},
                                           MovieCase{MovieType::Webm, 161, 121, 162, 122, 8},
                                           MovieCase{MovieType::Gif, 161, 121, 161, 121, 0}));

// Dropped before finish (a stopped run keeps nothing), fed a frame of another
// size, asked for no rate or a missing folder: no file.
TEST(MovieEncoder, AnUnfinishedOrMisusedMovieLeavesNoFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("m.gif").toStdString();
  RasterSurface surface(40, 30);
  {
    auto encoder = makeFfmpegMovieEncoder(MovieType::Gif);
    ASSERT_TRUE(encoder);
    ASSERT_TRUE(encoder->open(path, 40, 30, 25));
    EXPECT_TRUE(encoder->addFrame(surface.image()));
  }
  RasterSurface other(40, 31);
  auto encoder = makeFfmpegMovieEncoder(MovieType::Gif);
  ASSERT_TRUE(encoder->open(path, 40, 30, 25));
  EXPECT_FALSE(encoder->addFrame(other.image()));
  EXPECT_FALSE(encoder->finish());
  EXPECT_FALSE(encoder->open(path, 40, 30, 0));
  EXPECT_FALSE(encoder->open(dir.filePath("no/such/folder/m.gif").toStdString(), 40, 30, 25));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
  const std::pair<const char*, std::optional<MovieType>> types[] = {
      {"a.mp4", MovieType::Mp4}, {"/x/B.WebM", MovieType::Webm}, {"c.gif", MovieType::Gif},
      {"d.bmp", std::nullopt},   {"e.mp4/f", std::nullopt},      {"mp4", std::nullopt}};
  for (const auto& [name, type] : types) EXPECT_EQ(movieTypeOf(name), type) << name;
}

}  // namespace
}  // namespace quill
