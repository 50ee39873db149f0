#!/usr/bin/env bash
# Fuzzing the readers of outside data. The targets are whatever fuzz/CMakeLists.txt
# defines as fuzz_<name> in a libFuzzer build (build-fuzz/, clang), so a new
# target joins without touching this script.
#
#   tools/fuzz.sh list                       names every target
#   tools/fuzz.sh build                      builds the libFuzzer binaries in build-fuzz/
#   tools/fuzz.sh seed [target...]           starts empty corpora from their seeds
#   tools/fuzz.sh run [seconds] [target...]  fuzzes each target for that long (default 60)
#                                            in turn, one process at a time, then merges
#                                            what it found into fuzz/corpus/<target>/,
#                                            minimised
#   tools/fuzz.sh replay [target...]         runs each target once over its corpus, no
#                                            fuzzing (the test suite does the same with
#                                            plain builds: ctest -L fuzz_replay)
#
# Corpora stay small: inputs are capped at 4096 bytes, or at the number a
# target's source names on a line "// fuzz max_len: <n>". A target's source
# may name seed files for an empty corpus on a line "// fuzz seeds: <paths>"
# (globs from the top of the tree; cut to the cap). Crashing inputs go to
# build-fuzz/findings/; one line per run (runs, coverage, corpus size,
# findings) is appended to build-fuzz/fuzz-summary.txt. The exit status is
# 1 when any run found something. Set OV_FUZZ_NICE=19 (say) to fuzz at low
# priority on a shared machine, OV_FUZZ_LANES=2 to fuzz two targets at once,
# OV_FUZZ_TIMEOUT=<seconds> for the time one input may take (10).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-fuzz
nice_level=${OV_FUZZ_NICE:-0}
lanes=${OV_FUZZ_LANES:-1}
timeout=${OV_FUZZ_TIMEOUT:-10}

configure() {
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_FUZZ=ON \
    -DOV_TESTS=OFF -DOV_BENCH=OFF -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
}

# Every fuzz_<name> executable the build defines, as <name>.
all_targets() {
  ninja -C "$build" -t targets all | sed -n 's/^fuzz_\([A-Za-z0-9_]*\): .*/\1/p' | sort -u
}

source_of() {
  find fuzz -name "$1.cpp" | head -n 1
}

# The value of a "// fuzz <key>: <value>" line in the target's source.
setting_of() {
  local source
  source=$(source_of "$1")
  [ -n "$source" ] || return 0
  sed -n "s|^// fuzz $2: *\(.*\)$|\1|p" "$source" | head -n 1
}

max_len_of() {
  local limit
  limit=$(setting_of "$1" max_len)
  echo "${limit:-4096}"
}

build_tree() {
  configure
  local targets=()
  for target in $(all_targets); do targets+=("fuzz_$target"); done
  cmake --build "$build" -j 2 --target "${targets[@]}"
}

# An empty corpus starts from the seeds the target names, cut to its cap.
seed() {
  local target=$1 corpus=fuzz/corpus/$1 max_len seeds file
  mkdir -p "$corpus"
  [ -z "$(ls -A "$corpus")" ] || return 0
  max_len=$(max_len_of "$target")
  seeds=$(setting_of "$target" seeds)
  for file in $seeds; do
    [ -f "$file" ] || continue
    head -c "$max_len" "$file" >"$corpus/seed-$(basename "$file")"
  done
}

# A timeout is measured in wall time, so a fuzzer starved of the processor
# (low priority on a busy machine) can time out on any input. Each new
# timeout is tried again at normal priority with the same limit; one that
# passes there moves to findings/starved/ and is not counted.
recheck_timeouts() {
  local prefix=$1 target=$2 log=$3 artifact
  mkdir -p "$build/findings/starved"
  for artifact in "$prefix"timeout-*; do
    [ -f "$artifact" ] || continue
    if "$build/fuzz_$target" -timeout="$timeout" "$artifact" >>"$log" 2>&1; then
      mv "$artifact" "$build/findings/starved/"
      echo "$(basename "$artifact"): passes at normal priority, a starved run" >>"$log"
    fi
  done
}

