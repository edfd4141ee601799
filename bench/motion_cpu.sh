#!/usr/bin/env bash
# The program's cost on the display, on X11 (a plain Xvfb) and as a Wayland
# client (sway nested in an Xvfb), side by side in one run:
#   the CPU of the program and of the display server while an XTest client
#   moves the pointer over the menu screen at MOTION_RATE events/s for
#   MEASURE_SECONDS; wheel notch to presented pixels in a game (QUINDLE_TRACE_WHEEL);
#   start to first paint (QUINDLE_TRACE_FIRST_PAINT); exec to the window on
#   the screen measured from outside (bench/start_probe.c), beside a minimal
#   client measured the same way in turn (xmessage on X11, weston-simple-shm
#   on sway) and beside that client with the program's libraries loaded into
#   it, which is as fast as any program linking them can start; CPU and
#   wake-ups per second idle on the menu; resident memory on the menu and the
#   GL, EGL or DRI libraries mapped (libgbm is always there: libSDL2 links
#   it). Figures only: nothing here passes or fails.
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
START_RUNS=${START_RUNS:-9} # of each client, taking turns
SCALE=${MOTION_SCALE:-1}
case $SCALE in 1 | 2 | 3 | 4) ;; *) echo "motion_cpu: MOTION_SCALE is 1 to 4" >&2; exit 2 ;; esac
# Room for the window, or for sway's output, at that scale (not SCREEN: xdotool --shell sets that).
DESKTOP=$((1024 * SCALE))x$((768 * SCALE))x24 # the same desktop in points
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent}

cc -O2 -Wall -Wextra -o "$WORK/motion_client" "$HERE/motion_client.c" -lXtst -lX11 ||
    { echo "motion_cpu: cannot build the XTest client (libxtst-dev)" >&2; exit 1; }
cc -O2 -Wall -Wextra -o "$WORK/start_probe" "$HERE/start_probe.c" -lXdamage -lX11 ||
    { echo "motion_cpu: cannot build the start-up probe (libxdamage-dev)" >&2; exit 1; }
# The libraries the program links, by the names the loader finds them by.
OUR_LIBRARIES=$(readelf -d "$BIN" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')

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

# start_figures system label probe_mode command...: START_RUNS runs of the
# program, of the command and of the command with our libraries preloaded,
# in turn, so that a machine's load falls on all three alike. Fills
# FIG_<system>_start_<ours|min|libs> ("median ms (CPU median ms)") and
# FIG_<system>_start_ratio.
start_figures() {
    local sys=$1 label=$2 mode=$3 i out
    shift 3
    local ours=() min=() libs=() ours_cpu=() min_cpu=() libs_cpu=()
    for i in $(seq "$START_RUNS"); do
        out=$("$WORK/start_probe" "$mode" 5000 "$BIN" 2>>"$WORK/probe.log") || { echo "motion_cpu: no window on $sys" >&2; exit 1; }
        ours+=("${out% *}") ours_cpu+=("${out#* }")
        out=$("$WORK/start_probe" "$mode" 5000 "$@" 2>>"$WORK/probe.log") || { echo "motion_cpu: no window from $1" >&2; exit 1; }
        min+=("${out% *}") min_cpu+=("${out#* }")
        out=$(LD_PRELOAD="$OUR_LIBRARIES" "$WORK/start_probe" "$mode" 5000 "$@" 2>>"$WORK/probe.log") ||
            { echo "motion_cpu: no window from $1 with our libraries" >&2; exit 1; }
        libs+=("${out% *}") libs_cpu+=("${out#* }")
    done
    local m_ours m_min
    m_ours=$(printf '%s\n' "${ours[@]}" | median)
    m_min=$(printf '%s\n' "${min[@]}" | median)
    eval "FIG_${sys}_start_ours='$label $m_ours ms (CPU $(printf '%s\n' "${ours_cpu[@]}" | median) ms)'"
    eval "FIG_${sys}_start_min='$1 $m_min ms (CPU $(printf '%s\n' "${min_cpu[@]}" | median) ms)'"
    eval "FIG_${sys}_start_libs='$1 $(printf '%s\n' "${libs[@]}" | median) ms (CPU $(printf '%s\n' "${libs_cpu[@]}" | median) ms)'"
    eval "FIG_${sys}_start_ratio='$(awk -v a="$m_ours" -v b="$m_min" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')'"
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
# Nothing else draws on this X server while the probe watches it.
start_figures x11 "first paint" x11 xmessage -title Quindle Quindle
measure x11

start_xvfb "$DESKTOP"
export DISPLAY=$XVFB_DISPLAY
WAYLAND_XVFB=$XVFB_PID
SWAY_CONFIG=$'output * bg #303030 solid_color\n'"output * mode ${DESKTOP%x*} scale $SCALE"
start_sway
SERVERS="sway Xvfb-below"
SERVER_PIDS="$SWAY_PID $WAYLAND_XVFB"
DISPLAY= start_figures wayland "mapped" sway weston-simple-shm
measure wayland

row() { printf '%-36s %-46s %s\n' "$1" "$2" "$3"; }
row "at device scale $SCALE" "X11 (Xvfb)" "Wayland (nested sway)"
row "pointer motion achieved (events/s)" "$FIG_x11_rate" "$FIG_wayland_rate"
row "program CPU under that motion" "$FIG_x11_motion" "$FIG_wayland_motion"
row "display server CPU meanwhile" "$FIG_x11_server" "$FIG_wayland_server"
row "wheel notch to presented pixels" "$FIG_x11_wheel" "$FIG_wayland_wheel"
row "start to first paint (median)" "$FIG_x11_first" "$FIG_wayland_first"
row "exec to the window shown (median)" "$FIG_x11_start_ours" "$FIG_wayland_start_ours"
row "  a minimal client, in turn" "$FIG_x11_start_min" "$FIG_wayland_start_min"
row "  that client with our libraries" "$FIG_x11_start_libs" "$FIG_wayland_start_libs"
row "  ours / the minimal client's" "$FIG_x11_start_ratio" "$FIG_wayland_start_ratio"
row "idle on the menu over ${MEASURE_SECONDS} s" "$FIG_x11_idle" "$FIG_wayland_idle"
row "resident memory on the menu" "$FIG_x11_rss" "$FIG_wayland_rss"
row "GL, EGL or DRI libraries mapped" "$FIG_x11_gl" "$FIG_wayland_gl"
