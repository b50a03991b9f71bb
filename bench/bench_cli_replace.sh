#!/usr/bin/env bash
# tarvos-cli replace --dry-run with 256 rules (every code to the next) on a 4 MiB image: the
# sample image padded to 4 MiB, its chapters where they were. Prints the best of several
# whole-process runs in ms. Figures, not pass/fail.
#   bench/bench_cli_replace.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
rounds=${2:-9}
cli=$build/tarvos-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/sample/sample.nes" "$work/image.nes"
truncate -s 4M "$work/image.nes"
for ((code = 0; code < 256; ++code)); do
  printf '%02X %02X\n' "$code" $(((code + 1) % 256))
done >"$work/rules.txt"

now() { date +%s%N; }
best=
for ((round = 1; round <= rounds; ++round)); do
  start=$(now)
  "$cli" replace "$work/image.nes" --rules "$work/rules.txt" --dry-run >/dev/null
  took=$(($(now) - start))
  if [[ -z $best || $took -lt $best ]]; then best=$took; fi
done
echo "tarvos-cli replace --dry-run, 256 rules, 4 MiB image: $((best / 1000)) us (best of $rounds)"
