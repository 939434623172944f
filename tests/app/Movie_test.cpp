// A saved animation run written as one movie, from the window and headless.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <sstream>

#include "animation/AnimateWindow.h"
#include "animation/SeqStatus.h"
#include "app/HeadlessAnimate.h"
#include "app/QuillavenApp.h"
#include "engine/PatternState.h"
#include "mainwindow/Form1.h"
#include "support/MovieDecode.h"
#include "ui/RecordingMovieEncoder.h"
#include "ui/ScriptedServices.h"

namespace quill {
namespace {

std::string examplePath(const char* name) { return std::string(QUILLAVEN_SOURCE_DIR) + "/examples/" + name; }

QStringList filesIn(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Points well inside a flat area of a picture, where any codec keeps the colour.
std::vector<QPoint> flatPoints(const QImage& image) {
  std::vector<QPoint> points;
  for (int y = 20; y < image.height() - 20; y += 40) {
    for (int x = 20; x < image.width() - 20; x += 40) {
      bool flat = true;
      for (int dy = -12; flat && dy <= 12; dy += 3)
        for (int dx = -12; flat && dx <= 12; dx += 3) flat = image.pixel(x + dx, y + dy) == image.pixel(x, y);
      if (flat) points.emplace_back(x, y);
    }
  }
  return points;
}

class MovieRunTest : public ::testing::TestWithParam<MovieType> {
 protected:
  MovieRunTest() { restart(); }
  void restart() {
    window = nullptr;
    app.reset();
    auto services = std::make_unique<ScriptedServices>();
    scripted = services.get();
    app = std::make_unique<QuillavenApp>(std::move(services));
    app->start();
    app->mainWindow().cmdAnimate_Click();
    window = &app->animator();
    window->findChild<QCheckBox*>("chkFeature0")->click();
  }
  // A saved run of `frames` frames to `name` in the temporary folder.
  void run(const QString& name, int frames) {
    scripted->fileNames = {dir.filePath(name).toStdString()};
    window->findChild<QCheckBox*>("chkSaveImages")->click();
    window->findChild<QLineEdit*>("txtnFrames")->setText(QString::number(frames));
    window->findChild<QPushButton*>("cmdRun")->click();
  }
  std::string movieName() const { return std::string("m") + movieFormat(GetParam()).extension; }

  ScriptedServices* scripted = nullptr;
  std::unique_ptr<QuillavenApp> app;
  AnimateWindow* window = nullptr;
  QTemporaryDir dir;
};

TEST_P(MovieRunTest, HoldsTheFramesThePictureSequenceHolds) {
  if (!makeFfmpegMovieEncoder(GetParam())) GTEST_SKIP() << "this FFmpeg has no " << movieFormat(GetParam()).encoder;
  run("p.bmp", 6);
  restart();
  run(QString::fromStdString(movieName()), 6);
  ASSERT_TRUE(scripted->messages.empty()) << scripted->lastMessage();

  const DecodedMovie movie = decodeMovie(dir.filePath(QString::fromStdString(movieName())).toStdString());
  ASSERT_EQ(movie.frames.size(), 6u);
  const int tolerance = GetParam() == MovieType::Gif ? 0 : 8;
  for (int i = 0; i < 6; ++i) {
    const QImage picture(dir.filePath(QString("p%1.bmp").arg(i + 1, 3, 10, QChar('0'))));
    const QImage& frame = movie.frames[static_cast<size_t>(i)];
    ASSERT_EQ(frame.size(), QSize(1200, 1000));
    const std::vector<QPoint> points = flatPoints(picture);
    ASSERT_GT(points.size(), 20u);
    for (const QPoint& p : points)
      ASSERT_TRUE(closeColours(frame.pixel(p), picture.pixel(p), tolerance)) << "frame " << i << " at " << p.x() << "," << p.y();
  }
}

// Esc mid-run finishes a playable movie of the frames so far; before the
// first frame there is nothing to keep, so there is no file.
TEST_P(MovieRunTest, AStoppedRunKeepsTheFramesSoFarOrNoFile) {
  if (!makeFfmpegMovieEncoder(GetParam())) GTEST_SKIP() << "this FFmpeg has no " << movieFormat(GetParam()).encoder;
  for (const int stopAfter : {3, 0}) {
    scripted->onProcessEvents = [&] {
      if (window->running() && window->seqStatus()->bannerText() == QString("%1 of 12").arg(stopAfter))
        app->state().stopRequested = true;  // Esc after frame `stopAfter`
    };
    if (stopAfter == 0) app->state().stopRequested = true;
    run(QString::fromStdString(movieName()), 12);
    const std::string path = dir.filePath(QString::fromStdString(movieName())).toStdString();
    EXPECT_EQ(decodeMovie(path).frames.size(), size_t(stopAfter)) << stopAfter;
    EXPECT_EQ(filesIn(dir).size(), stopAfter ? 1 : 0) << filesIn(dir).join(" ").toStdString();
    QFile::remove(QString::fromStdString(path));
    EXPECT_FALSE(app->state().sequenceFramePending);
  }
}

INSTANTIATE_TEST_SUITE_P(Types, MovieRunTest, ::testing::Values(MovieType::Mp4, MovieType::Webm, MovieType::Gif),
                         [](const auto& info) { return std::string(movieFormat(info.param).extension + 1); });

class MovieRunDoubleTest : public ::testing::Test {
 protected:
  MovieRunDoubleTest() {
    auto services = std::make_unique<ScriptedServices>();
    scripted = services.get();
    app = std::make_unique<QuillavenApp>(std::move(services));
    app->setMovieEncoderFactory([this](MovieType type) -> std::unique_ptr<MovieEncoder> {
      if (type == missing) return nullptr;
      return std::make_unique<RecordingMovieEncoder>(log);
    });
    app->start();
    app->mainWindow().cmdAnimate_Click();
    window = &app->animator();
  }
  void arm(const std::string& name) {
    scripted->fileNames = {dir.filePath(QString::fromStdString(name)).toStdString()};
    window->findChild<QCheckBox*>("chkSaveImages")->click();
  }

  std::shared_ptr<RecordingMovieEncoder::Log> log = std::make_shared<RecordingMovieEncoder::Log>();
  std::optional<MovieType> missing;
  ScriptedServices* scripted = nullptr;
  std::unique_ptr<QuillavenApp> app;
  AnimateWindow* window = nullptr;
  QTemporaryDir dir;
};

TEST_F(MovieRunDoubleTest, TheRunOpensTheMovieAtTheFrameSizeAndRate) {
  arm("m.webm");
  window->findChild<QLineEdit*>("txtFps")->setText("30");
  window->findChild<QLineEdit*>("txtnFrames")->setText("7");
  window->findChild<QPushButton*>("cmdStep")->click();  // a single step has no movie to go into
  EXPECT_TRUE(filesIn(dir).isEmpty());
  window->findChild<QPushButton*>("cmdRun")->click();
  EXPECT_EQ(log->path, dir.filePath("m.webm").toStdString());
  EXPECT_EQ(log->width, 1200);
  EXPECT_EQ(log->height, 1000);
  EXPECT_EQ(log->framesPerSecond, 30);
  EXPECT_EQ(log->frames, 7);
  EXPECT_TRUE(log->finished);
  EXPECT_TRUE(scripted->messages.empty()) << scripted->lastMessage();
}

TEST_F(MovieRunDoubleTest, AFailedFrameStopsTheRunWithAMessageAndNoMovie) {
  log->failAtFrame = 4;
  arm("m.mp4");
  window->findChild<QLineEdit*>("txtnFrames")->setText("10");
  window->findChild<QPushButton*>("cmdRun")->click();
  EXPECT_EQ(log->frames, 3);
  EXPECT_FALSE(log->finished);
  EXPECT_EQ(scripted->lastMessage(), "can't write " + dir.filePath("m.mp4").toStdString() +
                                         ": no space left on device; the run stops and no movie is left");
  EXPECT_FALSE(window->findChild<QCheckBox*>("chkSaveImages")->isChecked());
}

TEST_F(MovieRunDoubleTest, AMissingEncoderIsNamedWithTheTypesLeft) {
  missing = MovieType::Mp4;
  arm("m.mp4");
  EXPECT_EQ(scripted->lastMessage(), "can't write " + dir.filePath("m.mp4").toStdString() +
                                         ": this computer's FFmpeg libraries have no H.264 encoder (libx264) for .mp4 "
                                         "movies; choose .bmp, .png, .webm, .gif instead");
  EXPECT_FALSE(app->state().sequenceFramePending);
  EXPECT_EQ(scripted->fileDialogs.back().filter,
            "Pictures (*.bmp)|*.bmp|PNG pictures (*.png)|*.png|H.264 movie (*.mp4)|*.mp4|VP9 movie (*.webm)|*.webm|"
            "GIF movie (*.gif)|*.gif");
}

TEST(HeadlessMovie, WritesTheExampleAsOneMovieAtTheRateAsked) {
  if (!makeFfmpegMovieEncoder(MovieType::Mp4)) GTEST_SKIP() << "this FFmpeg has no libx264";
  QTemporaryDir dir;
  const std::string movie = dir.filePath("morph.mp4").toStdString();
  std::ostringstream out, err;
  ASSERT_EQ(runHeadlessAnimation({examplePath("morph.kvt"), "--animate", examplePath("morph.txt"), "-o", movie,
                                  "--frames", "6", "--fps", "10"},
                                 out, err),
            0)
      << err.str();
  const DecodedMovie decoded = decodeMovie(movie);
  EXPECT_EQ(decoded.frames.size(), 6u);
  EXPECT_DOUBLE_EQ(decoded.framesPerSecond, 10);
  EXPECT_EQ(out.str(), "wrote 6 frames: " + movie + "\n");

  std::ostringstream out2, err2;
  EXPECT_EQ(runHeadlessAnimation({examplePath("morph.kvt"), "--animate", examplePath("morph.txt"), "-o",
                                  dir.filePath("x.bmp").toStdString(), "--fps", "10"},
                                 out2, err2),
            2);
}

}  // namespace
}  // namespace quill
