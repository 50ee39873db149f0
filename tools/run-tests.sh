#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs the whole suite twice: a plain
# build, then one under AddressSanitizer and UndefinedBehaviorSanitizer.
# The plain build also builds the reference (docs target) with every Doxygen
# warning an error. Set OV_SKIP_SANITIZERS=1 to run only the plain build.
#
# Compiles go through ccache. Its cache is $CCACHE_DIR when set, else
# .cache/ccache in the checkout: a CI that keeps that folder between runs
# rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/install-deps.sh

# Every C++ file as .clang-format says, before anything is built.
bash tools/check-format.sh

export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export OV_REGISTRY_PATH=${OV_REGISTRY_PATH:-$root/build/test-registry.db}
export CCACHE_DIR=${CCACHE_DIR:-$root/.cache/ccache}
jobs=$(nproc)
launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

run_suite() {
  local dir=$1; shift
  local started=$SECONDS
  cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  # The reference, where the tree has it (Doxygen found, OV_DOCS on).
  # (grep reads the whole list: quitting early would fail the pipe under pipefail)
  if cmake --build "$dir" --target help | grep '^docs:' >/dev/null; then cmake --build "$dir" --target docs; fi
  bash tools/with-display.sh ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  echo "$dir: built and tested in $((SECONDS - started)) s"
}

# The plain tree also builds the reference: an undocumented public
# declaration or a broken reference fails the run.
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_DOCS_STRICT=ON

if [ -z "${OV_SKIP_SANITIZERS:-}" ]; then
  # intercept_tls_get_addr=0: the runtime's record of dynamically loaded
  # thread-local blocks goes wrong in programs that load the GL driver, and
  # the leak check at exit then crashes ("Tracer caught signal 11") instead
  # of reporting; the heap, stacks and static thread-local storage are still
  # scanned.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  # The sanitizer tree checks the framework, not the peers: no benchmarks.
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DOV_SANITIZE=ON -DOV_BENCH=OFF -DOV_DOCS=OFF
fi
