# Helpers shared by the end-to-end scripts and bench/motion_cpu.sh; sourced.
#   Results: pass, fail, check. Servers: start_xvfb, start_sway, start_weston,
#   start_mutter, all stopped on exit with the program. The program:
#   wait_exit, CPU and wake-up figures, the wheel trace. Screens: screen.sh, sourced at the end.

PASSED=0
FAILED=0
APP_PID=
EXIT_LIMIT_MS=${EXIT_LIMIT_MS:-1000}
WORK=$(mktemp -d)
CLEANUPS=()
# The checks listen to nothing: SDL's silent driver, unless a script records
# with its disk driver (sound.sh). With none at all the program would say
# once on stderr that it has no sound, which the checks of stderr do not expect.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# at_cleanup "command": run on exit, the last registered first.
at_cleanup() { CLEANUPS+=("$1"); }
run_cleanups() {
    local i
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    for ((i = ${#CLEANUPS[@]} - 1; i >= 0; i--)); do eval "${CLEANUPS[i]}"; done
    rm -rf "$WORK"
}
trap run_cleanups EXIT

pass() { PASSED=$((PASSED + 1)); echo "ok   - $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL - $1"; }
check() { # check "name" command...
    local name=$1
    shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}
summary() {
    echo "e2e: $PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}
now_ms() { date +%s%3N; }
# no_locale command...: runs it with no locale at all, as on a fresh machine.
no_locale() { env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES "$@"; }
between() { [ "$3" -ge "$1" ] && [ "$3" -le "$2" ]; } # between low high value
# wait_until limit_ms command...: polls the command until it succeeds.
wait_until() {
    local limit=$1 start
    shift
    start=$(now_ms)
    until "$@"; do
        [ $(($(now_ms) - start)) -ge "$limit" ] && return 1
        sleep 0.05
    done
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# --- Servers -------------------------------------------------------------------

# start_xvfb [WxHxD [option...]]: a new Xvfb on a display number it picks itself
# (so that scripts running side by side never share one); sets XVFB_PID and XVFB_DISPLAY.
start_xvfb() {
    local fd=$WORK/xvfb.$RANDOM
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp "${@:2}" 3>"$fd" 2>>"$WORK/xvfb.log" &
    XVFB_PID=$!
    # Waited for: a server still going down holds the display's abstract
    # socket, and the next one on that number would be unreachable meanwhile.
    at_cleanup "kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null"
    for _ in $(seq 100); do
        if [ -s "$fd" ]; then
            XVFB_DISPLAY=:$(tr -d '\n' <"$fd")
            # Someone else's server may be going down on that number just now.
            wait_until 5000 xprop -display "$XVFB_DISPLAY" -root _NET_SUPPORTED >/dev/null 2>&1
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "e2e: cannot start Xvfb" >&2
    exit 1
}

# kill_xvfb pid display: ends an Xvfb at once, as a crash would, and removes what it leaves.
kill_xvfb() {
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    rm -f "/tmp/.X${2#:}-lock" "/tmp/.X11-unix/X${2#:}"
}

# start_sway: sway on its X11 backend inside the Xvfb at $XVFB_DISPLAY. sway
# refuses to run as root, so it runs as nobody, with a runtime folder and a
# home of its own; root's clients still connect. Sets SWAY_PID, and exports
# XDG_RUNTIME_DIR, WAYLAND_DISPLAY and SWAYSOCK for the program, grim and swaymsg.
start_sway() {
    local rt home sock
    rt=$(mktemp -d)
    home=$(mktemp -d)
    at_cleanup "rm -rf $rt $home"
    chown 65534:65534 "$rt" "$home"
    chmod 700 "$rt"
    chmod 755 "$home"
    printf '%s\n' "${SWAY_CONFIG:-output * bg #303030 solid_color}" >"$home/config"
    chmod 644 "$home/config"
    DISPLAY=$XVFB_DISPLAY WLR_BACKENDS=x11 WLR_X11_OUTPUTS=1 WLR_RENDERER=pixman \
        XDG_RUNTIME_DIR=$rt HOME=$home \
        setpriv --reuid=65534 --regid=65534 --clear-groups sway -c "$home/config" >"$WORK/sway.log" 2>&1 &
    SWAY_PID=$!
    disown "$SWAY_PID" # its end is ours to cause: no job report for it
    at_cleanup "kill $SWAY_PID 2>/dev/null"
    export XDG_RUNTIME_DIR=$rt
    for _ in $(seq 100); do
        sock=$(ls "$rt" 2>/dev/null | grep -m1 '^wayland-[0-9]*$')
        SWAYSOCK=$(ls "$rt"/sway-ipc.*.sock 2>/dev/null | head -1)
        if [ -n "$sock" ] && [ -n "$SWAYSOCK" ] && SWAYSOCK=$SWAYSOCK swaymsg -t get_version >/dev/null 2>&1; then
            export WAYLAND_DISPLAY=$sock SWAYSOCK
            return 0
        fi
        kill -0 "$SWAY_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "e2e: cannot start sway:" >&2
    cat "$WORK/sway.log" >&2
    exit 1
}

# weston_enter x y: the pointer to (x, y) by way of the strip below weston's
# output, so that weston takes its place afresh.
weston_enter() { xdotool mousemove "$1" "$(($(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[2] }') - 2))" sleep 0.05 mousemove "$1" "$2" sleep 0.05; }

# start_weston: weston, which leaves decorations to its clients, on its X11
# backend filling the Xvfb at $XVFB_DISPLAY (so root coordinates are its
# output's), run as nobody like sway. Sets WESTON_PID; exports XDG_RUNTIME_DIR
# and WAYLAND_DISPLAY.
# Its output leaves a strip of WESTON_STRIP rows at the Xvfb's bottom: the
# backend turns X pointer motion into relative steps, so one step lost while it
# starts leaves its pointer off from the X pointer for good, and only the X
# pointer entering its window again (weston_enter) sets it right.
WESTON_STRIP=8
start_weston() {
    local rt home size
    rt=$(mktemp -d)
    home=$(mktemp -d)
    at_cleanup "rm -rf $rt $home"
    chown 65534:65534 "$rt" "$home"
    chmod 700 "$rt"
    # No panel, a plain blue background (a frame is grey), and no screen lock while the test runs.
    printf '[core]\nidle-time=0\n[shell]\nbackground-color=0xff4080c0\npanel-position=none\n' >"$home/weston.ini"
    chmod 644 "$home/weston.ini"
    size=$(xdpyinfo -display "$XVFB_DISPLAY" | awk '/dimensions:/ { print $2 }')
    DISPLAY=$XVFB_DISPLAY XDG_RUNTIME_DIR=$rt HOME=$home \
        setpriv --reuid=65534 --regid=65534 --clear-groups weston --backend=x11-backend.so --use-pixman \
        --width="${size%x*}" --height="$((${size#*x} - WESTON_STRIP))" --socket=wayland-e2e -c "$home/weston.ini" >"$WORK/weston.log" 2>&1 &
    WESTON_PID=$!
    disown "$WESTON_PID"
    at_cleanup "kill $WESTON_PID 2>/dev/null"
    export XDG_RUNTIME_DIR=$rt WAYLAND_DISPLAY=wayland-e2e
    # Ready once its shell client has drawn the background (its pointer starts at 0, 0).
    for _ in $(seq 100); do
        if [ -S "$rt/wayland-e2e" ] && grep -q 'launching.*weston-desktop-shell' "$WORK/weston.log" &&
            [ "$(convert x:root -format '%[pixel:p{1000,10}]' info: 2>/dev/null)" = 'srgb(64,128,192)' ]; then
            return 0
        fi
        kill -0 "$WESTON_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "e2e: cannot start weston:" >&2
    cat "$WORK/weston.log" >&2
    exit 1
}

# start_mutter: GNOME's compositor as a Wayland-only display server nested in
# the Xvfb at $XVFB_DISPLAY, as the desktop runs it, on a session bus and in a
# runtime folder of its own (it warns of the session services it misses:
# harmless). Its output is a window at the root's top-left corner, 800 x 600.
# Sets MUTTER_PID; exports XDG_RUNTIME_DIR, WAYLAND_DISPLAY and DBUS_SESSION_BUS_ADDRESS.
start_mutter() {
    local rt home bus
    rt=$(mktemp -d)
    home=$(mktemp -d)
    chmod 700 "$rt"
    at_cleanup "rm -rf $rt $home"
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || { echo "e2e: cannot start a session bus" >&2; exit 1; }
    at_cleanup "kill ${bus##*$'\n'} 2>/dev/null"
    export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*} XDG_RUNTIME_DIR=$rt
    DISPLAY=$XVFB_DISPLAY HOME=$home mutter --nested --wayland --no-x11 --wayland-display=wayland-e2e \
        >"$WORK/mutter.log" 2>&1 &
    MUTTER_PID=$!
    disown "$MUTTER_PID"
    at_cleanup "kill $MUTTER_PID 2>/dev/null"
    export WAYLAND_DISPLAY=wayland-e2e
    # Ready once its output shows its background (blue; the Xvfb's root is black).
    for _ in $(seq 100); do
        if [ -S "$rt/wayland-e2e" ] && convert x:root -format '%[fx:p{700,500}.b>0.2]' info: 2>/dev/null | grep -qx 1; then
            return 0
        fi
        kill -0 "$MUTTER_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "e2e: cannot start mutter:" >&2
    cat "$WORK/mutter.log" >&2
    exit 1
}

# sway_window name: "shell floating x y w h" of the first window with that
# name (x y: its client's top-left on the output), or nothing.
sway_window() {
    swaymsg -t get_tree 2>/dev/null | jq -r --arg n "$1" '
        [(.. | objects | select(.floating_nodes?) | .floating_nodes[] | select(.name == $n) | [., true]),
         (.. | objects | select(.nodes? and .name == $n and .type == "con") | [., false])]
        | first // empty
        | "\(.[0].shell) \(.[1]) \(.[0].rect.x + .[0].window_rect.x) \(.[0].rect.y + .[0].window_rect.y) \(.[0].window_rect.width) \(.[0].window_rect.height)"'
}

# sway_settled name limit_ms: waits for the window, and for its place to stay
# put (the compositor floats it, then decorates it); sets SWAY_WIN as sway_window.
sway_settled() {
    local start prev= cur
    start=$(now_ms)
    while [ $(($(now_ms) - start)) -lt "$2" ]; do
        cur=$(sway_window "$1")
        [ -n "$cur" ] && [ "$cur" = "$prev" ] && SWAY_WIN=$cur && return 0
        prev=$cur
        sleep 0.2
    done
    return 1
}

# --- The program -------------------------------------------------------------

# Waits up to EXIT_LIMIT_MS from start_ms for the program to end; sets
# EXIT_STATUS (a number or "timeout") and EXIT_MS.
wait_exit() {
    local start=$1
    EXIT_STATUS=timeout
    while [ $(($(now_ms) - start)) -le "$EXIT_LIMIT_MS" ]; do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            EXIT_STATUS=$?
            break
        fi
        sleep 0.01
    done
    EXIT_MS=$(($(now_ms) - start))
    if [ "$EXIT_STATUS" = timeout ]; then
        kill -9 "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    APP_PID=
}
# The program ended with status 0 within limit_ms (after wait_exit).
exited_within() { [ "$EXIT_STATUS" = 0 ] && [ "$EXIT_MS" -le "$1" ]; }
# The program ended on its own within EXIT_LIMIT_MS with a failure status, not
# by a signal (no crash, no core dump).
exited_failing() { [ "$EXIT_STATUS" != timeout ] && between 1 127 "$EXIT_STATUS"; }

# CPU ticks (user + system) of a process, all its threads.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# gl_libraries pid: the GL, EGL and DRI driver libraries the process maps, one
# line, or nothing (libgbm and libwayland-egl are not drivers: libSDL2 links them).
gl_libraries() {
    awk '{ print $6 }' "/proc/$1/maps" | grep -E '/(libEGL|libGL|libGLX|libGLdispatch)[^/]*\.so|_dri\.so|/dri/' |
        xargs -r -n1 basename | sort -u | tr '\n' ' ' | sed 's/ $//'
}
# Voluntary context switches of all a process's threads: how often it slept and woke.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }
# percent ticks ms: the share of one core the ticks are over ms milliseconds.
percent() { awk -v d="$1" -v t="$(getconf CLK_TCK)" -v ms="$2" 'BEGIN { printf "%.2f", 100 * d / t / (ms / 1000) }'; }
# at_most value limit: decimal comparison.
at_most() { awk -v v="$1" -v l="$2" 'BEGIN { exit !(v <= l) }'; }

# measure_idle pid seconds: sets IDLE_CPU (percent of a core) and IDLE_WAKEUPS (per second).
measure_idle() {
    local c0 w0 t0 ms
    c0=$(cpu_ticks "$1")
    w0=$(wakeups "$1")
    t0=$(now_ms)
    sleep "$2"
    ms=$(($(now_ms) - t0))
    IDLE_CPU=$(percent $(($(cpu_ticks "$1") - c0)) "$ms")
    IDLE_WAKEUPS=$(awk -v d=$(($(wakeups "$1") - w0)) -v ms="$ms" 'BEGIN { printf "%.1f", d / (ms / 1000) }')
}

# The wheel trace (QUINDLE_TRACE_WHEEL=1): one line on the program's stderr,
# read from $WORK/stderr, per notch presented.
WHEEL_PAIRS=${WHEEL_PAIRS:-30} # up-and-down pairs of notches per latency measurement
WHEEL_GAP=0.03 # s between notches: more than a refresh period, so each one gets a present of its own

# Alternate notches up and down with the pointer in the area: the player ends where it began.
wheel_pairs() {
    local args=() i
    for i in $(seq "$WHEEL_PAIRS"); do
        args+=(click --delay 0 4 sleep "$WHEEL_GAP" click --delay 0 5 sleep "$WHEEL_GAP")
    done
    xdotool "${args[@]}"
}
wheel_lines() { grep -c ' wheel ' "$WORK/stderr"; }
# wheel_figure where first_line: the figure over the trace's lines from first_line on.
wheel_figure() {
    local lines event handled
    lines=$(sed -n "$2,\$p" "$WORK/stderr" | sed -n 's/.* wheel \([0-9]*\) ms after the event (\([0-9.]*\) ms .*/\1 \2/p')
    event=$(cut -d' ' -f1 <<<"$lines")
    handled=$(cut -d' ' -f2 <<<"$lines")
    echo "figure: wheel to present $1 over $(wc -l <<<"$lines") notches:" \
        "median $(median <<<"$event") ms from the event's timestamp" \
        "(mean $(awk '{ s += $1 } END { printf "%.2f", s / NR }' <<<"$event") ms, max $(sort -n <<<"$event" | tail -1) ms," \
        "at the timestamp's 1 ms resolution); median $(median <<<"$handled") ms from handling"
}
# Waits until the trace has as many lines as notches were sent.
wait_traced() {
    local i
    for i in $(seq 100); do
        [ "$(wheel_lines)" -ge "$1" ] && return 0
        sleep 0.02
    done
    return 1
}

source "$(dirname "${BASH_SOURCE[0]}")/screen.sh"
