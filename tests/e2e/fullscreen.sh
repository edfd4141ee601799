#!/usr/bin/env bash
# End-to-end checks of fullscreen and the zoom on a 1280 x 800 screen, on X11
# under a window manager (openbox: bare Xvfb has none to carry fullscreen
# out) and as a Wayland client on a nested sway. In one run on each: F11
# gives the screen at scale 2, the picture centred in black and, pixel for
# pixel, the 2x golden menu; a click on Start at its scaled place starts a
# game; F11 again gives the window back as it was; Ctrl+plus makes it
# 1116 x 502, wholly on the screen, and the zoom is kept: the next run starts
# at that size (and on X11 QUINDLE_SCALE still wins for one run; on Wayland
# Ctrl+minus first takes it back to 558 x 251, on its 1x buffers). Last, at
# Xft.dpi 192 on a 1600 x 1200 screen the 2x window starts wholly on it.
# Usage: fullscreen.sh path/to/quindle
# With E2E_KEEP_SHOTS=dir, the X11 fullscreen game is kept there (the README's picture).
set -u

BIN=${1:?usage: fullscreen.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/lib.sh"
GOLDEN=$E2E_DIR/../render/golden

for tool in Xvfb openbox xrdb xwininfo sway swaymsg grim jq xdotool convert compare import; do
    command -v "$tool" >/dev/null || { echo "fullscreen e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent}

SCREEN_W=1280
SCREEN_H=800
# At scale 2 the 1116 x 502 picture sits at (82, 149) on the screen.
PIC_X=82
PIC_Y=149
PIC=1116x502+$PIC_X+$PIC_Y
DEVICE_AREA=1068x372+24+22
START_ON_SCREEN="$((PIC_X + 2 * 276)) $((PIC_Y + 2 * 118))"

# The whole screen from shot_screen (per display system) into $WORK/screen.png,
# and the picture's part of it as the client capture $WORK/win.png.
wshot() {
    shot_screen "$WORK/screen.png" && convert "$WORK/screen.png" -crop "$PIC" +repage "$WORK/win.png"
}
fullscreen_picture() {
    IMG=$WORK/screen.png pixels_are 0 0 $BLACK $((PIC_X - 1)) $((PIC_Y - 1)) $BLACK \
        $PIC_X $PIC_Y $FACE $((PIC_X + 1115)) $((PIC_Y + 501)) $FACE \
        $((PIC_X + 1116)) $((PIC_Y + 502)) $BLACK 1279 799 $BLACK || return 1
    same_as "$GOLDEN/menu_2x.png" "$DEVICE_AREA"
}
# "Ready" at 2x: white text about 130 px wide, centred in the area.
ready_2x() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$(convert "$WORK/win.png" -crop "$DEVICE_AREA" +repage \
        -colorspace gray -threshold 90% -format '%@' info: 2>/dev/null)"
    SEEN="text box ${w}x${h}+$x+$y"
    between 120 144 "${w:-0}" && between -4 4 $((24 + x + w / 2 - 558))
}
# on_screen x y w h [W H]: the rectangle lies wholly on the screen.
on_screen() {
    SEEN="$3 x $4 at $1,$2"
    [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le "${5:-$SCREEN_W}" ] && [ $(($2 + $4)) -le "${6:-$SCREEN_H}" ]
}
zoom_kept() { SEEN="zoom file: $(cat "$XDG_STATE_HOME/quindle/zoom" 2>/dev/null)"; [ "$SEEN" = "zoom file: $1" ]; }
quit() {
    local t0
    t0=$(now_ms)
    xdotool key Escape
    wait_exit "$t0"
    check "$1: Escape ends the program with status 0 ($EXIT_STATUS)" [ "$EXIT_STATUS" = 0 ]
}

# --- X11 under openbox ----------------------------------------------------------
# xwininfo's "Absolute upper-left" is the client's; under openbox
# xdotool's geometry is the frame's corner.
client_geometry() { # sets GX GY GW GH of the client, FX FY of the frame
    local info
    info=$(xwininfo -id "$WIN" 2>/dev/null) || return 1
    GX=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
    GY=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    GW=$(awk '/Width:/ { print $2 }' <<<"$info")
    GH=$(awk '/Height:/ { print $2 }' <<<"$info")
    eval "$(xdotool getwindowgeometry --shell "$WIN" 2>/dev/null | grep -E '^[XY]=')"
    FX=$X FY=$Y
}
geometry_is() { client_geometry && SEEN="$GW x $GH at $GX,$GY" && [ "$SEEN" = "$1" ]; }
size_is() { client_geometry && SEEN="$GW x $GH" && [ "$SEEN" = "$1" ]; }
x11_window_is() { wait_until 3000 geometry_is "$1"; }
x11_launch() {
    "$BIN" 2>"$WORK/stderr" &
    APP_PID=$!
    WIN=$(timeout 5 xdotool search --sync --onlyvisible --name '^Quindle$' 2>/dev/null | head -1)
    [ -n "$WIN" ] && sleep 0.3 && xdotool windowactivate --sync "$WIN" 2>/dev/null
    [ -n "$WIN" ] && wait_until 2000 client_geometry
}
# Openbox names itself on the root window before it is done starting, and a
# window mapped meanwhile may never be managed: its startup command says when.
start_openbox() {
    rm -f "$WORK/openbox.ready"
    openbox --startup "touch $WORK/openbox.ready" >"$WORK/openbox.log" 2>&1 &
    local pid=$!
    at_cleanup "kill $pid 2>/dev/null"
    wait_until 5000 test -e "$WORK/openbox.ready" || echo "e2e: openbox does not say it runs" >&2
}

start_xvfb ${SCREEN_W}x${SCREEN_H}x24
export DISPLAY=$XVFB_DISPLAY
export XDG_STATE_HOME="$WORK/state-x11"
start_openbox
echo "e2e: X11 under openbox on $DISPLAY, program $BIN"
shot_screen() { import -window root "$1"; }

if x11_launch; then
    WINDOWED="$GW x $GH at $GX,$GY"
    check "X11: the window starts at 558 x 251 ($WINDOWED)" [ "$GW x $GH" = "558 x 251" ]
    xdotool key F11
    check "X11: F11 makes the window the whole screen" x11_window_is "1280 x 800 at 0,0"
    expect "X11: fullscreen shows the 2x golden menu centred at ($PIC_X, $PIC_Y), black around it" \
        3000 fullscreen_picture
    xdotool mousemove $START_ON_SCREEN click 1
    expect "X11: a click on Start at its scaled place starts a game" 2000 ready_2x
    if [ -n "${E2E_KEEP_SHOTS:-}" ]; then
        sleep 3
        shot_screen "$E2E_KEEP_SHOTS/fullscreen.png"
    fi
    xdotool key F11
    x11_window_is "$WINDOWED"
    check "X11: F11 again gives the window back as it was ($SEEN)" [ "$SEEN" = "$WINDOWED" ]
    # On a busy machine the window manager may answer after the program has
    # sized the window again: its place must come back every time.
    moved=0
    for _ in 1 2 3 4 5 6; do
        xdotool key F11
        wait_until 3000 geometry_is "1280 x 800 at 0,0"
        xdotool key F11
        x11_window_is "$WINDOWED" || moved=$((moved + 1))
    done
    check "X11: six times more, fullscreen and back leave the window where it was ($moved moved)" [ "$moved" = 0 ]
    xdotool key ctrl+plus
    check "X11: Ctrl+plus makes the window 1116 x 502" wait_until 3000 size_is "1116 x 502"
    check "X11: it lies wholly on the screen, frame and all ($SEEN)" on_screen "$FX" "$FY" $((GX - FX + GW)) $((GY - FY + GH))
    check "X11: the zoom is kept" zoom_kept 2
    quit X11
else
    fail "X11: the main window appears"
fi

if x11_launch; then
    check "X11: the next run starts at the kept zoom, 1116 x 502 (${GW} x $GH)" [ "$GW x $GH" = "1116 x 502" ]
    check "X11: wholly on the screen ($GX,$GY)" on_screen "$FX" "$FY" $((GX - FX + GW)) $((GY - FY + GH))
    quit X11
else
    fail "X11: the main window appears again"
fi

export QUINDLE_SCALE=1
if x11_launch; then
    check "X11: QUINDLE_SCALE=1 wins over the kept zoom for its run (${GW} x $GH)" [ "$GW x $GH" = "558 x 251" ]
    quit X11
else
    fail "X11: the main window appears with QUINDLE_SCALE"
fi
unset QUINDLE_SCALE
check "X11: the kept zoom is still there after that run" zoom_kept 2

# --- X11 at Xft.dpi 192 on a 1600 x 1200 screen -----------------------------------
start_xvfb 1600x1200x24 -noreset
export DISPLAY=$XVFB_DISPLAY
export XDG_STATE_HOME="$WORK/state-dpi"
echo "Xft.dpi: 192" | xrdb -nocpp -merge
start_openbox
if x11_launch; then
    check "X11 at Xft.dpi 192: the window is 1116 x 502 ($GW x $GH)" [ "$GW x $GH" = "1116 x 502" ]
    check "X11 at Xft.dpi 192: wholly on the 1600 x 1200 screen, frame and all ($GX,$GY)" \
        on_screen "$FX" "$FY" $((GX - FX + GW)) $((GY - FY + GH)) 1600 1200
    quit "X11 at Xft.dpi 192"
else
    fail "X11 at Xft.dpi 192: the main window appears"
fi

# --- Wayland on a nested sway -------------------------------------------------------
start_xvfb ${SCREEN_W}x${SCREEN_H}x24
export DISPLAY=$XVFB_DISPLAY # for xdotool only
export XDG_STATE_HOME="$WORK/state-wayland"
mkdir -p "$XDG_STATE_HOME"
SWAY_CONFIG=$'output * bg #303030 solid_color\noutput X11-1 mode 1280x800'
start_sway
echo "e2e: nested sway on $DISPLAY, Wayland display $WAYLAND_DISPLAY"
shot_screen() { grim "$1" 2>/dev/null; }
sway_fullscreen() {
    SEEN=$(swaymsg -t get_tree | jq -r '.. | objects | select(.name? == "Quindle")
        | "\(.fullscreen_mode) \(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"' | head -1)
    [ "$SEEN" = "1 0 0 1280 800" ]
}
sway_is() { sway_settled Quindle 1000 && SEEN=$SWAY_WIN && [ "$SEEN" = "$1" ]; }
wl_launch() {
    env -u DISPLAY "$BIN" 2>"$WORK/stderr" &
    APP_PID=$!
    sway_settled Quindle 5000 || return 1
    read -r _ _ CX CY CW CH <<<"$SWAY_WIN"
    # Keys reach sway through the X focus on its output's window.
    xdotool windowfocus "$(xwininfo -root -children | awk '/^ +0x/ { print $1; exit }')"
}

if wl_launch; then
    WINDOWED=$SWAY_WIN
    xdotool mousemove $((CX + 100)) $((CY + 100))
    xdotool key F11
    check "Wayland: F11 makes the window fullscreen on the output" wait_until 3000 sway_fullscreen
    expect "Wayland: fullscreen shows the 2x golden menu centred at ($PIC_X, $PIC_Y), black around it" \
        3000 fullscreen_picture
    xdotool mousemove $START_ON_SCREEN click 1
    expect "Wayland: a click on Start at its scaled place starts a game" 2000 ready_2x
    xdotool key F11
    check "Wayland: F11 again gives the window back as it was ($WINDOWED)" wait_until 3000 sway_is "$WINDOWED"
    xdotool key ctrl+plus
    wait_until 3000 eval 'sway_settled Quindle 1000 && [ "${SWAY_WIN##* }" = 502 ]'
    read -r _ FLOATING CX CY CW CH <<<"$SWAY_WIN"
    check "Wayland: Ctrl+plus makes the window 1116 x 502, still floating ($SWAY_WIN)" \
        [ "$CW x $CH $FLOATING" = "1116 x 502 true" ]
    check "Wayland: it lies wholly on the output" on_screen "$CX" "$CY" "$CW" "$CH"
    # The 1x buffers again, though the 2x picture changed all over; then 2x for the next run.
    xdotool key ctrl+minus
    check "Wayland: Ctrl+minus makes it 558 x 251 again" \
        wait_until 3000 eval 'sway_settled Quindle 1000 && [ "${SWAY_WIN##* }" = 251 ]'
    xdotool key ctrl+plus
    wait_until 3000 eval 'sway_settled Quindle 1000 && [ "${SWAY_WIN##* }" = 502 ]'
    check "Wayland: the zoom is kept" zoom_kept 2
    quit Wayland
else
    fail "Wayland: a window titled Quindle appears"
fi

if wl_launch; then
    check "Wayland: the next run starts at the kept zoom ($CW x $CH)" [ "$CW x $CH" = "1116 x 502" ]
    check "Wayland: wholly on the output ($CX,$CY)" on_screen "$CX" "$CY" "$CW" "$CH"
    quit Wayland
else
    fail "Wayland: the window appears again"
fi

summary
