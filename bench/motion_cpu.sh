#!/usr/bin/env bash
# The program's cost on the display, on X11 (a plain Xvfb) and as a Wayland
# client (sway nested in an Xvfb), side by side in one run:
#   the CPU of the program and of the display server while an XTest client
#   moves the pointer over the menu screen at MOTION_RATE events/s for
#   MEASURE_SECONDS; wheel notch to presented pixels in a game (QUINDLE_TRACE_WHEEL);
#   start to first paint (QUINDLE_TRACE_FIRST_PAINT); CPU and wake-ups per
#   second idle on the menu; resident memory on the menu and the GL, EGL or
#   DRI libraries mapped (libgbm is always there: libSDL2 links it). Figures
#   only: nothing here passes or fails.
#   MOTION_SCALE=2 runs the same at a device scale of 2: Xft.dpi 192 on X11,
#   an output of scale 2 on Wayland; the pointer takes the same path in points.
# Usage: [MOTION_SCALE=1|2|3|4] bench/motion_cpu.sh path/to/quindle
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8

BIN=${1:?usage: motion_cpu.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$HERE/../tests/e2e/lib.sh"

MOTION_RATE=${MOTION_RATE:-1000}
MEASURE_SECONDS=${MEASURE_SECONDS:-5}
FIRST_PAINT_RUNS=5
SCALE=${MOTION_SCALE:-1}
case $SCALE in 1 | 2 | 3 | 4) ;; *) echo "motion_cpu: MOTION_SCALE is 1 to 4" >&2; exit 2 ;; esac
# Room for the window, or for sway's output, at that scale (not SCREEN: xdotool --shell sets that).
DESKTOP=$((1024 * SCALE))x$((768 * SCALE))x24 # the same desktop in points
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent}

cc -O2 -Wall -Wextra -o "$WORK/motion_client" "$HERE/motion_client.c" -lXtst -lX11 ||
    { echo "motion_cpu: cannot build the XTest client (libxtst-dev)" >&2; exit 1; }

