#!/usr/bin/env bash
# End-to-end checks on a Wayland desktop that leaves decorations to its
# clients: weston on its X11 backend inside an Xvfb, where libdecor draws the
# frames. xdotool on the Xvfb drives weston's pointer and keyboard; the Xvfb's
# root window holds weston's picture. weston places windows where it likes:
# a window is found by its dialog face, a region of that colour of its size.
#   the main window's title bar and menu screen; its maximise does nothing;
#   the About box (F1) with a title bar, closed by its close button; Start's
#   "Ready"; the main window's close button ends the program with status 0.
# Usage: weston.sh path/to/quindle
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8

BIN=${1:?usage: weston.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/decor.sh"

for tool in Xvfb weston xdotool import convert xdpyinfo setpriv; do
    command -v "$tool" >/dev/null || { echo "weston e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# pointer_follows: hovering over Start shows, once weston has the pointer's place afresh.
pointer_follows() { weston_enter $((CX + ${START_AT% *})) $((CY + ${START_AT#* })) && poll 1000 pixels_are $START_FILL $RED; }

start_xvfb
export DISPLAY=$XVFB_DISPLAY # for xdotool and import only
start_weston
echo "e2e: weston on $DISPLAY, Wayland display $WAYLAND_DISPLAY, program $BIN"

xdotool mousemove 1020 764 # below weston's output, off where the windows will be
env -u DISPLAY "$BIN" 2>"$WORK/stderr" &
APP_PID=$!
if main_window_appears weston; then
    check "hovering over Start fills it red" pointer_follows

    xdotool mousemove $(button $CX $CY $CWIDTH $((BUTTON + 31))) click 1 sleep 0.3 mousemove 1000 700
    check "the fixed-size window's maximise leaves it as it was" eval 'found $CWIDTH $CHEIGHT && [ "$FX $FY" = "$CX $CY" ]'

    xdotool key F1
    if wait_until 2000 found 411 83; then
        AX=$FX AY=$FY
        pass "F1 opens the 411 x 83 About box (at $AX, $AY)"
        check "... with a title bar and its caption" wait_until 1000 eval 'rootshot; title_bar $AX $AY 411'
        [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/shot.png" "$E2E_KEEP_SHOTS/weston-about.png"
        xdotool mousemove $(button $AX $AY 411 $BUTTON) click 1 sleep 0.1 mousemove 1000 700
        check "its close button closes it" wait_until 1000 gone 411 83
        check "... and the main window keeps its title bar" wait_until 1000 eval 'rootshot; title_bar $CX $CY $CWIDTH'
    else
        fail "F1 opens the 411 x 83 About box"
    fi

    start_then_close
    check "... saying nothing on stderr" [ ! -s "$WORK/stderr" ]
else
    fail "a $CLIENT_SIZE client appears"
fi

summary
