#!/usr/bin/env bash
# End-to-end checks of the real program on its own Xvfb display (no window
# manager), driven with xdotool and read back from screenshots:
#   the window and its menu screen, the system menu drawn inside the window
#   and the About box, the window as it was once they close, a running game
#   that goes on under the About box, a clean exit on Escape (20 runs, and 20
#   more right after the About box), the start-up failure without a display
#   and the end when the display goes away during a game; then the game itself
#   (game.sh), its keys, pause and best score (keys.sh) and its sound
#   (sound.sh). The program's CPU on the menu and during a game is held to a
#   few percent of a core. The first window, its menu and its About box come
#   from a program started with no locale. It also prints the start-up time,
#   the memory, the wake-ups per second on the menu and the wheel latency it
#   measures.
# Usage: run.sh path/to/quindle
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8

BIN=${1:?usage: run.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
E2E_DIR=$(dirname "${BASH_SOURCE[0]}")
source "$E2E_DIR/lib.sh"

RUNS=20
MEASURE_SECONDS=5
# Of one core, over MEASURE_SECONDS: the program takes well under 1 % on the
# menu and in a game; a loop that spins instead of sleeping takes 100 %.
CPU_LIMIT=5
ABOUT_CAPTION='Quindleのﾊﾞｰｼﾞｮﾝ情報'
LOST_LINE='quindle: lost the connection to the display'

# Top-level windows as "id width height x y name", one per line.
windows() {
    xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) \(.*\): ([^)]*) *\([0-9]*\)x\([0-9]*\)+\(-\{0,1\}[0-9]*\)+\(-\{0,1\}[0-9]*\).*/\1 \3 \4 \5 \6 \2/p'
}
geometry_of() { # geometry_of id -> "width height x y"
    windows | awk -v id="$(printf '0x%x' "$1")" '$1 == id { print $2, $3, $4, $5 }'
}
# about_open: the About box is on the screen; sets ABOUT ("w h x y").
about_open() {
    ABOUT=$(windows | grep "\"$ABOUT_CAPTION\"" | head -1 | awk '{ print $2, $3, $4, $5 }')
    [ -n "$ABOUT" ]
}
about_closed() { ! about_open; }
# about_is_dialog: the About box is, to a window manager, a dialog of the main window.
about_is_dialog() {
    local id props
    id=$(windows | grep "\"$ABOUT_CAPTION\"" | head -1 | cut -d' ' -f1)
    props=$(xprop -id "$id" _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR)
    grep -q '_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG$' <<<"$props" &&
        [ "$(sed -n 's/^WM_TRANSIENT_FOR(WINDOW): window id # //p' <<<"$props")" = "$(printf '0x%x' "$WIN")" ]
}

# With no window manager the window is its client area.
# import grabs the server while it reads: one left waiting on a window that
# went (a burst stopped mid-capture) would freeze every client of the Xvfb.
wshot_to() { timeout 5 import -window "$WIN" "$1"; }
rootshot() { import -window root "$WORK/shot.png"; }

# Starts the program and waits for its main window; sets APP_PID, WIN, CX and CY.
# LAUNCH_WITH (say no_locale) goes before the program.
launch() {
    ${LAUNCH_WITH:-} "$BIN" "$@" 2>"$WORK/stderr" &
    APP_PID=$!
    WIN=$(timeout 5 xdotool search --sync --onlyvisible --name '^Quindle$' 2>/dev/null | head -1)
    [ -n "$WIN" ] || return 1
    read -r CW CH CX CY <<<"$(geometry_of "$WIN")"
}

start_xvfb
export DISPLAY=$XVFB_DISPLAY
# The program keeps its best score in its state folder: a scratch one here.
export XDG_STATE_HOME="$WORK/state"
# Xvfb comes without a session bus. With no bus address, libdbus (called by
# SDL's video start-up) forks at every start to autolaunch one, and a child
# forked from a ThreadSanitizer build can hang there. Point it at no bus.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent}
echo "e2e: display $DISPLAY, program $BIN"

