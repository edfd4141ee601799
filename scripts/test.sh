#!/usr/bin/env bash
# Builds and runs every test in three configurations: plain, ASan+UBSan, TSan;
# then the fuzz targets for a short time each.
# Any sanitizer report stops its test program with a failure.
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

run_config() {
  local dir=$1 sanitizer=$2
  echo "=== configuration: $dir (sanitizer: $sanitizer)"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDLE_SANITIZER="$sanitizer" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j 2)
}

# The fuzz targets: a clang project of their own (tests/fuzz), each target
# fuzzed for FUZZ_SECONDS (20 unless set), two at a time.
run_fuzz() {
  echo "=== configuration: build-fuzz (libFuzzer, ASan+UBSan, ${FUZZ_SECONDS:-20} s a target)"
  cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz -j "$jobs"
  (cd build-fuzz && ctest --output-on-failure -j 2)
}

configs=${QUINDLE_CONFIGS:-"plain address thread fuzz"}
for c in $configs; do
  case $c in
    plain)   run_config build none ;;
    address) run_config build-asan address ;;
    thread)  run_config build-tsan thread ;;
    fuzz)    run_fuzz ;;
  esac
done
