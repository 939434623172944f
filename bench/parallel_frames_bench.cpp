// An animation drawn by quillaven-render on one worker and on two: 200 frames
// of the start-up hexagon divided five times, blended, its palette flowing,
// as PNG pictures at "large" (2400 x 2000). Each row is the real program run
// as a child process; its wall time and peak memory are the child's own.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "BuildType.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/FrameCapture.h"
#include "engine/KeyFrameCodec.h"
#include "engine/KeyFrameHistory.h"
#include "engine/PatternState.h"

extern char** environ;

namespace quill {
namespace {

constexpr int kFrames = 200;

struct Run {
  double seconds = -1;
  long peakKiB = 0;
};

std::map<int, Run>& results() {
  static std::map<int, Run> r;
  return r;
}

// The state file and description the rows animate, written once.
const QTemporaryDir& inputs() {
  static QTemporaryDir dir;
  static bool written = false;
  if (written) return dir;
  PatternState state;
  loadStartupDefaults(state);
  KeyFrame frame = state.curFrame;
  frame.levels = 5;
  frame.fractionsLimit = 10;
  frame.blendOn = kTrue16;
  KeyFrameHistory history;
  history.start(state.curFrame);
  history.capture(frame, "");
  const std::vector<uint8_t> bytes = encodeStateFile(history.recordsForSave());
  std::ofstream(dir.filePath("hexagon.kvt").toStdString(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::ofstream(dir.filePath("run.txt").toStdString())
      << "check 1\ntxtnSteps1 = 50\nhscRes = 2\ntxtnFrames = " << kFrames << "\n";
  written = true;
  return dir;
}

Run runProgram(int workers) {
  const QTemporaryDir& in = inputs();
  QTemporaryDir out;
  std::vector<std::string> args{QUILLAVEN_RENDER_PROGRAM, in.filePath("hexagon.kvt").toStdString(),
                                "--animate", in.filePath("run.txt").toStdString(),
                                "-o", out.filePath("f.png").toStdString(),
                                "-j", std::to_string(workers)};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  QElapsedTimer clock;
  clock.start();
  pid_t child = 0;
  Run run;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
      run.seconds = clock.nsecsElapsed() / 1e9;
      run.peakKiB = usage.ru_maxrss;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

void BM_Workers(benchmark::State& state) {
  const int workers = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const Run run = runProgram(workers);
    if (run.seconds < 0) {
      state.SkipWithError("quillaven-render failed");
      return;
    }
    state.SetIterationTime(run.seconds);
    results()[workers] = run;
  }
  state.counters["frames/s"] = kFrames / results()[workers].seconds;
  state.counters["peak MiB"] = static_cast<double>(results()[workers].peakKiB) / 1024;
}
BENCHMARK(BM_Workers)->Arg(1)->Arg(2)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace quill

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  printBuildType();
  benchmark::RunSpecifiedBenchmarks();
  const auto& r = quill::results();
  if (r.count(1) && r.count(2)) {
    std::printf("\n%d frames, 2400 x 2000 PNG   time     frames/s   peak memory\n", quill::kFrames);
    for (const auto& [workers, run] : r)
      std::printf("-j %d                         %6.1f s   %6.1f     %5.0f MiB\n", workers, run.seconds,
                  quill::kFrames / run.seconds, static_cast<double>(run.peakKiB) / 1024);
    std::printf("-j 2 is %.2fx -j 1 (goal: at least 1.7x on two cores)\n", r.at(1).seconds / r.at(2).seconds);
  }
  benchmark::Shutdown();
  return 0;
}
