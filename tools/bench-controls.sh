#!/usr/bin/env bash
# Builds the win64 tree and runs the controls' benchmark (bench/) under Wine,
# in Xvfb when there is no display. Not a test: the figures are medians
# of one run on this machine, printed side by side with Windows' own
# controls. Extra arguments go to the program (--rounds N).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target pickwell_bench

build=$root/build/win64
display=$(tools/wine-session.sh start "$build")
trap 'tools/wine-session.sh stop "$build"' EXIT
DISPLAY=$display tools/wine-run.sh "$build/wineprefix" "$build/bin/pickwell_bench.exe" "$@"
