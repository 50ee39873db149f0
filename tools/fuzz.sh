#!/usr/bin/env bash
# Fuzzing the readers of outside data (every fuzz/*.cpp is one target).
#
#   tools/fuzz.sh build                      builds the libFuzzer binaries in build-fuzz/ (clang)
#   tools/fuzz.sh run [seconds] [target...]  fuzzes each target for that long (default 60) in
#                                            turn, one process at a time, then merges what it
#                                            found into fuzz/corpus/<target>/, minimised
#   tools/fuzz.sh replay [target...]         runs each target once over its corpus, no fuzzing
#
# Corpora stay small: inputs are capped at 4096 bytes, or at the number a
# target's source names on a line "// fuzz max_len: <n>". Crashing inputs go
# to build-fuzz/findings/; one line per run (runs, coverage, corpus size,
# findings) is appended to build-fuzz/fuzz-summary.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-fuzz

all_targets() {
  for source in fuzz/*.cpp; do basename "$source" .cpp; done
}

max_len_of() {
  local limit
  limit=$(sed -n 's|^// fuzz max_len: *\([0-9][0-9]*\).*|\1|p' "fuzz/$1.cpp" | head -n 1)
  echo "${limit:-4096}"
}

build_tree() {
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_FUZZ=ON \
    -DOV_TESTS=OFF -DOV_BENCH=OFF -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  local targets=()
  for target in $(all_targets); do targets+=("fuzz_$target"); done
  cmake --build "$build" -j 2 --target "${targets[@]}"
}

run_one() {
  local target=$1 seconds=$2 corpus=fuzz/corpus/$1 fresh merged log
  local max_len
  max_len=$(max_len_of "$target")
  fresh=$(mktemp -d) merged=$(mktemp -d) log=$build/logs/$target.log
  mkdir -p "$corpus" "$build/findings" "$build/logs"
  local status=0
  "$build/fuzz_$target" "$fresh" "$corpus" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" >"$log" 2>&1 || status=$?
  "$build/fuzz_$target" -merge=1 -max_len="$max_len" "$merged" "$corpus" "$fresh" >>"$log" 2>&1 || true
  if [ -n "$(ls -A "$merged")" ]; then
    rm -rf "$corpus" && mv "$merged" "$corpus"
  fi
  rm -rf "$fresh" "$merged"
  local runs cov findings
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  findings=$(find "$build/findings" -name "$target-*" | wc -l)
  printf '%s %s target=%s seconds=%s runs=%s cov=%s corpus=%s findings=%s exit=%s\n' \
    "$(date -u +%FT%TZ)" "$(git rev-parse --short HEAD)" "$target" "$seconds" "${runs:-?}" "${cov:-?}" \
    "$(ls "$corpus" | wc -l)" "$findings" "$status" | tee -a "$build/fuzz-summary.txt"
}

replay_one() {
  local target=$1
  mkdir -p "fuzz/corpus/$target"
  "$build/fuzz_$target" -runs=0 -max_len="$(max_len_of "$target")" "fuzz/corpus/$target" >/dev/null 2>&1 ||
    { echo "replay of $target failed: $build/fuzz_$target -runs=0 fuzz/corpus/$target" >&2; return 1; }
  echo "$target: $(ls "fuzz/corpus/$target" | wc -l) inputs replayed"
}

mode=${1:-}
shift || true
case "$mode" in
  build) build_tree ;;
  run)
    seconds=${1:-60}
    shift || true
    targets=("$@")
    [ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(all_targets)
    build_tree
    for target in "${targets[@]}"; do run_one "$target" "$seconds"; done
    ;;
  replay)
    targets=("$@")
    [ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(all_targets)
    build_tree
    for target in "${targets[@]}"; do replay_one "$target"; done
    ;;
  *)
    sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
