#!/bin/bash
# Download benchmark: the engine's full-size mode against curl on the same stand-in album.
# Usage: scripts/bench.sh [--photos 2000] [--kb 200] [--rounds 1] [--dir /tmp/tarvelin-bench]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELIN_GUI=OFF \
  -DTARVELIN_BENCH=ON >/dev/null
ninja -C build-bench -j "${JOBS:-2}" download_bench tarvelin-cli
exec build-bench/bench/download_bench "$@"
