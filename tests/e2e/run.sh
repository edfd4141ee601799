#!/usr/bin/env bash
# End-to-end checks of the real program on its own Xvfb display (no window
# manager), driven with xdotool and read back from screenshots:
#   the window and its menu screen, the system menu and the About box, a clean
#   exit on Escape (20 runs, and 20 more right after the About box), and the
#   start-up failure without a display; then the game itself (game.sh) and
#   its keys, pause and best score (keys.sh). It also prints the start-up
#   time, the memory, the idle CPU, the wheel latency and the CPU during a
#   game that it measures (figures, not checks).
# Usage: run.sh path/to/quindle
set -u

BIN=${1:?usage: run.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
WORK=$(mktemp -d)
PASSED=0
FAILED=0
XVFB_PID=
APP_PID=

RUNS=20
EXIT_LIMIT_MS=1000
IDLE_SECONDS=10
ABOUT_CAPTION='Quindleのﾊﾞｰｼﾞｮﾝ情報'

# Colours of the menu screen and the dialog, as "r,g,b".
BLACK=0,0,0
DARK_GREY=38,38,38
GREY=140,140,140
RED=204,0,0
FACE=212,208,200

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

pass() { PASSED=$((PASSED + 1)); echo "ok   - $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL - $1"; }
check() { # check "name" command...
    local name=$1
    shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}
now_ms() { date +%s%3N; }

start_xvfb() {
    local n
    for n in 90 91 92 93 94 95 96 97 98 99; do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    done
    echo "e2e: cannot start Xvfb" >&2
    exit 1
}

# Starts the program and waits for its main window; sets APP_PID and WIN.
launch() {
    "$BIN" "$@" 2>"$WORK/stderr" &
    APP_PID=$!
    WIN=$(timeout 5 xdotool search --sync --onlyvisible --name '^Quindle$' 2>/dev/null | head -1)
    [ -n "$WIN" ]
}

# Waits up to EXIT_LIMIT_MS for the program to end; sets EXIT_STATUS and EXIT_MS.
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

# Top-level windows as "id width height x y name", one per line.
windows() {
    xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) \(.*\): ([^)]*) *\([0-9]*\)x\([0-9]*\)+\(-\{0,1\}[0-9]*\)+\(-\{0,1\}[0-9]*\).*/\1 \3 \4 \5 \6 \2/p'
}
geometry_of() { # geometry_of id -> "width height x y"
    windows | awk -v id="$(printf '0x%x' "$1")" '$1 == id { print $2, $3, $4, $5 }'
}

shot() { import -window root "$WORK/shot.png"; }
# pixel x y (screen) -> "r,g,b" of the last screenshot
pixel() {
    convert "$WORK/shot.png" -format "%[fx:int(255*p{$1,$2}.r+0.5)],%[fx:int(255*p{$1,$2}.g+0.5)],%[fx:int(255*p{$1,$2}.b+0.5)]" info:
}
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
# dark_in x y w h: the block (screen) holds a dark (text) pixel
dark_in() {
    [ "$(convert "$WORK/shot.png" -crop "$3x$4+$1+$2" +repage -colorspace gray -format '%[fx:minima<0.3]' info:)" = 1 ]
}
# blue_in x y w h: the block holds a pixel of the captions' blue
blue_in() {
    [ "$(convert "$WORK/shot.png" -crop "$3x$4+$1+$2" +repage -fx 'b>0.5&&r<0.3&&g<0.3' -format '%[fx:maxima]' info:)" = 1 ]
}

start_xvfb
# The program keeps its best score in its state folder: a scratch one here.
export XDG_STATE_HOME="$WORK/state"
# Xvfb comes without a session bus. With no bus address, libdbus (called by
# SDL's video start-up) forks at every start to autolaunch one, and a child
# forked from a ThreadSanitizer build can hang there. Point it at no bus.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent}
echo "e2e: display $DISPLAY, program $BIN"

