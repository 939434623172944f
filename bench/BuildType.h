#pragma once
#include <cstdio>
#include <string>

// Figures from an unoptimised build say nothing about the program: every
// benchmark says first what it was built as.
inline void printBuildType() {
  std::printf("build type: %s%s\n", QUILLAVEN_BUILD_TYPE,
              std::string(QUILLAVEN_BUILD_TYPE) == "Release" ? "" : "  (NOT Release: figures are not comparable)");
#ifndef NDEBUG
  std::printf("WARNING: assertions are on; this is a debug build\n");
#endif
}
