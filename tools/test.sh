#!/usr/bin/env bash
# Builds everything (64-bit and 32-bit Windows targets, the native kernels)
# and runs every test: the Windows tests under wine64 with Xvfb, the native
# ones directly. Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh

for preset in win64 win32 native; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

display=$(tools/wine-session.sh start build/win64)
trap 'tools/wine-session.sh stop build/win64' EXIT
export DISPLAY=$display

status=0
ctest --preset win64 -j2 || status=$?
ctest --preset native || status=$?
exit $status
