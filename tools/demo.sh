#!/usr/bin/env bash
# The main job: builds the library and its siblings for both Windows
# targets, then runs the demo form under Wine (in Xvfb when there is no
# display) and writes what it shows to build/win64/demo-output/.
# Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

build=$root/build/win64
out=$build/demo-output
mkdir -p "$out"
rm -f "$out"/*.png

display=$(tools/wine-session.sh start "$build")
trap 'tools/wine-session.sh stop "$build"' EXIT
export DISPLAY=$display

# Wine sees the machine's root as drive Z:.
status=0
tools/wine-run.sh "$build/wineprefix" "$build/bin/pickwell_demo.exe" \
    --out "Z:${out//\//\\}" || status=$?
if [ "$status" -ne 0 ]; then
    echo "demo: pickwell_demo failed (exit $status)" >&2
    exit "$status"
fi
ls -l "$out"
