# The displays and compositors the end-to-end scripts run on, each stopped on
# exit with the program (at_cleanup); sourced by lib.sh.

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
