#!/usr/bin/env bash
# Tries the README's two commands as a new user would, on a minimal Debian 12
# that has nothing but bash, apt and a clone of the project: it makes the root
# with debootstrap, clones this repository into /root/quindle there, runs the
# first command with a display from an Xvfb of its own on this machine (and
# closes the game with Escape once its window is up), then the second command,
# and prints how long each step took. Slow (it installs and builds everything
# from nothing), so it is run by hand, never from the test suite.
#
# Usage: sudo scripts/fresh-machine.sh [--fresh] [--keep] [MIRROR]
#   MIRROR   Debian mirror URL; default $QUINDLE_MIRROR, else the one this
#            machine's apt sources use for bookworm.
#   --fresh  run debootstrap even when a cached root exists.
#   --keep   leave the root in place afterwards (its path is printed).
# The minimal root is cached as a tarball in $QUINDLE_PROOF_CACHE (default
# ${XDG_CACHE_HOME:-/var/cache}/quindle-proof); every run unpacks a new copy.
# QUINDLE_CONFIGS, when set, is passed to the second command (a quicker trial).
set -euo pipefail

SUITE=bookworm
SRC=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
CACHE=${QUINDLE_PROOF_CACHE:-${XDG_CACHE_HOME:-/var/cache}/quindle-proof}
TARBALL=$CACHE/$SUITE-minbase.tar.gz
WINDOW_WAIT_S=5400
CLOSE_WAIT_S=10

fresh=0 keep=0 mirror=${QUINDLE_MIRROR:-}
for arg in "$@"; do
    case $arg in
        --fresh) fresh=1 ;;
        --keep) keep=1 ;;
        -*) echo "usage: $0 [--fresh] [--keep] [MIRROR]" >&2; exit 2 ;;
        *) mirror=$arg ;;
    esac
done

say() { echo "fresh-machine: $*"; }
die() { echo "fresh-machine: $*" >&2; exit 1; }
now() { date +%s; }

[ "$(id -u)" -eq 0 ] || die "needs root (debootstrap, chroot and mounts)"
for tool in debootstrap chroot git Xvfb xdotool; do
    command -v "$tool" >/dev/null || die "needs $tool on this machine"
done

# The mirror this machine's apt already uses for the suite, from either
# source format; nothing here names a mirror of its own.
host_mirror() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -r "$f" ] || continue
        awk -v suite="$SUITE" '$1 == "deb" {
            i = 2
            if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
            if ($(i + 1) == suite) { print $i; exit }
        }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -r "$f" ] || continue
        awk -v suite="$SUITE" '
            function flush() {
                if (!done && enabled != "no" && (" " types " ") ~ / deb / &&
                    (" " suites " ") ~ (" " suite " ") && uri != "") { print uri; done = 1 }
                types = suites = uri = enabled = ""
            }
            /^[ \t]*$/ { flush(); next }
            /^#/ { next }
            tolower($1) == "types:" { $1 = ""; types = $0 }
            tolower($1) == "uris:" { uri = $2 }
            tolower($1) == "suites:" { $1 = ""; suites = $0 }
            tolower($1) == "enabled:" { enabled = tolower($2) }
            END { flush() }' "$f"
    done
}
[ -n "$mirror" ] || mirror=$(host_mirror | head -1)
[ -n "$mirror" ] || die "no $SUITE mirror in this machine's apt sources; give one as an argument"

ROOT=$(mktemp -d /var/tmp/quindle-fresh.XXXXXX)
LOGS=$(mktemp -d /tmp/quindle-fresh-logs.XXXXXX)
XVFB_PID=
RUN_PID=

