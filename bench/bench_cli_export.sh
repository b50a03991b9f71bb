#!/usr/bin/env bash
# All 25 chapters of an image to PNG: tarvos-cli in one run against the Tiled map editor's
# tmxrasterizer rendering the same 25 TMX exports, one run per map. Prints the best of
# several rounds for each and their ratio. Figures, not pass/fail.
#   bench/bench_cli_export.sh [BUILD_DIR] [IMAGE] [TILE_FOLDER] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
image=${2:-$build/sample/sample.nes}
tiles=${3:-$build/MAP}
rounds=${4:-5}
cli=$build/tarvos-cli

rasterizer=$(command -v tmxrasterizer || true)
if [[ -z $rasterizer ]]; then
  echo "tmxrasterizer not found: install the Debian package tiled (tools/setup.sh does)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime

"$cli" export --tiles "$tiles" --all --format tmx "$image" "$work/tmx" >/dev/null

now() { date +%s%N; }
best_ours=
best_theirs=
for ((round = 1; round <= rounds; ++round)); do
  rm -rf "$work/ours" "$work/theirs"
  mkdir "$work/theirs"

  start=$(now)
  "$cli" export --tiles "$tiles" --all --format png "$image" "$work/ours" >/dev/null
  ours=$(($(now) - start))

  start=$(now)
  for map in "$work"/tmx/*.tmx; do
    timeout 60 "$rasterizer" --no-smoothing "$map" "$work/theirs/$(basename "$map" .tmx).png"
  done
  theirs=$(($(now) - start))

  [[ -z $best_ours || $ours -lt $best_ours ]] && best_ours=$ours
  [[ -z $best_theirs || $theirs -lt $best_theirs ]] && best_theirs=$theirs
done

awk -v ours="$best_ours" -v theirs="$best_theirs" -v rounds="$rounds" 'BEGIN {
  printf "25 chapters to PNG, best of %d rounds\n", rounds
  printf "  tarvos-cli export --all (one run):  %8.1f ms\n", ours / 1e6
  printf "  tmxrasterizer (25 runs):            %8.1f ms\n", theirs / 1e6
  printf "  ratio tmxrasterizer / tarvos-cli:   %8.1f\n", theirs / ours
}'
