// Frames per second of a saved animation run: the drawing alone, then the
// drawing written as numbered bitmaps and as each movie type. Each row is the
// real run of the animation window (its "run" with "save images"), 200 frames
// of the start-up hexagon at 1200 x 1000 with the window's default features
// and its first feature (the start value) checked, so every frame differs.
#include <benchmark/benchmark.h>

#include "BuildType.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "animation/AnimateWindow.h"
#include "app/QuillavenApp.h"
#include "engine/PatternState.h"
#include "mainwindow/MainWindow.h"
#include "support/RecordingMovieEncoder.h"
#include "support/ScriptedServices.h"

namespace quill {
namespace {

constexpr int kFrames = 200;

struct Target {
  const char* name;
  const char* file;  // the name chosen in the dialog
  double framesPerSecond;  // the goal; 0: none
};

// "draw only" writes into an encoder that keeps nothing.
constexpr Target kTargets[] = {{"draw only", "a.mp4", 60}, {"bmp sequence", "a.bmp", 0},
                               {"mp4", "a.mp4", 25},       {"webm", "a.webm", 0},
                               {"gif", "a.gif", 0}};

std::map<std::string, double>& results() {
  static std::map<std::string, double> r;
  return r;
}

// Seconds for one saved run of kFrames frames; negative when it failed.
double timeRun(const Target& target) {
  QTemporaryDir dir;
  auto owned = std::make_unique<ScriptedServices>();
  ScriptedServices& services = *owned;
  QuillavenApp app(std::move(owned));
  if (std::string(target.name) == "draw only") {
    auto log = std::make_shared<RecordingMovieEncoder::Log>();
    app.setMovieEncoderFactory([log](MovieType) { return std::make_unique<RecordingMovieEncoder>(log); });
  }
  app.start();
  app.mainWindow().showAnimation();
  AnimateWindow& window = app.animator();
  window.findChild<QCheckBox*>("chkFeature0")->click();
  services.fileNames = {dir.filePath(target.file).toStdString()};
  window.findChild<QCheckBox*>("chkSaveImages")->click();
  window.findChild<QLineEdit*>("txtnFrames")->setText(QString::number(kFrames));
  QElapsedTimer clock;
  clock.start();
  window.runAnimation();
  while (window.running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double seconds = clock.nsecsElapsed() / 1e9;
  if (!services.messages.empty()) {
    std::fprintf(stderr, "%s: %s\n", target.name, services.lastMessage().c_str());
    return -1;
  }
  return seconds;
}

void BM_SavedRun(benchmark::State& state, const Target& target) {
  for (auto _ : state) {
    const double seconds = timeRun(target);
    if (seconds < 0) {
      state.SkipWithError("the run failed");
      return;
    }
    state.SetIterationTime(seconds);
    state.counters["frames/s"] = kFrames / seconds;
    results()[target.name] = kFrames / seconds;
  }
}

void registerRuns() {
  for (const Target& t : kTargets) {
    benchmark::RegisterBenchmark((std::string("SavedRun/") + t.name).c_str(), BM_SavedRun, t)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
}

void printSummary() {
  std::printf("\n%-14s %10s %10s  %s\n", "run", "frames/s", "vs bmp", "target");
  const double bmp = results().count("bmp sequence") ? results()["bmp sequence"] : 0;
  for (const Target& t : kTargets) {
    if (!results().count(t.name)) continue;
    const double fps = results()[t.name];
    std::printf("%-14s %10.1f %9.2fx  ", t.name, fps, bmp > 0 ? fps / bmp : 0.0);
    if (t.framesPerSecond > 0)
      std::printf("%s %.0f frames/s\n", fps >= t.framesPerSecond ? "met: at least" : "MISSED: at least", t.framesPerSecond);
    else
      std::printf("-\n");
  }
}

}  // namespace
}  // namespace quill

int main(int argc, char** argv) {
  printBuildType();
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  quill::registerRuns();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  quill::printSummary();
  return 0;
}
