#!/usr/bin/env bash
# Installs what is missing, builds, and runs Gorvane from its build folder.
# Without a display the game plays a scripted run (tools/demo.script) under
# Xvfb, saves its last frame as build/gorvane-last-frame.png and prints the
# status text that frame showed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target Gorvane

cd build
if [ -n "${DISPLAY:-}" ]; then
  exec ./Gorvane "$@"
fi

shot="$root/build/gorvane-last-frame.png"
rm -f "$shot"
status=0
OV_INPUT_SCRIPT=${OV_INPUT_SCRIPT:-$root/tools/demo.script} OV_SAVE_FRAME="$shot" OV_PRINT_STATUS=1 \
  SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} \
  timeout 300 bash "$root/tools/with-display.sh" ./Gorvane "$@" || status=$?
echo "Gorvane exited with status $status"
[ -f "$shot" ] && echo "last frame: $shot"
exit "$status"
