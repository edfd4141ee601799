#!/usr/bin/env bash
# End-to-end checks of the program at a device scale of 2: on X11, told by
# the resource database's Xft.dpi of 192, and as a Wayland client on a nested
# sway whose output has scale 2. On each: the window's size, the menu's
# pixels at device coordinates, pixel for pixel the 2x golden picture of the
# drawing area, with the title drawn from the font at twice its size (not
# doubled 1x pixels); Start clicked at its scaled place shows "Ready", three
# wheel notches move the player 30 device pixels, and Escape ends with status 0.
# On Wayland also: a window that moves from a 1x output to a 2x one redraws
# its text for the new scale.
# Usage: scale.sh path/to/quindle
# With E2E_KEEP_SHOTS=dir, the X11 menu capture is kept there (the README's picture).
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8

BIN=${1:?usage: scale.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/lib.sh"
GOLDEN=$E2E_DIR/../render/golden

for tool in Xvfb xrdb xwininfo sway swaymsg grim jq xdotool convert compare import; do
    command -v "$tool" >/dev/null || { echo "scale e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
export XDG_STATE_HOME="$WORK/state"
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent}

# Device coordinates of the client at scale 2 (the 1x layout doubled).
DEVICE_SIZE="1116 x 502"
DEVICE_AREA=1068x372+24+22
DEVICE_TITLE=766x108+172+46

# The menu at 2x, from the last capture: the area matches the golden picture,
# a few device pixels say the same on their own, and the title's text is not
# a 1x picture with its pixels doubled (that one is the same after halving
# and doubling again).
check_menu_2x() {
    expect "the drawing area is, pixel for pixel, the 2x golden picture" \
        2000 same_as "$GOLDEN/menu_2x.png" "$DEVICE_AREA"
    check "the capture is $DEVICE_SIZE device pixels" \
        [ "$(convert "$WORK/win.png" -format '%w x %h' info:)" = "$DEVICE_SIZE" ]
    [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/win.png" "$E2E_KEEP_SHOTS/$1-menu_2x.png"
    check "device pixels: the area black to its corners, the face outside it" \
        pixels_are 24 22 $BLACK 1091 393 $BLACK 23 22 $FACE 1092 393 $FACE 10 480 $FACE
    check "device pixels: Start's frame 2 px grey, its face dark grey" \
        pixels_are 428 236 $GREY 429 236 $GREY 430 236 $DARK_GREY 436 210 $DARK_GREY
    convert "$WORK/win.png" -crop "$DEVICE_TITLE" +repage "$WORK/title.png"
    convert "$WORK/title.png" -sample 50% -sample 200% "$WORK/doubled.png"
    IMG=$WORK/title.png check "the title's text is drawn at 2x, not as doubled 1x pixels" \
        differs_from "$WORK/doubled.png"
}

# "Ready" at 2x: white text twice the 1x width (60-72), centred in the area.
ready_2x() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$(convert "${IMG:-$WORK/win.png}" -crop "$DEVICE_AREA" +repage \
        -colorspace gray -threshold 90% -format '%@' info: 2>/dev/null)"
    SEEN="text box ${w}x${h}+$x+$y"
    between 120 144 "${w:-0}" && between -4 4 $((24 + x + w / 2 - 558)) && between -4 4 $((22 + y + h / 2 - 208))
}
# player_2x cy: the player's square centred at 1x (100, cy), as 2 x 2 blocks:
# red inside a 2 px dark grey outline, black around it.
player_2x() {
    local y=$((2 * $1))
    pixels_are 200 "$y" $RED 192 "$y" $RED 191 "$y" $DARK_GREY 190 "$y" $DARK_GREY 189 "$y" $BLACK \
        208 "$y" $DARK_GREY 209 "$y" $DARK_GREY 210 "$y" $BLACK \
        200 $((y - 9)) $DARK_GREY 200 $((y - 10)) $DARK_GREY 200 $((y - 11)) $BLACK \
        200 $((y + 9)) $DARK_GREY 200 $((y + 10)) $BLACK
}

# A game from a click at Start's scaled place, the wheel and Escape.
check_game_2x() {
    click_at $START_AT
    expect "Start clicked at its scaled place shows \"Ready\"" 1500 ready_2x
    check "the player is a 20 x 20 device px square in the middle of the area" player_2x $AREA_CY
    xdotool click --repeat 3 --delay 30 4
    expect "three wheel notches up move it 30 device px up" 1000 player_2x $((AREA_CY - 15))
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape ends the program with status 0 ($EXIT_STATUS, ${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
}

# --- X11, with Xft.dpi 192 ----------------------------------------------------
# Without -noreset the server would drop the resource database when xrdb leaves.
start_xvfb 2400x1200x24 -noreset
export DISPLAY=$XVFB_DISPLAY
echo "Xft.dpi: 192" | xrdb -nocpp -merge
echo "e2e: X11 on $DISPLAY at Xft.dpi 192, program $BIN"
# import grabs the server while it reads: one left waiting on a window that
# went (a burst stopped mid-capture) would freeze every client of the Xvfb.
wshot_to() { timeout 5 import -window "$WIN" "$1"; }
at_client() { xdotool mousemove $((CX + 2 * $1)) $((CY + 2 * $2)); }

"$BIN" 2>"$WORK/stderr" &
APP_PID=$!
WIN=$(timeout 5 xdotool search --sync --onlyvisible --name '^Quindle$' 2>/dev/null | head -1)
if [ -n "$WIN" ]; then
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    CX=$X CY=$Y
    check "X11: the window is $DEVICE_SIZE ($WIDTH x $HEIGHT)" [ "$WIDTH x $HEIGHT" = "$DEVICE_SIZE" ]
    at_client $IN_AREA
    check_menu_2x x11
    check_game_2x
else
    fail "X11: the main window appears"
fi

# --- Wayland, on an output of scale 2 ------------------------------------------
# sway's X11 backend shows each output as a window of the Xvfb, which must hold it.
start_xvfb 2400x1200x24
export DISPLAY=$XVFB_DISPLAY # for xdotool only
SWAY_CONFIG=$'output * bg #303030 solid_color\noutput X11-1 mode 2400x1200 scale 2\noutput X11-2 mode 1200x600 scale 1'
start_sway
echo "e2e: nested sway on $DISPLAY, Wayland display $WAYLAND_DISPLAY"
wshot_to() { grim -g "$CX,$CY ${CW}x$CH" "$1"; }
# The pointer moves in the output's device pixels; the tree gives points.
at_client() { xdotool mousemove $((2 * (CX + $1))) $((2 * (CY + $2))); }
launch() {
    env -u DISPLAY "$BIN" 2>"$WORK/stderr" &
    APP_PID=$!
    sway_settled Quindle 5000 || return 1
    read -r _ _ CX CY CW CH <<<"$SWAY_WIN"
}

if launch; then
    check "Wayland: the window is $CLIENT_SIZE points ($CW x $CH)" [ "$CW x $CH" = "$CLIENT_SIZE" ]
    at_client $IN_AREA
    check_menu_2x wayland
    # Keys reach sway through the X focus on its output's window.
    xdotool windowfocus "$(xwininfo -root -children | awk '/^ +0x/ { print $1; exit }')"
    check_game_2x
else
    fail "Wayland: a window titled Quindle appears"
fi

# A window opened on a 1x output, then moved to the 2x one: its title's text
# is first the 1x golden one, then the 2x golden one.
swaymsg create_output >/dev/null
swaymsg focus output X11-2 >/dev/null
if launch; then
    expect "on the 1x output the title is the 1x golden one" \
        2000 same_as "$GOLDEN/menu.png" 383x54+86+23
    swaymsg '[title="^Quindle$"] move to output X11-1' >/dev/null
    swaymsg '[title="^Quindle$"] move position center' >/dev/null
    sway_settled Quindle 3000 && read -r _ _ CX CY CW CH <<<"$SWAY_WIN"
    expect "moved to the 2x output, the title is redrawn as the 2x golden one" \
        2000 same_as "$GOLDEN/menu_2x.png" "$DEVICE_TITLE"
else
    fail "Wayland: the window appears on the 1x output"
fi

summary