# Processes whose root is ours were all started by this script.
kill_root_processes() {
    local p root
    for p in /proc/[0-9]*; do
        root=$(readlink "$p/root" 2>/dev/null) || continue
        [ "$root" = "$ROOT" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    return 0
}

mounts_under_root() { awk -v r="$ROOT" '$2 == r || index($2, r "/") == 1 { print $2 }' /proc/self/mounts; }

cleanup() {
    set +e
    [ -n "$RUN_PID" ] && kill "$RUN_PID" 2>/dev/null
    kill_root_processes
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    local m
    for m in $(mounts_under_root | sort -r); do
        umount "$m" 2>/dev/null || umount -l "$m"
    done
    if [ -n "$(mounts_under_root)" ]; then
        echo "fresh-machine: mounts remain under $ROOT; not removing it" >&2
    elif [ "$keep" -eq 1 ]; then
        say "root kept at $ROOT"
    else
        # --one-file-system: never follow a mount into the host's /dev or /sys.
        rm -rf --one-file-system "$ROOT"
    fi
    say "logs in $LOGS"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- The minimal root ---------------------------------------------------------
mkdir -p "$CACHE"
if [ "$fresh" -eq 1 ] || [ ! -s "$TARBALL" ]; then
    say "debootstrap --variant=minbase $SUITE from $mirror"
    t0=$(now)
    debootstrap --variant=minbase "$SUITE" "$ROOT" "$mirror" >"$LOGS/debootstrap.log" 2>&1 ||
        die "debootstrap failed; see $LOGS/debootstrap.log"
    debootstrap_s=$(($(now) - t0))
    tar -C "$ROOT" --numeric-owner -czf "$TARBALL.new" . && mv "$TARBALL.new" "$TARBALL"
    echo "$debootstrap_s" >"$TARBALL.seconds"
    root_line="debootstrap (minbase $SUITE): ${debootstrap_s} s"
else
    t0=$(now)
    tar -C "$ROOT" --numeric-owner -xpzf "$TARBALL"
    root_line="root unpacked from cache: $(($(now) - t0)) s (debootstrap took $(cat "$TARBALL.seconds" 2>/dev/null || echo '?') s when it was made)"
fi
say "$root_line"

cp -L /etc/resolv.conf "$ROOT/etc/resolv.conf"
# A chroot has no init: daemons a package would start must not outlive the run.
printf '#!/bin/sh\nexit 101\n' >"$ROOT/usr/sbin/policy-rc.d"
chmod 755 "$ROOT/usr/sbin/policy-rc.d"
# mktemp's 700 (kept in the cached tarball too) would be the root's "/": apt's
# _apt and the suite's unprivileged user could reach nothing.
chmod 755 "$ROOT"
chmod 1777 "$ROOT/tmp"

mount -t proc proc "$ROOT/proc"
mount -t sysfs sysfs "$ROOT/sys"
mount --bind /dev "$ROOT/dev"
mount --make-private "$ROOT/dev"
mount -t devpts devpts "$ROOT/dev/pts" -o newinstance,ptmxmode=0666,mode=0620,gid=5
mount -t tmpfs shm "$ROOT/dev/shm" -o mode=1777,nosuid,nodev

git clone --quiet "$SRC" "$ROOT/root/quindle"
say "cloned $(git -C "$ROOT/root/quindle" log -1 --format='%h %s')"
[ -z "$(git -C "$SRC" status --porcelain)" ] || say "note: uncommitted changes in $SRC are not in the clone"

# No locale, as in a fresh install or a container: the suite must set its own.
ROOT_ENV=(HOME=/root USER=root LOGNAME=root TERM=dumb
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
in_root() { chroot "$ROOT" /usr/bin/env -i "${ROOT_ENV[@]}" "$@" </dev/null; }

# --- A display on this machine, reachable from the root -----------------------
# Xvfb picks a free display itself: no guessing a number that someone else's
# server, dying or starting, may hold the next moment.
start_xvfb() {
    : >"$LOGS/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$LOGS/display" >"$LOGS/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        if [ "$(wc -l <"$LOGS/display")" -ge 1 ]; then
            DISPLAY_NUM=$(tr -dc 0-9 <"$LOGS/display")
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    die "cannot start Xvfb (see $LOGS/xvfb.log)"
}
start_xvfb
mkdir -p "$ROOT/tmp/.X11-unix"
chmod 1777 "$ROOT/tmp/.X11-unix"
touch "$ROOT/tmp/.X11-unix/X$DISPLAY_NUM"
mount --bind "/tmp/.X11-unix/X$DISPLAY_NUM" "$ROOT/tmp/.X11-unix/X$DISPLAY_NUM"

# What the root has installed: "N packages, M MB".
installed() {
    in_root dpkg-query -W -f='${db:Status-Abbrev} ${Installed-Size}\n' |
        awk '$1 == "ii" { n++; kb += $2 } END { printf "%d packages, %d MB", n, kb / 1024 }'
}
base_installed=$(installed)

# --- The README's first command: installs, builds and starts the game ----------
say "first command: ./run.sh (display :$DISPLAY_NUM; log $LOGS/run.log)"
t0=$(now)
in_root bash -c "cd /root/quindle && DISPLAY=:$DISPLAY_NUM ./run.sh" >"$LOGS/run.log" 2>&1 &
RUN_PID=$!
WIN=
while [ -z "$WIN" ] && kill -0 "$RUN_PID" 2>/dev/null && [ $(($(now) - t0)) -lt "$WINDOW_WAIT_S" ]; do
    sleep 2
    WIN=$(DISPLAY=":$DISPLAY_NUM" xdotool search --onlyvisible --name '^Quindle$' 2>/dev/null | head -1) || true
done
window_s=$(($(now) - t0))
if [ -z "$WIN" ]; then
    tail -20 "$LOGS/run.log" >&2
    kill -0 "$XVFB_PID" 2>/dev/null || say "the Xvfb on :$DISPLAY_NUM is gone (see $LOGS/xvfb.log)"
    die "first command: no game window after ${window_s} s"
fi
say "first command: the game window is up after ${window_s} s; closing it with Escape"
DISPLAY=":$DISPLAY_NUM" xdotool key Escape
for _ in $(seq $((CLOSE_WAIT_S * 10))); do
    kill -0 "$RUN_PID" 2>/dev/null || break
    sleep 0.1
done
run_status=0
if kill -0 "$RUN_PID" 2>/dev/null; then
    run_status="still running ${CLOSE_WAIT_S} s after Escape"
else
    wait "$RUN_PID" || run_status=$?
fi
RUN_PID=
umount "$ROOT/tmp/.X11-unix/X$DISPLAY_NUM"
kill "$XVFB_PID" 2>/dev/null
XVFB_PID=
[ "$run_status" = 0 ] || die "first command: the game did not close cleanly ($run_status)"
run_installed=$(installed)
say "first command: installed $base_installed before, $run_installed after"

# --- The README's second command: the whole test suite -------------------------
configs=()
[ -n "${QUINDLE_CONFIGS:-}" ] && configs=("QUINDLE_CONFIGS=$QUINDLE_CONFIGS")
say "second command: ./test.sh ${configs[*]} (log $LOGS/test.log)"
t0=$(now)
test_status=0
# What the second command installs comes first, from the network; then the
# rest of it finds everything there.
in_root bash -c "cd /root/quindle && scripts/install-deps.sh --tests" >"$LOGS/test-deps.log" 2>&1 ||
    die "second command: installing the test tools failed (see $LOGS/test-deps.log)"
deps_s=$(($(now) - t0))
test_installed=$(installed)
say "second command: the test tools installed in ${deps_s} s; $test_installed now"
# Its own network namespace: X servers listen on abstract sockets, which are
# per namespace, so the suite's displays and those of anyone else testing on
# this machine cannot meet, as on a machine of its own. Everything it needs is
# installed by now; only loopback is up.
# In the background, so that a signal to this script stops the run at once.
(unshare --net sh -c 'ip link set lo up && exec "$@"' sh \
    chroot "$ROOT" /usr/bin/env -i "${ROOT_ENV[@]}" "${configs[@]}" bash -c "cd /root/quindle && ./test.sh" \
    </dev/null 2>&1 | tee "$LOGS/test.log") &
RUN_PID=$!
wait "$RUN_PID" || test_status=$?
RUN_PID=
test_s=$(($(now) - t0))

echo
say "timings"
echo "  $root_line"
echo "  the root as made: $base_installed"
echo "  first command (./run.sh), start to the game's window: ${window_s} s; closed with status 0; $run_installed"
echo "  second command (./test.sh${configs:+ ${configs[*]}}): ${test_s} s (${deps_s} s of it installing), status $test_status; $test_installed"
[ "$test_status" -eq 0 ] || die "second command failed"
say "both commands work on a fresh $SUITE"
