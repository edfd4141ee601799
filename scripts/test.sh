#!/usr/bin/env bash
# Builds and runs every test: the unit tests in three configurations (plain,
# ASan+UBSan, TSan), the fuzz targets for a short time each, then the plain
# build's end-to-end and package tests. Any sanitizer report stops its test
# program with a failure. Prints how long each part took.
set -euo pipefail
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8
cd "$(dirname "$0")/.."
jobs=$(nproc)

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
# SDL and fontconfig keep caches for the life of the process; they are not our leaks.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

elapsed() { echo "=== $1: $(($(date +%s) - $2)) s"; }

# A configuration's build and its unit tests (no display, no compositor).
# Usage: run_config dir sanitizer target configure-command...
run_config() {
  local dir=$1 sanitizer=$2 target=$3 t0
  shift 3
  t0=$(date +%s)
  echo "=== configuration: $dir (sanitizer: $sanitizer)"
  "$@" -DQUINDLE_SANITIZER="$sanitizer" -DQUINDLE_TESTS=ON >/dev/null
  cmake --build "$dir" -j "$jobs" --target "$target"
  (cd "$dir" && ctest --output-on-failure -j 2 -L unit)
  elapsed "$dir" "$t0"
}

# The sanitizer builds compile a target's files in batches of eight, each batch
# as one file (a unity build; CMakeLists.txt names the files that stay alone),
# at -O1 with line tables only (-g1): every check is compiled in as before and
# every report still names file and line, for a fraction of -O2 -g's compile
# time. They build the unit test programs and nothing else.
sanitizer_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")

# The fuzz targets: a clang project of their own (tests/fuzz), each target
# fuzzed for FUZZ_SECONDS (20 unless set), two at a time.
run_fuzz() {
  local t0
  t0=$(date +%s)
  echo "=== configuration: build-fuzz (libFuzzer, ASan+UBSan, ${FUZZ_SECONDS:-20} s a target)"
  cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz -j "$jobs"
  (cd build-fuzz && ctest --output-on-failure -j 2)
  elapsed build-fuzz "$t0"
}

# The plain build's end-to-end, hardening and package tests: last, so that
# a broken build or unit fails within minutes, and alone, each of them (their
# checks hold time limits).
run_system() {
  local t0
  t0=$(date +%s)
  echo "=== system tests: build (displays, compositors, the Debian package)"
  (cd build && ctest --output-on-failure -L system)
  elapsed "system tests" "$t0"
}

start=$(date +%s)
configs=${QUINDLE_CONFIGS:-"plain address thread fuzz"}
for c in $configs; do
  case $c in
    # Debian's flags (scripts/configure-build.sh): the package test's build takes its objects.
    plain)   run_config build none all scripts/configure-build.sh ;;
    address) run_config build-asan address unit_tests cmake -S . -B build-asan "${sanitizer_options[@]}" ;;
    thread)  run_config build-tsan thread unit_tests cmake -S . -B build-tsan "${sanitizer_options[@]}" ;;
    fuzz)    run_fuzz ;;
    *) echo "test.sh: unknown configuration $c (plain, address, thread, fuzz)" >&2; exit 2 ;;
  esac
done
case " $configs " in *" plain "*) run_system ;; esac
elapsed "the whole suite" "$start"
