#!/usr/bin/env bash
# The built program has the hardening of Debian's own packages: hardening-check
# must say yes to each of its seven checks. Its stack-clash check only
# recognises the probe loop of frames several pages large or of dynamic
# allocation, which this program has none of; "unknown" for that reason alone
# passes when every compilation unit in the program was built with the flag,
# as its debugging information says (the file given, for a stripped program).
# Usage: hardening.sh path/to/quindle [path/to/its/debug/file]
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8
BIN=${1:?usage: hardening.sh path/to/quindle [debug-file]}
DEBUG=${2:-$BIN}
report=$(hardening-check "$BIN")
echo "$report"
FAILED=0
CHECKS=("Position Independent Executable" "Stack protected" "Fortify Source functions" "Read-only relocations"
    "Immediate binding" "Stack clash protection" "Control flow integrity")

producers_have_stack_clash() {
    local producers
    producers=$(readelf --debug-dump=info "$DEBUG" 2>/dev/null | grep 'DW_AT_producer')
    [ -n "$producers" ] && ! grep -qv -- '-fstack-clash-protection' <<<"$producers"
}

for check in "${CHECKS[@]}"; do
    line=$(grep -F " $check: " <<<"$report")
    if [[ $line == *": yes"* ]]; then
        continue
    elif [[ $check == "Stack clash protection" && $line == *"unknown, no -fstack-clash-protection instructions found"* ]] &&
        producers_have_stack_clash; then
        echo "stack clash: every compilation unit was built with -fstack-clash-protection"
        continue
    fi
    echo "FAIL - $check: ${line#*: }"
    FAILED=$((FAILED + 1))
done
[ "$FAILED" -eq 0 ]