run_one() {
  local target=$1 seconds=$2 corpus=fuzz/corpus/$1 fresh merged log max_len
  max_len=$(max_len_of "$target")
  seed "$target"
  fresh=$(mktemp -d) merged=$(mktemp -d) log=$build/logs/$target.log
  mkdir -p "$build/findings" "$build/logs"
  local before status=0 prefix
  before=$(find "$build/findings" -maxdepth 1 -name "*-$target-*" | wc -l)
  # Targets rewrite a scratch file for every input: keep that churn out of
  # /tmp, which file choosers and other programs watch.
  mkdir -p "$build/tmp"
  prefix=$build/findings/$(date -u +%H%M%S)-$target-
  TMPDIR=$build/tmp nice -n "$nice_level" "$build/fuzz_$target" "$fresh" "$corpus" -max_total_time="$seconds" \
    -max_len="$max_len" -timeout="$timeout" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$prefix" >"$log" 2>&1 || status=$?
  nice -n "$nice_level" "$build/fuzz_$target" -merge=1 -max_len="$max_len" "$merged" "$corpus" "$fresh" \
    >>"$log" 2>&1 || true
  if [ -n "$(ls -A "$merged")" ]; then
    rm -rf "$corpus" && mv "$merged" "$corpus" && chmod 755 "$corpus"
  fi
  rm -rf "$fresh" "$merged"
  recheck_timeouts "$prefix" "$target" "$log"
  local runs cov findings
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)
  findings=$(($(find "$build/findings" -maxdepth 1 -name "*-$target-*" | wc -l) - before))
  printf '%s %s target=%s seconds=%s runs=%s cov=%s corpus=%s(%sB) findings=%s exit=%s\n' \
    "$(date -u +%FT%TZ)" "$(git rev-parse --short HEAD)" "$target" "$seconds" "${runs:-?}" "${cov:-?}" \
    "$(ls "$corpus" | wc -l)" "$(du -sb "$corpus" | cut -f1)" "$findings" "$status" |
    tee -a "$build/fuzz-summary.txt"
  [ "$findings" -eq 0 ] && [ "$status" -eq 0 ]
}

replay_one() {
  local target=$1
  seed "$target"
  "$build/fuzz_$target" -runs=0 -max_len="$(max_len_of "$target")" "fuzz/corpus/$target" >/dev/null 2>&1 ||
    { echo "replay of $target failed: $build/fuzz_$target -runs=0 fuzz/corpus/$target" >&2; return 1; }
  echo "$target: $(ls "fuzz/corpus/$target" | wc -l) inputs replayed"
}

# The targets named, or every target.
chosen_targets() {
  if [ $# -gt 0 ]; then printf '%s\n' "$@"; else all_targets; fi
}

mode=${1:-}
shift || true
case "$mode" in
  list)
    configure
    all_targets
    ;;
  build) build_tree ;;
  seed)
    [ $# -gt 0 ] || configure
    mapfile -t targets < <(chosen_targets "$@")
    for target in "${targets[@]}"; do seed "$target"; done
    ;;
  run)
    seconds=${1:-60}
    shift || true
    build_tree
    mapfile -t targets < <(chosen_targets "$@")
    # Lane l takes every lanes-th target from the l-th on.
    lane() {
      local failed=0 i
      for ((i = $1; i < ${#targets[@]}; i += lanes)); do run_one "${targets[$i]}" "$seconds" || failed=1; done
      return "$failed"
    }
    pids=()
    for ((l = 0; l < lanes; ++l)); do lane "$l" & pids+=($!); done
    failed=0
    for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
    exit "$failed"
    ;;
  replay)
    build_tree
    mapfile -t targets < <(chosen_targets "$@")
    failed=0
    for target in "${targets[@]}"; do replay_one "$target" || failed=1; done
    exit "$failed"
    ;;
  *)
    sed -n '2,25p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