# --- The window and the menu screen --------------------------------------
if launch; then
    pass "the main window appears"
    read -r W H X Y <<<"$(geometry_of "$WIN")"
    check "its title is Quindle" [ "$(xdotool getwindowname "$WIN")" = Quindle ]
    check "its client area is 558 x 251" [ "$W x $H" = "558 x 251" ]
    xdotool mousemove 0 0
    sleep 0.3
    shot
    # With E2E_KEEP_SHOTS=dir, the menu screen's client area is kept there (the README's picture).
    [ -n "${E2E_KEEP_SHOTS:-}" ] && convert "$WORK/shot.png" -crop "${W}x${H}+${X}+${Y}" +repage "$E2E_KEEP_SHOTS/menu.png"
    at() { echo $((X + $1)) $((Y + $2)); }
    check "the drawing area is black" pixel_is $(at 20 20) $BLACK
    check "the area reaches its bottom-right corner" pixel_is $(at 545 196) $BLACK
    check "the dialog face lies outside the area" pixel_is $(at 5 240) $FACE
    check "the title box is dark grey inside a grey frame" \
        bash -c "[ '$(pixel $(at 90 30))' = $DARK_GREY ] && [ '$(pixel $(at 86 50))' = $GREY ]"
    check "the title text is red" bash -c "convert '$WORK/shot.png' -crop 383x54+$((X + 86))+$((Y + 23)) +repage \
        -fx 'r>0.7&&g<0.1&&b<0.1' -format '%[fx:maxima]' info: | grep -qx 1"
    check "Start is a dark grey button in a grey frame with a blue caption" \
        bash -c "[ '$(pixel $(at 218 105))' = $DARK_GREY ] && [ '$(pixel $(at 214 118))' = $GREY ]"
    check "Start's caption is blue" blue_in $(at 214 102) 124 32
    check "Exit is a dark grey button in a grey frame" \
        bash -c "[ '$(pixel $(at 218 149))' = $DARK_GREY ] && [ '$(pixel $(at 337 160))' = $GREY ]"
    check "Exit's caption is blue" blue_in $(at 214 146) 124 32
    check "no Stop button on the menu screen" pixel_is $(at 430 210) $FACE

    # --- The system menu and the About box --------------------------------
    xdotool mousemove $((X + 100)) $((Y + 225)) click 3
    sleep 0.3
    POPUP=$(windows | awk -v main="$(printf '0x%x' "$WIN")" '$1 != main { print; exit }')
    if [ -n "$POPUP" ]; then
        pass "a right click opens the system menu"
        read -r _ PW PH PX PY _ <<<"$POPUP"
        shot
        check "the system menu is drawn in the menu face" pixel_is $((PX + PW - 6)) $((PY + 6)) $FACE
        check "the system menu shows its items' text" dark_in $((PX + 20)) $((PY + 3)) $((PW - 40)) $((PH - 6))
        xdotool mousemove $((PX + 40)) $((PY + PH - 12)) click 1
        sleep 0.4
        ABOUT=$(windows | grep "\"$ABOUT_CAPTION\"" | head -1)
        if [ -n "$ABOUT" ]; then
            pass "the About item opens the About box"
            read -r _ AW AH AX AY _ <<<"$ABOUT"
            check "the About box is 411 x 83" [ "$AW x $AH" = "411 x 83" ]
            shot
            cp "$WORK/shot.png" "${E2E_KEEP_SHOTS:-$WORK}/about.png" 2>/dev/null
            check "the About box shows the icon's red player" pixel_is $((AX + 24)) $((AY + 41)) $RED
            check "the About box shows its version text" dark_in $((AX + 70)) $((AY + 15)) 208 12
            check "the OK button has the default button's black frame" pixel_is $((AX + 312)) $((AY + 20)) $BLACK
            check "the OK button shows its caption" dark_in $((AX + 340)) $((AY + 14)) 32 16
            check "the main window goes on painting under the About box" pixel_is $(at 20 20) $BLACK
            xdotool mousemove $((AX + 356)) $((AY + 21)) click 1
            sleep 0.3
            check "OK closes the About box" bash -c "! xwininfo -root -children | grep -q '$ABOUT_CAPTION'"
        else
            fail "the About item opens the About box"
        fi
    else
        fail "a right click opens the system menu"
    fi
    check "the main window is still open" kill -0 "$APP_PID"
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape after the About box ends the program with status 0 (${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
else
    fail "the main window appears"
fi

# --- A clean exit, many times --------------------------------------------
exit_runs() { # exit_runs with_about
    local ok=0 i worst=0
    for i in $(seq "$RUNS"); do
        launch || continue
        if [ "$1" = yes ]; then
            xdotool key alt+space
            sleep 0.15
            xdotool key a
            sleep 0.25
            xwininfo -root -children | grep -q "$ABOUT_CAPTION" || { kill "$APP_PID"; wait "$APP_PID"; continue; }
            xdotool key Escape
            sleep 0.15
        fi
        local t0
        t0=$(now_ms)
        xdotool key Escape
        wait_exit "$t0"
        [ "$EXIT_STATUS" = 0 ] && ok=$((ok + 1))
        [ "$EXIT_MS" -gt "$worst" ] && worst=$EXIT_MS
    done
    EXIT_OK=$ok
    EXIT_WORST=$worst
}
exit_runs no
check "Escape ends the program with status 0 within 1 s: $EXIT_OK of $RUNS runs (slowest ${EXIT_WORST} ms)" \
    [ "$EXIT_OK" = "$RUNS" ]
exit_runs yes
check "right after the About box, Escape ends it with status 0: $EXIT_OK of $RUNS runs (slowest ${EXIT_WORST} ms)" \
    [ "$EXIT_OK" = "$RUNS" ]

# --- No display -----------------------------------------------------------
env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY "$BIN" >"$WORK/nodisplay.out" 2>"$WORK/nodisplay.err"
STATUS=$?
check "without a display the program exits non-zero ($STATUS)" [ "$STATUS" -ne 0 ]
check "... with its one line on stderr" [ "$(cat "$WORK/nodisplay.err")" = "quindle: cannot open a display" ]
check "... and nothing on stdout" [ ! -s "$WORK/nodisplay.out" ]

# --- The game -------------------------------------------------------------
source "$(dirname "${BASH_SOURCE[0]}")/game.sh"
source "$(dirname "${BASH_SOURCE[0]}")/keys.sh"

# --- Figures --------------------------------------------------------------
FIRST=()
for i in 1 2 3 4 5; do
    QUINDLE_TRACE_FIRST_PAINT=1 "$BIN" 2>"$WORK/trace" &
    APP_PID=$!
    timeout 5 xdotool search --sync --onlyvisible --name '^Quindle$' >/dev/null 2>&1
    sleep 0.3
    xdotool key Escape
    wait_exit "$(now_ms)"
    FIRST+=("$(sed -n 's/.*first paint \([0-9]*\) ms.*/\1/p' "$WORK/trace")")
done
MEDIAN=$(printf '%s\n' "${FIRST[@]}" | sort -n | sed -n 3p)
echo "figure: start to first paint ${MEDIAN} ms (median of ${FIRST[*]})"

if launch; then
    sleep 0.5
    RSS=$(ps -o rss= -p "$APP_PID" | tr -d ' ')
    echo "figure: resident memory on the menu screen $((RSS / 1024)) MB ($RSS kB)"
    TICKS=$(getconf CLK_TCK)
    cpu() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }
    C0=$(cpu)
    sleep "$IDLE_SECONDS"
    C1=$(cpu)
    echo "figure: idle CPU on the menu screen over ${IDLE_SECONDS} s:" \
        "$(awk -v d=$((C1 - C0)) -v t="$TICKS" -v s="$IDLE_SECONDS" 'BEGIN { printf "%.2f %%", 100 * d / t / s }')"
    xdotool key Escape
    wait_exit "$(now_ms)"
fi

echo "e2e: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
