#!/usr/bin/env bash
# Rebuilds the asset generator and regenerates game/Data from it.
# The build folder defaults to build-assets; pass another as the first argument.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-assets}
cmake -S "$root" -B "$build" -G Ninja -DOV_TESTS=OFF -DOV_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target ov_make_assets
"$build/ov_make_assets" "$root/game/Data"