# Each display system defines start_program (the program on it, with APP_PID,
# and DX DY, its client's top-left in the screen's device pixels, set once its
# window is on the screen) and SERVERS ("name pid" ...).
x11_start_program() {
    "$BIN" 2>"$WORK/stderr" &
    APP_PID=$!
    local win
    win=$(timeout 5 xdotool search --sync --onlyvisible --name '^Quindle$' 2>/dev/null | head -1)
    [ -n "$win" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    DX=$X DY=$Y
}
wayland_start_program() {
    env -u DISPLAY "$BIN" 2>"$WORK/stderr" &
    APP_PID=$!
    sway_settled Quindle 5000 || return 1
    read -r _ _ CX CY _ <<<"$SWAY_WIN"
    DX=$((SCALE * CX)) DY=$((SCALE * CY)) # the tree gives points
}
at_client() { xdotool mousemove $((DX + SCALE * $1)) $((DY + SCALE * $2)); }
stop_program() {
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=
}

# measure system: fills FIG_<system>_<figure>.
measure() {
    local sys=$1 i c0 s0 t0 ms name pid line first=()
    for i in $(seq "$FIRST_PAINT_RUNS"); do
        QUINDLE_TRACE_FIRST_PAINT=1 "${sys}_start_program" || { echo "motion_cpu: no window on $sys" >&2; exit 1; }
        wait_until 2000 grep -q 'first paint' "$WORK/stderr"
        first+=("$(sed -n 's/.*first paint \([0-9]*\) ms.*/\1/p' "$WORK/stderr")")
        stop_program
    done
    eval "FIG_${sys}_first='$(printf '%s\n' "${first[@]}" | median) ms (of ${first[*]})'"

    QUINDLE_TRACE_WHEEL=1 "${sys}_start_program"
    sleep 0.5
    measure_idle "$APP_PID" "$MEASURE_SECONDS"
    eval "FIG_${sys}_idle='$IDLE_CPU % of a core, $IDLE_WAKEUPS wake-ups/s'"
    eval "FIG_${sys}_rss='$(awk '/^VmRSS:/ { printf "%.1f MB", $2 / 1024 }' "/proc/$APP_PID/status")'"
    local gl
    gl=$(gl_libraries "$APP_PID")
    eval "FIG_${sys}_gl='${gl:-none}'"

    # The motion: over the drawing area, across Start and Exit.
    local servers_before=() pids names
    c0=$(cpu_ticks "$APP_PID")
    read -r -a pids <<<"$SERVER_PIDS"
    for pid in "${pids[@]}"; do servers_before+=("$(cpu_ticks "$pid")"); done
    t0=$(now_ms)
    line=$("$WORK/motion_client" $((DX + SCALE * 20)) $((DY + SCALE * 20)) $((SCALE * 500)) $((SCALE * 160)) \
        "$MOTION_RATE" "$MEASURE_SECONDS")
    ms=$(($(now_ms) - t0))
    eval "FIG_${sys}_rate='${line##*: }'"
    eval "FIG_${sys}_motion='$(percent $(($(cpu_ticks "$APP_PID") - c0)) "$ms") % of a core'"
    local server_figs= n=0
    read -r -a names <<<"$SERVERS"
    for pid in "${pids[@]}"; do
        server_figs+="${names[n]} $(percent $(($(cpu_ticks "$pid") - servers_before[n])) "$ms") %, "
        n=$((n + 1))
    done
    eval "FIG_${sys}_server='${server_figs%, }'"

    # The wheel in a game, with the pointer resting in the area: on the menu a
    # notch moves the player, which the menu does not show, so nothing is presented.
    at_client $START_AT
    xdotool click 1
    at_client $IN_AREA
    sleep 0.3
    local from=$(($(wheel_lines) + 1))
    wheel_pairs
    wait_traced $((from - 1 + 2 * WHEEL_PAIRS))
    local lines
    lines=$(sed -n "$from,\$p" "$WORK/stderr" | sed -n 's/.* wheel \([0-9]*\) ms after the event.*/\1/p')
    eval "FIG_${sys}_wheel='median $(median <<<"$lines") ms, max $(sort -n <<<"$lines" | tail -1) ms over $(wc -l <<<"$lines") notches'"
    stop_program
}

# Without -noreset the server drops the resource database when xrdb leaves.
start_xvfb "$DESKTOP" -noreset
export DISPLAY=$XVFB_DISPLAY
[ "$SCALE" -gt 1 ] && echo "Xft.dpi: $((96 * SCALE))" | xrdb -nocpp -merge
SERVERS=Xvfb
SERVER_PIDS=$XVFB_PID
measure x11

start_xvfb "$DESKTOP"
export DISPLAY=$XVFB_DISPLAY
WAYLAND_XVFB=$XVFB_PID
SWAY_CONFIG=$'output * bg #303030 solid_color\n'"output * mode ${DESKTOP%x*} scale $SCALE"
start_sway
SERVERS="sway Xvfb-below"
SERVER_PIDS="$SWAY_PID $WAYLAND_XVFB"
measure wayland

row() { printf '%-36s %-46s %s\n' "$1" "$2" "$3"; }
row "at device scale $SCALE" "X11 (Xvfb)" "Wayland (nested sway)"
row "pointer motion achieved (events/s)" "$FIG_x11_rate" "$FIG_wayland_rate"
row "program CPU under that motion" "$FIG_x11_motion" "$FIG_wayland_motion"
row "display server CPU meanwhile" "$FIG_x11_server" "$FIG_wayland_server"
row "wheel notch to presented pixels" "$FIG_x11_wheel" "$FIG_wayland_wheel"
row "start to first paint (median)" "$FIG_x11_first" "$FIG_wayland_first"
row "idle on the menu over ${MEASURE_SECONDS} s" "$FIG_x11_idle" "$FIG_wayland_idle"
row "resident memory on the menu" "$FIG_x11_rss" "$FIG_wayland_rss"
row "GL, EGL or DRI libraries mapped" "$FIG_x11_gl" "$FIG_wayland_gl"
