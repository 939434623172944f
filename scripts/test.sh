#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite with GCC, then runs it again in
# an AddressSanitizer + UndefinedBehaviorSanitizer build made with Clang, so
# both compilers build the whole tree on every run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
"$root/scripts/setup.sh"

"$root/scripts/build.sh" "$root/build" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
(cd "$root/build" && ctest --output-on-failure -j "$jobs")
# The Debian package from the same build, and the files it holds.
(cd "$root/build" && rm -f quillaven_*.deb && cpack -G DEB >/dev/null && "$root/scripts/check-deb.sh" quillaven_*.deb)

CC=clang CXX=clang++ "$root/scripts/build.sh" "$root/build-asan" -DQUILLAVEN_SANITIZE=ON -DQUILLAVEN_BENCH=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
# Qt keeps some process-lifetime allocations; leaks are not what this run checks.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-asan" && ctest --output-on-failure -j "$jobs")
