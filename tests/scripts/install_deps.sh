#!/usr/bin/env bash
# scripts/install-deps.sh on the machines a new user may have, faked with a
# PATH of stand-ins for id, dpkg-query, apt-get, sudo and su that log each
# call: root without sudo, a user with sudo, a user with neither, lists that
# cannot be fetched, a failed install, everything already there, no apt; and
# what a player gets against what the tests add.
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8
SCRIPT=$(readlink -f "$(dirname "$0")/../../scripts/install-deps.sh")
BASH_BIN=$(command -v bash)
SB=$(mktemp -d)
trap 'rm -rf "$SB"' EXIT
FAILED=0

check() { # check "name" command...
    local name=$1; shift
    if "$@"; then echo "ok   - $name"; else echo "FAIL - $name"; FAILED=$((FAILED + 1)); fi
}

stub() { printf '#!%s\n%s\n' "$BASH_BIN" "$2" >"$SB/bin/$1"; chmod +x "$SB/bin/$1"; }

# A new machine: bash and grep, and the stand-ins named in "$@".
machine() {
    rm -rf "$SB/bin" "$SB/state"; mkdir -p "$SB/bin" "$SB/state"; : >"$SB/calls"
    ln -s "$BASH_BIN" "$SB/bin/bash"; ln -s "$(command -v grep)" "$SB/bin/grep"
    local s
    for s in "$@"; do
        case $s in
        id) stub id 'echo "$FAKE_UID"' ;;
        dpkg-query) stub dpkg-query '[ -e "'"$SB"'/state/all" ] || [ -e "'"$SB"'/state/$3" ] || exit 1; echo "install ok installed"' ;;
        apt-get) stub apt-get 'echo "apt-get $*" >>"'"$SB"'/calls"
            [ "$4" = update ] && [ -e "'"$SB"'/state/offline" ] && exit 100
            [ "$4" = install ] && [ -e "'"$SB"'/state/broken" ] && exit 100; exit 0' ;;
        sudo) stub sudo 'echo "sudo" >>"'"$SB"'/calls"; exec "$@"' ;;
        su) stub su 'echo "su" >>"'"$SB"'/calls"; exec bash -c "$3"' ;;
        esac
    done
}

run() { # run UID [option]: the script with the sandbox's PATH only; sets STATUS
    FAKE_UID=$1 PATH=$SB/bin "$BASH_BIN" "$SCRIPT" "${@:2}" </dev/null >"$SB/out" 2>"$SB/err"
    STATUS=$?
}
calls() { cat "$SB/calls"; }
lines() { wc -l <"$1"; }

machine id dpkg-query apt-get
touch "$SB/state/cmake" "$SB/state/xvfb"
run 0
check "root without sudo: installs after fetching the lists" [ "$STATUS" = 0 ]
check "root without sudo: update first, then the missing packages only" \
    bash -c '[ "$(sed -n 1p "$1")" = "apt-get -o DPkg::Lock::Timeout=300 -qq update" ] &&
             sed -n 2p "$1" | grep -q "install -y --no-install-recommends make build-essential pkg-config " &&
             sed -n 2p "$1" | grep -qw libdecor-0-plugin-1-cairo &&
             ! sed -n 2p "$1" | grep -qw -e cmake -e xvfb && [ "$(wc -l <"$1")" = 2 ]' _ "$SB/calls"

# The tools only the tests use, as a player would not want them.
WORKSHOP="libgtest-dev libbenchmark-dev xvfb xdotool imagemagick sway weston mutter openbox grim lintian debhelper autopkgtest clang ccache"
installs() { sed -n 's/.* install -y --no-install-recommends //p' "$SB/calls"; }
machine id dpkg-query apt-get
run 0
PLAY=$(installs)
check "the player's set: the compiler, the libraries, the fonts, the frame plugin, and none of the workshop" \
    bash -c 'for p in make build-essential cmake libsdl2-dev libsdl2-ttf-dev libdecor-0-dev wayland-protocols \
                      fonts-ipafont-gothic libdecor-0-plugin-1-cairo; do grep -qw -- "$p" <<<"$1" || exit 1; done &&
             for p in $2; do ! grep -qw -- "$p" <<<"$1" || exit 1; done' _ "$PLAY" "$WORKSHOP"
machine id dpkg-query apt-get
run 0 --tests
check "--tests: the player's set and the workshop" \
    bash -c 'for p in $1 $2; do grep -qw -- "$p" <<<"$3" || exit 1; done' _ "$PLAY" "$WORKSHOP" "$(installs)"
machine id dpkg-query apt-get
run 0 --everything
check "an unknown option: usage, failure, and nothing installed" \
    bash -c '[ "$0" = 2 ] && grep -q "usage" "$1" && ! grep -q " install " "$2"' "$STATUS" "$SB/err" "$SB/calls"

machine id dpkg-query apt-get
touch "$SB/state/cmake" "$SB/state/xvfb"
touch "$SB/state/offline"
run 0
check "lists that cannot be fetched: still tries the install, and says so" \
    bash -c '[ "$0" = 0 ] && grep -q " install " "$1" && grep -q "update failed" "$2"' "$STATUS" "$SB/calls" "$SB/err"

touch "$SB/state/broken"
run 0
check "a failed install fails, naming what it could not install" \
    bash -c '[ "$0" != 0 ] && grep -q "could not install: make" "$1"' "$STATUS" "$SB/err"

machine id dpkg-query apt-get sudo su
run 1000
check "a user with sudo: apt-get runs through sudo" \
    bash -c '[ "$0" = 0 ] && [ "$(grep -c sudo "$1")" = 2 ] && ! grep -q "^su$" "$1"' "$STATUS" "$SB/calls"

machine id dpkg-query apt-get su
run 1000
check "a user with no sudo and no terminal: one line, no install, failure" \
    bash -c '[ "$0" != 0 ] && [ ! -s "$1" ] && [ "$(wc -l <"$2")" = 1 ] && grep -q "no sudo" "$2"' \
    "$STATUS" "$SB/calls" "$SB/err"

machine id dpkg-query apt-get
touch "$SB/state/all"
run 1000
check "everything installed: no apt-get, no output" \
    bash -c '[ "$0" = 0 ] && [ ! -s "$1" ] && [ ! -s "$2" ] && [ ! -s "$3" ]' "$STATUS" "$SB/calls" "$SB/out" "$SB/err"

machine id
run 1000
check "no apt: one line naming the packages, and failure" \
    bash -c '[ "$0" != 0 ] && [ ! -s "$1" ] && [ "$(wc -l <"$2")" = 1 ] &&
             grep -q "install these packages.*: make build-essential cmake " "$2" && grep -qw libsdl2-dev "$2"' "$STATUS" "$SB/out" "$SB/err"

[ "$FAILED" -eq 0 ]
