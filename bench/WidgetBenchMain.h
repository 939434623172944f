#pragma once
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "BuildType.h"

// The main() of a benchmark of windows: an offscreen application unless a
// platform is named, the build type, the target, then the runs.
inline int runWidgetBenchmarks(int argc, char** argv, const char* target) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  printBuildType();
  std::printf("%s\n", target);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
