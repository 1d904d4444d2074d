#!/bin/bash
# Makes the benchmark's demo folders from the Linux side (creating thousands of files through Wine is slow),
# then runs halvard_bench under Wine. Usage: bench/run.sh [build folder] [demos] [runs]
set -euo pipefail
build=$(cd "${1:-build/x86_64}" && pwd)
demos=${2:-4999}
runs=${3:-5}
exe=$build/bench/halvard_bench.exe
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# make_folder <folder> [players]: a folder of the demo names for that many players.
make_folder() {
  wine "$exe" names "$demos" ${2:-} | tr -d '\r' > "$work/names.txt"
  mkdir "$work/$1"
  (cd "$work/$1" && xargs -d '\n' touch -- < ../names.txt)
}
make_folder demos
make_folder players-50 50
make_folder players-all "$demos"
for r in $(seq 1 "$runs"); do
  cp -a "$work/demos" "$work/prune-$r"
  cp -a "$work/demos" "$work/loop-$r"
  cp -a "$work/demos" "$work/safe-$r"
done
wine "$exe" run "Z:${work//\//\\}" "$runs"
