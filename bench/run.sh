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
wine "$exe" names "$demos" | tr -d '\r' > "$work/names.txt"
mkdir "$work/demos"
(cd "$work/demos" && xargs -d '\n' touch -- < ../names.txt)
for r in $(seq 1 "$runs"); do
  cp -a "$work/demos" "$work/prune-$r"
  cp -a "$work/demos" "$work/loop-$r"
done
wine "$exe" run "Z:${work//\//\\}" "$runs"
