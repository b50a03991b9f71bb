#!/usr/bin/env bash
# Builds the editor with its sample data and starts it. The Open dialog starts in the
# folder that holds the sample image.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVOS_BUILD_DIR:-$root/build}

"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tarvos sample_data
cd "$build/sample"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/tarvos"
fi
exec "$build/tarvos"
