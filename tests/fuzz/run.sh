#!/usr/bin/env bash
# Fuzzes one target for FUZZ_SECONDS (default 20) from its seed corpus. What
# it finds on the way is kept in a corpus of the build folder, so later runs
# start from there; a crash leaves its input in artifacts/ beside it and fails.
# Usage: run.sh path/to/fuzz_target path/to/seed/corpus path/to/work/corpus
set -euo pipefail
export LC_ALL=C.UTF-8
BIN=${1:?usage: run.sh target seeds work}
SEEDS=${2:?usage: run.sh target seeds work}
CORPUS=${3:?usage: run.sh target seeds work}
SECONDS_GIVEN=${FUZZ_SECONDS:-20}
ARTIFACTS=$(dirname "$CORPUS")/../artifacts
mkdir -p "$CORPUS" "$ARTIFACTS"
# Leaks count as faults; one input may take at most a second.
"$BIN" -max_total_time="$SECONDS_GIVEN" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$ARTIFACTS/$(basename "$BIN")-" "$CORPUS" "$SEEDS" 2>"$CORPUS.log" || {
    tail -40 "$CORPUS.log"
    exit 1
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$CORPUS.log"
