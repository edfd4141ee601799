#!/usr/bin/env bash
# Builds and runs every test in three configurations: plain, ASan+UBSan, TSan.
# Any sanitizer report stops its test program with a failure.
set -euo pipefail
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

configs=${QUINDLE_CONFIGS:-"plain address thread"}
for c in $configs; do
  case $c in
    plain)   run_config build none ;;
    address) run_config build-asan address ;;
    thread)  run_config build-tsan thread ;;
  esac
done
