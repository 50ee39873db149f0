#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite twice: a plain
# build, then one under AddressSanitizer and UndefinedBehaviorSanitizer.
# Set OV_SKIP_SANITIZERS=1 to run only the plain build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/install-deps.sh

export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export OV_REGISTRY_PATH=${OV_REGISTRY_PATH:-$root/build/test-registry.db}
jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  bash tools/with-display.sh ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [ -z "${OV_SKIP_SANITIZERS:-}" ]; then
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DOV_SANITIZE=ON -DOV_BENCH=OFF
fi
