#!/usr/bin/env bash
# Runs every fuzz target of a TARVOS_FUZZ build for a bounded time, as many at once as
# there are cores, each on a scratch copy of its committed corpus (tests/fuzz/corpus/), so
# the run never changes the tree. A target that crashes or breaks a rule fails the run;
# its input is kept under BUILD/fuzz-findings/ to be added to the corpus with the fix.
#
#   tools/fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: tools/fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]}" && pwd)
seconds=${2:-60}
jobs=$(nproc)

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$build/fuzz-findings
rm -rf "$findings"

run_target() {
  local name=$1
  local corpus=$work/$name/corpus
  mkdir -p "$corpus" "$work/$name/artifacts"
  cp -r "$root/tests/fuzz/corpus/$name/." "$corpus/"
  # The corpus folder is also the working folder, so the target's scratch files stay in
  # the scratch area.
  if (cd "$work/$name" && "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" \
        -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/$name/artifacts/" corpus >"$work/$name/log" 2>&1); then
    echo "fuzz $name: $(grep -E '^stat::number_of_executed_units' "$work/$name/log" | awk '{print $2}') runs, no finding"
  else
    echo "fuzz $name: FINDING"
    tail -n 60 "$work/$name/log"
    mkdir -p "$findings/$name"
    cp "$work/$name/artifacts/"* "$findings/$name/" 2>/dev/null || true
    echo "The input is in $findings/$name/: add it to tests/fuzz/corpus/$name/ with the fix."
    return 1
  fi
}

targets=()
for folder in "$root"/tests/fuzz/corpus/*/; do
  targets+=("$(basename "$folder")")
done

failed=0
running=0
for name in "${targets[@]}"; do
  if ((running >= jobs)); then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_target "$name" &
  running=$((running + 1))
done
while ((running > 0)); do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
