// A saved animation run written as one movie.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <algorithm>
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

// The animator open with the start value ticked; with a recording encoder in
// place of FFmpeg (none for the type `missing`) unless `realEncoders`.
class MovieRunTest : public AppFixture {
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

class RealMovieRunTest : public MovieRunTest, public ::testing::WithParamInterface<MovieType> {};

// Esc mid-run finishes a playable movie of the frames so far; before the
// first frame there is nothing to keep, so there is no file.
TEST_P(RealMovieRunTest, AStoppedRunKeepsTheFramesSoFarOrNoFile) {
  if (!makeFfmpegMovieEncoder(GetParam())) GTEST_SKIP() << "this FFmpeg has no " << movieFormat(GetParam()).encoder;
  reopen(true);
  const QString name = QString("m") + movieFormat(GetParam()).extension;
  for (const int stopAfter : {3, 0}) {
    const auto esc = QObject::connect(window, &AnimateWindow::frameShown, [&](int frame) {
      if (frame == stopAfter) app->state().stopRequested = true;  // Esc after frame `stopAfter`
    });
    if (stopAfter == 0) app->state().stopRequested = true;
    savedRun(*window, name, 12);
    EXPECT_EQ(decodeMovie(path(name).toStdString()).frames.size(), size_t(stopAfter)) << stopAfter;
    EXPECT_EQ(filesIn(dir).size(), stopAfter ? 1 : 0) << filesIn(dir).join(" ").toStdString();
    QFile::remove(path(name));
    EXPECT_FALSE(app->animator().armedFrame());
    QObject::disconnect(esc);
  }
}

INSTANTIATE_TEST_SUITE_P(Types, RealMovieRunTest, ::testing::Values(MovieType::Mp4, MovieType::Webm, MovieType::Gif),
                         [](const auto& info) { return std::string(movieFormat(info.param).extension + 1); });

// The movie is opened at the frame size and rate, and gets the pictures a
// saved sequence of the same run holds.
TEST_F(MovieRunTest, TheRunHandsTheEncoderThePicturesOfTheSequence) {
  reopen();
  savedRun(*window, "p.bmp", 3);
  restart();
  reopen();
  type(window, "txtFps", "30");
  savedRun(*window, "m.webm", 3);
  EXPECT_EQ(std::tuple(log->path, log->width, log->height, log->framesPerSecond, log->frames, log->finished),
            std::tuple(path("m.webm").toStdString(), 1200, 1000, 30, 3, true));
  EXPECT_EQ(toQRgb(log->lastCentre), QImage(path("p003.bmp")).pixel(600, 500));
  EXPECT_NE(toQRgb(log->lastCentre), QImage(path("p002.bmp")).pixel(600, 500));
}

TEST_F(MovieRunTest, AFailedFrameOrAMissingEncoderStopsTheRunWithAMessageAndNoMovie) {
  reopen();
  log->failAtFrame = 4;
  savedRun(*window, "m.mp4", 10);
  EXPECT_EQ(std::pair(log->frames, log->finished), std::pair(3, false));
  EXPECT_EQ(scripted->lastMessage(), "can't write " + path("m.mp4").toStdString() +
                                         ": no space left on device; the run stops and no movie is left");
  EXPECT_FALSE(in<QCheckBox>(window, "chkSaveImages")->isChecked());

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

// A one-frame GIF of the start-up hexagon divided five times against the same
// frame as a bitmap: exact while it has at most 256 colours; with blending on
// (about 14,000 colours) close everywhere and on average.
TEST(HeadlessMovie, GifFramesKeepTheirColours) {
  QTemporaryDir dir;
  const auto file = [&](const char* name) { return dir.filePath(name).toStdString(); };
  std::ofstream(file("one.txt")) << "txtnFrames = 1\n";
  for (const bool blend : {false, true}) {
    KeyFrame frame = startupFrame();
    frame.levels = 5, frame.numberBase = 7, frame.fractionsLimit = 5, frame.fractions = 3;
    frame.blendOn = toBool16(blend);
    writeStateFile(file("f.kvt"), {startupFrame(), frame});
    for (const char* out : {"f.bmp", "f.gif"})
      ASSERT_EQ(animate({file("f.kvt"), "--animate", file("one.txt"), "-o", file(out)}).status, 0);
    const QImage picture = QImage(dir.filePath("f001.bmp")).convertToFormat(QImage::Format_RGB32);
    const DecodedMovie movie = decodeMovie(file("f.gif"));
    ASSERT_EQ(movie.frames.size(), 1u);
    ASSERT_EQ(movie.frames[0].size(), picture.size());
    std::set<QRgb> colours;
    int worst = 0;
    double total = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb a = picture.pixel(x, y), b = movie.frames[0].pixel(x, y);
        colours.insert(a);
        for (const int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)})
          worst = std::max(worst, std::abs(d)), total += std::abs(d);
      }
    }
    const double mean = total / (3.0 * picture.width() * picture.height());
    EXPECT_TRUE(blend ? colours.size() > 5000u : colours.size() <= 256u) << colours.size();
    EXPECT_LE(worst, blend ? 48 : 0);
    EXPECT_LE(mean, 2.6);
  }
}

}  // namespace
}  // namespace quill
