#!/usr/bin/env bash
# Builds everything and runs every test, headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVOS_BUILD_DIR:-$root/build}

"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
