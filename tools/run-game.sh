#!/usr/bin/env bash
# Installs what is missing, builds, and runs Gorvane from its build folder.
# Without a display the game runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

cd build
if [ -z "${DISPLAY:-}" ]; then
  bash ../tools/with-display.sh ./Gorvane "$@"
else
  ./Gorvane "$@"
fi
