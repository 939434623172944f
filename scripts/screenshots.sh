#!/usr/bin/env bash
# Rebuilds the pictures of the main window, the preview, an exported legend,
# the animation strip and the contact sheet of examples/ in docs/, headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DQUILLAVEN_TESTS=OFF -DQUILLAVEN_BENCH=OFF
mkdir -p "$root/docs"
cd "$root"  # the example files are named relative to the tree
QT_QPA_PLATFORM=offscreen "$root/build/src/app/quillaven-screenshots" "$root/docs"
