#!/usr/bin/env bash
# Sets up, builds and launches Quillaven.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DQUILLAVEN_TESTS=OFF -DQUILLAVEN_BENCH=OFF
exec "$root/build/src/app/quillaven" "$@"
