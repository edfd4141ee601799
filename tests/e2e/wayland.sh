#!/usr/bin/env bash
# End-to-end checks of the program as a native Wayland client, on a nested
# desktop of its own: an Xvfb, and sway on its X11 backend inside it. xdotool
# on the Xvfb drives sway's pointer and keyboard, grim takes the pictures and
# swaymsg lists the windows. The program runs with no DISPLAY at all.
#   the window (native, floating, 558 x 251, in sway's own frame), no GL,
#   EGL or DRI library mapped, its menu screen and the hover over Start; the
#   system menu by a right click near the lower edge, the About box by its
#   access key and the window as it was once they close; Start's "Ready",
#   three wheel notches and a held key's repeats (the client makes them);
#   Escape during a game; a game moved to another workspace paints nothing
#   there and paints at once when shown again; the About box over a running
#   game, and the compositor killed during that game.
# Usage: wayland.sh path/to/quindle
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8

BIN=${1:?usage: wayland.sh path/to/quindle}
BIN=$(readlink -f "$BIN")
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ABOUT_CAPTION='Quindleのﾊﾞｰｼﾞｮﾝ情報'
LOST_LINE='quindle: lost the connection to the display'

for tool in Xvfb sway swaymsg grim jq xdotool convert; do
    command -v "$tool" >/dev/null || { echo "wayland e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

about_open() { sway_settled "$ABOUT_CAPTION" 1500 && ABOUT=$SWAY_WIN; }
about_closed() { [ -z "$(sway_window "$ABOUT_CAPTION")" ]; }
wshot_to() { grim -g "$CX,$CY ${CW}x$CH" "$1"; }
rootshot() { grim "$WORK/shot.png"; }
# The player's centre row in the last capture: the middle of the red run in its column.
player_y() {
    convert "$WORK/win.png" -crop "1x251+$PLAYER_X+0" txt:- |
        awk -F'[,:]' '/#CC0000/ { if (!n++) first = $2; last = $2 } END { print n ? int((first + last + 1) / 2) : -1 }'
}

# Starts the program and waits for its window; sets APP_PID, and from the
# compositor's tree KIND (the shell), FLOATING, CX CY (the client's place) and CW CH.
launch() {
    env -u DISPLAY "$BIN" "$@" 2>"$WORK/stderr" &
    APP_PID=$!
    sway_settled Quindle 5000 || return 1
    read -r KIND FLOATING CX CY CW CH <<<"$SWAY_WIN"
}

start_xvfb
export DISPLAY=$XVFB_DISPLAY # for xdotool only
start_sway
echo "e2e: nested sway on $DISPLAY, Wayland display $WAYLAND_DISPLAY, program $BIN"

# --- The window, the system menu and the About box ---------------------------
if launch; then
    pass "a window titled Quindle appears"
    check "it is a native Wayland window (shell $KIND)" [ "$KIND" = xdg_shell ]
    check "the compositor floats it" [ "$FLOATING" = true ]
    GL=$(gl_libraries "$APP_PID")
    check "it maps no GL, EGL or DRI library (${GL:-none})" [ -z "$GL" ]
    # Asked for through xdg-decoration: sway's own titled frame ("csd" when the client draws one).
    check "sway draws its frame and title bar" [ "$(swaymsg -t get_tree |
        jq -r '[.. | objects | select(.name? == "Quindle" and .shell?)][0].border')" = normal ]
    check "its client area is $CLIENT_SIZE" [ "$CW x $CH" = "$CLIENT_SIZE" ]
    xdotool mousemove 0 0
    check "the menu screen is drawn" poll 2000 menu_shown
    check_menu_screen
    at_client $START_AT
    expect "hovering over Start fills it red, Exit stays dark grey" 1000 pixels_are $START_FILL $RED $EXIT_FILL $DARK_GREY
    at_client $IN_AREA
    expect "... and dark grey again once the pointer moves off it" 1000 pixels_are $START_FILL $DARK_GREY
    xdotool mousemove 0 0
    [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/win.png" "$E2E_KEEP_SHOTS/wayland-menu.png"

    if open_system_menu; then
        [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/win.png" "$E2E_KEEP_SHOTS/wayland-popup.png"
        xdotool key a
        if about_open; then
            pass "its access key a opens the About box"
            read -r AKIND AFLOATING AX AY AW AH <<<"$ABOUT"
            check "the About box is a floating native window of 411 x 83" \
                [ "$AKIND $AFLOATING $AW x $AH" = "xdg_shell true 411 x 83" ]
            # Its first picture may follow its window by a frame or two.
            wait_until 1000 eval 'rootshot && IMG=$WORK/shot.png pixels_are $((AX + 24)) $((AY + 41)) $RED'
            [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/shot.png" "$E2E_KEEP_SHOTS/wayland-about.png"
            check_about_box "$AX" "$AY"
            xdotool mousemove $((AX + 356)) $((AY + 21)) click 1
            check "OK closes the About box" wait_until 1000 about_closed
            at_client $NEAR_BOTTOM
            expect "once they close, the client is pixel for pixel what it was before they opened" \
                1000 same_as "$WORK/before.png"
        else
            fail "its access key a opens the About box"
        fi
    fi

    # --- Start, the wheel, Escape -----------------------------------------------
    click_at $START_AT
    expect "clicking Start shows \"Ready\"" 1500 text_is Ready
    check "... centred in the area (box w h cx cy: $TEXT_BOX)" text_centred
    check "... in white" text_white
    check "the player is a red square at x 100 in the middle of the area" player_at $AREA_CY
    xdotool click --repeat 3 --delay 30 4
    expect "three wheel notches up move it 15 pixels up" 1000 player_at $((AREA_CY - 15))
    # The client repeats held keys itself: after the compositor's delay, at its rate.
    xdotool keydown Down sleep 1 keyup Down
    sleep 0.1
    wshot
    Y=$(player_y)
    check "a held Down key repeats: the player moves more than one step down ($((AREA_CY - 15)) to $Y)" \
        [ "$Y" -ge $((AREA_CY - 15 + 15)) ]
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape during a game ends the program with status 0 ($EXIT_STATUS, ${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
else
    fail "a window titled Quindle appears"
fi

# --- A game on a workspace nobody looks at ----------------------------------
# The protocol log counts the pictures it hands to the compositor.
attaches() { grep -c 'wl_surface@[0-9]*\.attach(wl_buffer@' "$WORK/stderr"; }
if WAYLAND_DEBUG=client launch && poll 2000 menu_shown; then
    click_at $START_AT
    if poll 3000 frames_shown; then
        wshot_to "$WORK/before.png"
        swaymsg -q '[title="^Quindle$"] move container to workspace 2'
        sleep 0.3 # the frame that was on its way
        N0=$(attaches)
        sleep 1
        N1=$(attaches)
        check "on another workspace a running game hands over no picture for 1 s ($((N1 - N0)))" [ "$N1" = "$N0" ]
        T0=$(now_ms)
        swaymsg -q 'workspace 2'
        if wait_until 1000 eval '[ "$(attaches)" -gt "$N1" ]'; then
            pass "shown again, it paints at once ($(($(now_ms) - T0)) ms)"
        else
            fail "shown again, it paints at once"
        fi
        sway_settled Quindle 1000 && read -r _ _ CX CY _ <<<"$SWAY_WIN"
        # The picture of now, not the one it left: the run went on meanwhile (on a slow
        # machine it may have reached its result and the menu by then).
        check "... the game that went on meanwhile" eval 'wshot; differs_from "$WORK/before.png"'
    else
        fail "Start begins a game (saw: $SEEN)"
    fi
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=
    swaymsg -q 'workspace 1'
else
    fail "a window titled Quindle appears (with the protocol log)"
fi

# --- A running game under the About box, then the compositor goes away ---------
if launch && poll 2000 menu_shown; then
    click_at $START_AT
    if poll 1500 text_is Ready; then
        xdotool key alt+space
        sleep 0.15
        xdotool key a
        if about_open; then
            read -r _ _ AX AY AW AH <<<"$ABOUT"
            if field_changes_under $((AX - CX)) $((AY - CY)) "$AW" "$AH"; then
                pass "under the About box, the game's field goes on changing where the box leaves it free"
            else
                fail "under the About box, the game's field goes on changing where the box leaves it free ($SEEN)"
            fi
            xdotool key Escape
            wait_until 1000 about_closed
        else
            fail "Alt+Space then a opens the About box during a game"
        fi
    else
        fail "Start shows \"Ready\" (saw: $SEEN)"
    fi
    if poll 1000 game_shown; then
        T0=$(now_ms)
        kill -KILL "$SWAY_PID"
        wait_exit "$T0"
        check "the compositor killed during a game ends the program within 1 s with a failure status ($EXIT_STATUS, ${EXIT_MS} ms)" \
            exited_failing
        check "... saying so in one line on stderr" [ "$(cat "$WORK/stderr")" = "$LOST_LINE" ]
    else
        fail "a game is running before the compositor is killed (saw: $SEEN)"
    fi
else
    fail "the window appears again with its menu (saw: ${SEEN:-no window})"
fi

summary
