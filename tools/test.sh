#!/usr/bin/env bash
# Builds everything and runs every test, headless, ending with the suite's summary.
#
#   tools/test.sh               the ordinary build and suite (a few minutes from a clean clone)
#   tools/test.sh --hardening   the same, then the whole suite again under AddressSanitizer and
#                               UndefinedBehaviorSanitizer (clang) and every fuzz target of that
#                               build for TARVOS_FUZZ_SECONDS each (20 by default)
#   tools/test.sh --all         --hardening, then the Windows build and its suite under Wine
#                               (tools/windows.sh --test); CI runs this
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVOS_BUILD_DIR:-$root/build}
sanitized=${TARVOS_ASAN_BUILD_DIR:-$root/build-asan}

hardening=0
windows=0
case "${1:-}" in
  "") ;;
  --hardening) hardening=1 ;;
  --all) hardening=1 windows=1 ;;
  *) echo "usage: tools/test.sh [--hardening | --all]" >&2; exit 2 ;;
esac

if ((windows)); then
  "$root/tools/setup.sh" --windows
  # Qt for Windows, built from source the first time, takes longest and needs nothing of the
  # Linux builds: it is made meanwhile, at the lowest priority, so that it takes only what
  # the Linux builds, suites and fuzzers leave of the processors.
  # It runs in a session of its own, so that a failure here stops it with all it started.
  # The kernel shares the processors between sessions before it looks at priorities within
  # one, so the new session's share is lowered too.
  windows_log=$(mktemp)
  setsid bash -c 'echo 19 >/proc/self/autogroup 2>/dev/null; exec nice -n 19 "$0" --prepare' \
    "$root/tools/windows.sh" >"$windows_log" 2>&1 &
  windows_prepare=$!
  trap 'kill -- -"$windows_prepare" 2>/dev/null || true; rm -f "$windows_log"' EXIT
else
  "$root/tools/setup.sh"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen

if ((hardening)); then
  # Qt's own libraries are not instrumented. Leaks inside the font libraries Qt loads are
  # suppressed by name; ours are not.
  (
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
    # One instrumented build serves both: the fuzz targets need the sanitizers anyway, and
    # the coverage counters are only in the code they reach.
    cmake -S "$root" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER=clang++-14 -DTARVOS_SANITIZE=ON -DTARVOS_FUZZ=ON \
      -DTARVOS_BUILD_BENCH=OFF >/dev/null
    cmake --build "$sanitized"
    ctest --test-dir "$sanitized" --output-on-failure -j "$(nproc)"
    "$root/tools/fuzz.sh" "$sanitized" "${TARVOS_FUZZ_SECONDS:-20}"
  )
fi

# The ordinary suite runs last of the Linux ones, so that their part ends with its summary.
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

if ((windows)); then
  if ! wait "$windows_prepare"; then
    cat "$windows_log"
    echo "Preparing the Windows build failed (its output is above)." >&2
    exit 1
  fi
  "$root/tools/windows.sh" --test
fi
