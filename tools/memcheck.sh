#!/usr/bin/env bash
# Runs the game's scripted session and every example under valgrind's
# memcheck, from the plain build in build/ (built here if missing).
#
#   tools/memcheck.sh [script]     the game plays tools/demo.script, or the
#                                  input script given; then each test named
#                                  example_* runs under memcheck as CTest
#                                  would run it (command, folder, environment)
#
# Errors inside Mesa, the X libraries, D-Bus and the dynamic loader are
# suppressed (tools/valgrind.supp); anything else, and every definite leak,
# is an error. Logs go to build/memcheck/<name>.log, one line per run to
# build/memcheck/summary.txt. The exit status is 1 when any run had errors
# or failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build
out=$build/memcheck
script=${1:-$root/tools/demo.script}

export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# One GL rendering thread: memcheck runs threads one at a time anyway.
export LP_NUM_THREADS=${LP_NUM_THREADS:-0}

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
mapfile -t examples < <(cd "$build" && ctest -N -R '^example_' | sed -n 's/^ *Test *#[0-9]*: *//p')
cmake --build "$build" -j 2 --target Gorvane \
  $(ninja -C "$build" -t targets all | sed -n 's/^\(example_[A-Za-z0-9_]*\): .*/\1/p' | sort -u)
mkdir -p "$out"

memcheck_options=(--tool=memcheck --error-exitcode=99 --suppressions="$root/tools/valgrind.supp"
  --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=40
  --gen-suppressions=all --trace-children=yes --trace-children-skip='*/Xvfb,*/xauth')

failed=0
# Runs a command under memcheck in the display; records errors and status.
check() {
  local name=$1 directory=$2
  shift 2
  local log=$out/$name.log status=0
  (cd "$directory" && timeout 3600 bash "$root/tools/with-display.sh" \
    valgrind "${memcheck_options[@]}" --log-file="$log.%p" "$@") || status=$?
  cat "$log".* >"$log" 2>/dev/null && rm -f "$log".*
  local errors
  errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$log" | awk '{ n += $1 } END { print n + 0 }')
  printf '%s %s %s errors=%s exit=%s\n' "$(date -u +%FT%TZ)" "$(git rev-parse --short HEAD)" "$name" \
    "$errors" "$status" | tee -a "$out/summary.txt"
  [ "$errors" -eq 0 ] && [ "$status" -eq 0 ] || failed=1
}

shot=$out/gorvane-last-frame.png
rm -f "$shot"
check gorvane "$build" env OV_INPUT_SCRIPT="$script" OV_SAVE_FRAME="$shot" "$build/Gorvane"

# Each example as CTest runs it: its command, working folder and environment.
for example in "${examples[@]}"; do
  mapfile -t run < <(cd "$build" && ctest --show-only=json-v1 -R "^${example}\$" | python3 -c '
import json, sys
test = json.load(sys.stdin)["tests"][0]
properties = {p["name"]: p["value"] for p in test.get("properties", [])}
print(properties.get("WORKING_DIRECTORY", "."))
print("env")
for setting in properties.get("ENVIRONMENT", []):
    print(setting)
for word in test["command"]:
    print(word)
')
  check "$example" "${run[0]}" "${run[@]:1}"
done
exit "$failed"
