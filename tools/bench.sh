#!/usr/bin/env bash
# Builds and runs the effects kernels' benchmark beside OpenCV (Debian's
# libopencv-dev, installed when missing), in its own optimised native tree
# build/bench. One line per case; the figures are medians of repeated runs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh libopencv-dev

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DPICKWELL_TESTS=OFF -DPICKWELL_BENCHMARKS=ON >/dev/null
cmake --build build/bench --target pkw_fx_bench
build/bench/siblings/fx/bench/pkw_fx_bench
