// A saved animation run written as one movie, from the window and headless.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <set>
#include <tuple>

#include "app/AppFixture.h"
#include "gfx/QtColor.h"
#include "support/MovieDecode.h"
#include "support/RecordingMovieEncoder.h"

namespace quill {
namespace {

QStringList filesIn(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The animator open with the start value ticked; with a recording encoder
// in place of FFmpeg, or none for the type `missing`, unless `realEncoders`.
class MovieRunFixture : public AppFixture {
 protected:
  void reopen(bool realEncoders = false) {
    if (!realEncoders) {
      app->setMovieEncoderFactory([this](MovieType type) -> std::unique_ptr<MovieEncoder> {
        if (type == missing) return nullptr;
        return std::make_unique<RecordingMovieEncoder>(log);
      });
    }
    window = &openAnimator();
    in<QCheckBox>(window, "chkFeature0")->click();
  }

  std::shared_ptr<RecordingMovieEncoder::Log> log = std::make_shared<RecordingMovieEncoder::Log>();
  std::optional<MovieType> missing;
  AnimateWindow* window = nullptr;
};

class MovieRunTest : public MovieRunFixture, public ::testing::WithParamInterface<MovieType> {
 protected:
  MovieRunTest() { reopen(true); }
  QString movieName() const { return QString("m") + movieFormat(GetParam()).extension; }
};

// Esc mid-run finishes a playable movie of the frames so far; before the
// first frame there is nothing to keep, so there is no file.
TEST_P(MovieRunTest, AStoppedRunKeepsTheFramesSoFarOrNoFile) {
  if (!makeFfmpegMovieEncoder(GetParam())) GTEST_SKIP() << "this FFmpeg has no " << movieFormat(GetParam()).encoder;
  for (const int stopAfter : {3, 0}) {
    const auto esc = QObject::connect(window, &AnimateWindow::frameShown, [&](int frame) {
      if (frame == stopAfter) app->state().stopRequested = true;  // Esc after frame `stopAfter`
    });
    if (stopAfter == 0) app->state().stopRequested = true;
    savedRun(*window, movieName(), 12);
    EXPECT_EQ(decodeMovie(path(movieName()).toStdString()).frames.size(), size_t(stopAfter)) << stopAfter;
    EXPECT_EQ(filesIn(dir).size(), stopAfter ? 1 : 0) << filesIn(dir).join(" ").toStdString();
    QFile::remove(path(movieName()));
    EXPECT_FALSE(app->animator().armedFrame());
    QObject::disconnect(esc);
  }
}

INSTANTIATE_TEST_SUITE_P(Types, MovieRunTest, ::testing::Values(MovieType::Mp4, MovieType::Webm, MovieType::Gif),
                         [](const auto& info) { return std::string(movieFormat(info.param).extension + 1); });

class MovieRunDoubleTest : public MovieRunFixture {
 protected:
  MovieRunDoubleTest() { reopen(); }
};

TEST_F(MovieRunDoubleTest, TheRunOpensTheMovieAtTheFrameSizeAndRate) {
  saveRunAs(*window, "m.webm");
  type(window, "txtFps", "30");
  type(window, "txtnFrames", "7");
  in<QAbstractButton>(window, "cmdStep")->click();  // a single step has no movie to go into
  EXPECT_TRUE(filesIn(dir).isEmpty());
  runToEnd(*window);
  EXPECT_EQ(log->path, path("m.webm").toStdString());
  // width, height, frames per second, frames, finished
  EXPECT_EQ(std::tuple(log->width, log->height, log->framesPerSecond, log->frames, log->finished),
            std::tuple(1200, 1000, 30, 7, true));
  EXPECT_TRUE(scripted->messages.empty()) << scripted->lastMessage();
}

// What each codec keeps of a frame is pinned with the encoder; here, that the
// run hands it the pictures a saved sequence holds.
TEST_F(MovieRunDoubleTest, TheMovieGetsThePicturesOfTheSequence) {
  savedRun(*window, "p.bmp", 3);
  restart();
  reopen();
  savedRun(*window, "m.webm", 3);
  EXPECT_EQ(log->frames, 3);
  EXPECT_EQ(toQRgb(log->lastCentre), QImage(path("p003.bmp")).pixel(600, 500));
  EXPECT_NE(toQRgb(log->lastCentre), QImage(path("p002.bmp")).pixel(600, 500));
}

TEST_F(MovieRunDoubleTest, AFailedFrameStopsTheRunWithAMessageAndNoMovie) {
  log->failAtFrame = 4;
  savedRun(*window, "m.mp4", 10);
  EXPECT_EQ(log->frames, 3);
  EXPECT_FALSE(log->finished);
  EXPECT_EQ(scripted->lastMessage(), "can't write " + path("m.mp4").toStdString() +
                                         ": no space left on device; the run stops and no movie is left");
  EXPECT_FALSE(in<QCheckBox>(window, "chkSaveImages")->isChecked());
}

TEST_F(MovieRunDoubleTest, AMissingEncoderIsNamedWithTheTypesLeft) {
  missing = MovieType::Mp4;
  saveRunAs(*window, "m.mp4");
  EXPECT_EQ(scripted->lastMessage(), "can't write " + path("m.mp4").toStdString() +
                                         ": this computer's FFmpeg libraries have no H.264 encoder (libx264) for .mp4 "
                                         "movies; choose .bmp, .png, .webm, .gif instead");
  EXPECT_FALSE(app->animator().armedFrame());
  EXPECT_EQ(scripted->fileDialogs.back().filter,
            "Pictures (*.bmp)|*.bmp|PNG pictures (*.png)|*.png|H.264 movie (*.mp4)|*.mp4|VP9 movie (*.webm)|*.webm|"
            "GIF movie (*.gif)|*.gif");
}

TEST(HeadlessMovie, WritesTheExampleAsOneMovieAtTheRateAsked) {
  if (!makeFfmpegMovieEncoder(MovieType::Mp4)) GTEST_SKIP() << "this FFmpeg has no libx264";
  QTemporaryDir dir;
  const std::string movie = dir.filePath("morph.mp4").toStdString();
  const Outcome run = animateMorph(movie, {"--frames", "6", "--fps", "10"});
  ASSERT_EQ(run.status, 0) << run.err;
  const DecodedMovie decoded = decodeMovie(movie);
  EXPECT_EQ(decoded.frames.size(), 6u);
  EXPECT_DOUBLE_EQ(decoded.framesPerSecond, 10);
  EXPECT_EQ(run.out, "wrote 6 frames: " + movie + "\n");

  // The program itself is not linked to FFmpeg (this test is): it opens the
  // libraries on its own when a movie is asked for.
  const QString gif = dir.filePath("morph.gif");
  const Outcome program = renderProgram({QString::fromStdString(examplePath("morph.kvt")), "--animate",
                                     QString::fromStdString(examplePath("morph.txt")), "-o", gif, "--frames", "3"});
  EXPECT_EQ(program.status, 0) << program.err;
  EXPECT_EQ(decodeMovie(gif.toStdString()).frames.size(), 3u);
  const Outcome pictures = animateMorph(dir.filePath("x.bmp").toStdString(), {"--fps", "10"});
  EXPECT_EQ(pictures.status, 2);
  EXPECT_NE(pictures.err.find("--fps is for movies"), std::string::npos) << pictures.err;
}

// A one-frame GIF of the start-up hexagon divided five times against the same
// frame as a bitmap: exact while it has at most 256 colours; with blending on
// (about 14,000 colours) close everywhere and on average.
TEST(HeadlessMovie, GifFramesKeepTheirColours) {
  if (!makeFfmpegMovieEncoder(MovieType::Gif)) GTEST_SKIP() << "this FFmpeg has no gif encoder";
  QTemporaryDir dir;
  const auto file = [&](const char* name) { return dir.filePath(name).toStdString(); };
  std::ofstream(file("one.txt")) << "txtnFrames = 1\n";
  for (const bool blend : {false, true}) {
    KeyFrame frame = startupFrame();
    frame.levels = 5, frame.numberBase = 7, frame.fractionsLimit = 5, frame.fractions = 3;
    frame.blendOn = toBool16(blend);
    writeStateFile(file("f.kvt"), {startupFrame(), frame});
    for (const char* out : {"f.bmp", "f.gif"}) {
      const Outcome run = animate({file("f.kvt"), "--animate", file("one.txt"), "-o", file(out)});
      ASSERT_EQ(run.status, 0) << run.err;
    }
    const QImage picture = QImage(dir.filePath("f001.bmp")).convertToFormat(QImage::Format_RGB32);
    const DecodedMovie movie = decodeMovie(file("f.gif"));
    ASSERT_EQ(movie.frames.size(), 1u);
    const QImage& gif = movie.frames[0];
    ASSERT_EQ(gif.size(), picture.size());
    std::set<QRgb> colours;
    int worst = 0;
    double total = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb a = picture.pixel(x, y), b = gif.pixel(x, y);
        colours.insert(a);
        for (const int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)})
          worst = std::max(worst, std::abs(d)), total += std::abs(d);
      }
    }
    const double mean = total / (3.0 * picture.width() * picture.height());
    std::cout << colours.size() << " colours: mean error " << mean << ", worst " << worst << "\n";
    if (!blend) {
      ASSERT_LE(colours.size(), 256u);
      EXPECT_EQ(worst, 0);
    } else {
      ASSERT_GT(colours.size(), 5000u);
      EXPECT_LE(worst, 48);
      EXPECT_LE(mean, 2.6);
    }
  }
}

}  // namespace
}  // namespace quill
