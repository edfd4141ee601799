#!/usr/bin/env bash
# The real program's command line with no display at all: --help and
# --version answer on stdout with status 0, anything else on stderr with
# status 2, and none of them tries to open the display (which would end with
# status 1 here); a Wayland display named that is not there. The manual page
# names every option and variable of --help. An unknown argument of any length
# is quoted short on one line, and the answers are the same with no locale at
# all as in a UTF-8 one.
# Usage: run.sh path/to/quindle path/to/quindle.6
set -u
export LC_ALL=C.UTF-8
BIN=${1:?usage: run.sh path/to/quindle path/to/quindle.6}
MAN=${2:?usage: run.sh path/to/quindle path/to/quindle.6}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILED=0

check() { # check "name" command...
    local name=$1
    shift
    if "$@"; then echo "ok   - $name"; else echo "FAIL - $name"; FAILED=$((FAILED + 1)); fi
}
run() { # run args...: status in $RC, streams in $WORK/out and $WORK/err
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$BIN" "$@" >"$WORK/out" 2>"$WORK/err"
    RC=$?
}

# Without arguments the program needs the display, and there is none here.
run
check "no arguments and no display: status 1" test "$RC" -eq 1
check "no arguments and no display: says so" grep -q 'cannot open a display' "$WORK/err"

# A Wayland display named that is not there: no socket of that name, a file
# that is no compositor's. Our own client finds no compositor and, with no X
# display to fall back to, the program says so in one line.
: >"$WORK/not-a-socket"
for wl in "wayland-none-$$" "$WORK/not-a-socket"; do
    env -u DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$WORK" WAYLAND_DISPLAY="$wl" "$BIN" >"$WORK/out" 2>"$WORK/err"
    RC=$?
    check "WAYLAND_DISPLAY=${wl##*/} with no compositor: status 1, one line on stderr" \
        test "$RC" -eq 1 -a "$(wc -l <"$WORK/err")" -eq 1
    check "... which says it cannot open a display" grep -q 'cannot open a display' "$WORK/err"
done

run --version
check "--version: status 0" test "$RC" -eq 0
check "--version: 'Quindle 1.0' on stdout" test "$(cat "$WORK/out")" = "Quindle 1.0"
check "--version: nothing on stderr" test ! -s "$WORK/err"

run --help
check "--help: status 0" test "$RC" -eq 0
check "--help: usage on stdout" grep -q '^Usage: quindle' "$WORK/out"
check "--help: nothing on stderr" test ! -s "$WORK/err"
cp "$WORK/out" "$WORK/usage"

run --no-such-option
check "unknown option: status 2" test "$RC" -eq 2
check "unknown option: nothing on stdout" test ! -s "$WORK/out"
check "unknown option: named on stderr" grep -q "unknown option '--no-such-option'" "$WORK/err"
check "unknown option: then the usage" grep -q '^Usage: quindle' "$WORK/err"

run "$(printf 'x%.0s' $(seq 100000))"
check "a 100,000-character argument: status 2" test "$RC" -eq 2
check "... quoted as its first 40 characters and '...'" \
    test "$(head -1 "$WORK/err")" = "quindle: unexpected argument '$(printf 'x%.0s' $(seq 40))...'"

# With no locale at all (LANG, LANGUAGE and LC_* unset), as on a fresh machine.
no_locale() { env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES "$@"; }
no_locale env -u DISPLAY -u WAYLAND_DISPLAY "$BIN" --help >"$WORK/out" 2>"$WORK/err"
check "--help with no locale: status 0, the same usage, nothing on stderr" \
    test $? -eq 0 -a ! -s "$WORK/err" -a "$(cat "$WORK/out")" = "$(cat "$WORK/usage")"
no_locale env -u DISPLAY -u WAYLAND_DISPLAY "$BIN" --version >"$WORK/out" 2>&1
check "--version with no locale: 'Quindle 1.0'" test "$(cat "$WORK/out")" = "Quindle 1.0"

env -u DISPLAY "$BIN" --version >/dev/full 2>"$WORK/err"
check "--version into a full disk: status 1" test $? -eq 1

for word in $(grep -oE -- '--[a-z]+|\b[A-Z][A-Z_]{3,}\b' "$WORK/usage" | sort -u); do
    check "manual page tells of $word" grep -q -- "${word//-/\\\\-}" "$MAN"
done

echo "$FAILED failed"
[ "$FAILED" -eq 0 ]