# --- The window and the menu screen --------------------------------------
# The program itself with no locale: its titles and drawn text must not need one.
if LAUNCH_WITH=no_locale launch; then
    pass "the main window appears"
    check "its title is Quindle" [ "$(xdotool getwindowname "$WIN")" = Quindle ]
    check "its client area is $CLIENT_SIZE" [ "$CW x $CH" = "$CLIENT_SIZE" ]
    xdotool mousemove 0 0
    sleep 0.3
    check_menu_screen
    # With E2E_KEEP_SHOTS=dir, the menu screen's client area is kept there (the README's picture).
    [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/win.png" "$E2E_KEEP_SHOTS/menu.png"

    # --- The system menu and the About box --------------------------------
    if open_system_menu; then
        read -r PW PH PX PY <<<"$POPUP"
        [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/win.png" "$E2E_KEEP_SHOTS/popup.png"
        click_at $((PX + 40)) $((PY + PH - 12))
        if wait_until 1500 about_open; then
            pass "the About item opens the About box"
            read -r AW AH AX AY <<<"$ABOUT"
            check "the About box is 411 x 83" [ "$AW x $AH" = "411 x 83" ]
            check "... a dialog of the main window, transient for it" about_is_dialog
            sleep 0.2
            rootshot
            [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/shot.png" "$E2E_KEEP_SHOTS/about.png"
            check_about_box "$AX" "$AY"
            xdotool mousemove $((AX + 356)) $((AY + 21)) click 1
            check "OK closes the About box" wait_until 1000 about_closed
            # Where the right click was: on the face, over no button, so no hover differs.
            at_client $NEAR_BOTTOM
            expect "once they close, the client is pixel for pixel what it was before they opened" \
                1000 same_as "$WORK/before.png"
        else
            fail "the About item opens the About box"
        fi
    fi
    check "the main window is still open" kill -0 "$APP_PID"
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape after the About box ends the program with status 0 (${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
else
    fail "the main window appears"
fi

# --- The About box over a running game ------------------------------------
if launch; then
    click_at $START_AT
    if poll 1500 text_is Ready; then
        xdotool key alt+space
        sleep 0.15
        xdotool key a
        if wait_until 1500 about_open; then
            read -r AW AH AX AY <<<"$ABOUT"
            if field_changes_under $((AX - CX)) $((AY - CY)) "$AW" "$AH"; then
                pass "under the About box, the game's field goes on changing where the box leaves it free"
            else
                fail "under the About box, the game's field goes on changing where the box leaves it free ($SEEN)"
            fi
            xdotool key Escape
            check "Escape closes the About box" wait_until 1000 about_closed
        else
            fail "Alt+Space then a opens the About box during a game"
        fi
    else
        fail "Start shows \"Ready\" (saw: $SEEN)"
    fi
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "then Escape ends the program with status 0 ($EXIT_STATUS, ${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
else
    fail "the main window appears (About box over a game)"
fi

# --- A clean exit, many times --------------------------------------------
exit_runs() { # exit_runs with_about
    local ok=0 i worst=0 t0
    EXIT_TROUBLE=
    for i in $(seq "$RUNS"); do
        launch || { EXIT_TROUBLE+=" run $i: no window;"; continue; }
        if [ "$1" = yes ]; then
            xdotool key alt+space
            sleep 0.15
            xdotool key a
            wait_until 1500 about_open || { EXIT_TROUBLE+=" run $i: no About box;"; kill "$APP_PID"; wait "$APP_PID"; continue; }
            xdotool key Escape
            wait_until 1000 about_closed || EXIT_TROUBLE+=" run $i: the About box stayed open;"
        fi
        t0=$(now_ms)
        xdotool key Escape
        wait_exit "$t0"
        if [ "$EXIT_STATUS" = 0 ]; then ok=$((ok + 1)); else EXIT_TROUBLE+=" run $i: status $EXIT_STATUS after $EXIT_MS ms;"; fi
        [ "$EXIT_MS" -gt "$worst" ] && worst=$EXIT_MS
    done
    EXIT_OK=$ok
    EXIT_WORST=$worst
}
exit_runs no
check "Escape ends the program with status 0 within 1 s: $EXIT_OK of $RUNS runs (slowest ${EXIT_WORST} ms)$EXIT_TROUBLE" \
    [ "$EXIT_OK" = "$RUNS" ]
exit_runs yes
check "right after the About box, Escape ends it with status 0: $EXIT_OK of $RUNS runs (slowest ${EXIT_WORST} ms)$EXIT_TROUBLE" \
    [ "$EXIT_OK" = "$RUNS" ]

# --- No display -----------------------------------------------------------
env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY "$BIN" >"$WORK/nodisplay.out" 2>"$WORK/nodisplay.err"
STATUS=$?
check "without a display the program exits non-zero ($STATUS)" [ "$STATUS" -ne 0 ]
check "... with its one line on stderr" [ "$(cat "$WORK/nodisplay.err")" = "quindle: cannot open a display" ]
check "... and nothing on stdout" [ ! -s "$WORK/nodisplay.out" ]

# --- The display goes away during a game ------------------------------------
# On an Xvfb of its own, so that this display stays for what follows.
MAIN_DISPLAY=$DISPLAY
MAIN_XVFB_PID=$XVFB_PID
start_xvfb
export DISPLAY=$XVFB_DISPLAY
if launch && click_at $START_AT && poll 4000 frames_shown; then
    T0=$(now_ms)
    kill_xvfb "$XVFB_PID" "$DISPLAY"
    wait_exit "$T0"
    check "the X server killed during a game ends the program within 1 s with a failure status ($EXIT_STATUS, ${EXIT_MS} ms)" \
        exited_failing
    check "... saying so in one line on stderr" [ "$(cat "$WORK/stderr")" = "$LOST_LINE" ]
else
    fail "a game runs on the second display (saw: ${SEEN:-no window})"
fi
export DISPLAY=$MAIN_DISPLAY
XVFB_PID=$MAIN_XVFB_PID

# --- The game -------------------------------------------------------------
source "$E2E_DIR/game.sh"
source "$E2E_DIR/keys.sh"
source "$E2E_DIR/sound.sh"

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
    measure_idle "$APP_PID" "$MEASURE_SECONDS"
    check "on the menu the program takes at most $CPU_LIMIT % of a core ($IDLE_CPU % over $MEASURE_SECONDS s)" \
        at_most "$IDLE_CPU" "$CPU_LIMIT"
    echo "figure: wake-ups on the menu screen $IDLE_WAKEUPS per second (voluntary context switches, all threads)"
    xdotool key Escape
    wait_exit "$(now_ms)"
fi

summary
