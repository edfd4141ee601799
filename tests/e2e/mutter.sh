#!/usr/bin/env bash
# End-to-end checks on GNOME's compositor: mutter as a Wayland-only display
# server nested in an Xvfb. It offers no server-side frames, so libdecor draws
# them, as on a GNOME desktop. The program runs with libwayland's protocol log
# on stderr, which shows what it asked of the compositor.
#   the main window's title bar and menu screen; the About box (F1) with a
#   title bar and a parent, closed by its close button; Start's "Ready"; the
#   close button ends the program with status 0 and nothing on stderr but the
#   protocol log; no GL library mapped;
#   the desktop's name for the program: its Wayland app id, and its X11
#   WM_CLASS on the same Xvfb, are the installed desktop entry's id (its file
#   name and StartupWMClass) and the metainfo's; and a build with another
#   QUINDLE_APP_ID gives another id in all of them.
# Usage: mutter.sh path/to/quindle path/to/its/build-folder path/to/source
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8

BIN=$(readlink -f "${1:?usage: mutter.sh quindle build-folder source}")
BUILD=$(readlink -f "${2:?usage: mutter.sh quindle build-folder source}")
SOURCE=$(readlink -f "${3:?usage: mutter.sh quindle build-folder source}")
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/decor.sh"
OTHER_ID=org.example.QuindleCheck

for tool in Xvfb mutter dbus-daemon xdotool xprop import convert; do
    command -v "$tool" >/dev/null || { echo "mutter e2e: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# entry_id prefix: the id the desktop entry installed under prefix has, when
# it is its StartupWMClass too and the metainfo's id and launchable.
entry_id() {
    local entries=("$1"/share/applications/*.desktop) id
    id=$(basename "${entries[0]}" .desktop)
    grep -qx "StartupWMClass=$id" "${entries[0]}" &&
        grep -q "<id>$id</id>" "$1/share/metainfo/$id.metainfo.xml" &&
        grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$1/share/metainfo/$id.metainfo.xml" &&
        echo "$id"
}
# app_ids log: every app id the protocol log shows set, one line.
app_ids() { sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\(.*\)")$/\1/p' "$1" | sort -u | tr '\n' ' ' | sed 's/ $//'; }
# x11_class program: the WM_CLASS of its window on the Xvfb, as "instance class".
x11_class() {
    local pid win
    SDL_VIDEODRIVER=x11 DISPLAY=$XVFB_DISPLAY XDG_STATE_HOME=$WORK/state env -u WAYLAND_DISPLAY "$1" 2>/dev/null &
    pid=$!
    win=$(timeout 5 xdotool search --sync --pid "$pid" --name '^Quindle$' | head -n 1)
    [ -n "$win" ] && xprop -id "$win" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "\(.*\)", "\(.*\)"$/\1 \2/p'
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
protocol_free() { grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$1"; } # the stderr lines that are not the protocol log

start_xvfb
export DISPLAY=$XVFB_DISPLAY # for xdotool and import only
start_mutter
echo "e2e: mutter on $DISPLAY, Wayland display $WAYLAND_DISPLAY, program $BIN"

xdotool mousemove 790 590
WAYLAND_DEBUG=client XDG_STATE_HOME=$WORK/state env -u DISPLAY "$BIN" 2>"$WORK/stderr" &
APP_PID=$!
if main_window_appears mutter; then
    GL=$(gl_libraries "$APP_PID")
    check "no GL, EGL or DRI library is mapped (${GL:-none})" [ -z "$GL" ]

    xdotool key F1
    if wait_until 3000 found 411 83; then
        AX=$FX AY=$FY
        pass "F1 opens the 411 x 83 About box (at $AX, $AY)"
        check "... with a title bar and its caption" wait_until 1000 eval 'rootshot; title_bar $AX $AY 411'
        check "... as a dialog of the main window (xdg_toplevel.set_parent)" \
            grep -Eq 'xdg_toplevel@[0-9]+\.set_parent\(xdg_toplevel@[0-9]+\)' "$WORK/stderr"
        xdotool mousemove $(button $AX $AY 411 $BUTTON) click 1 sleep 0.1 mousemove 790 590
        check "its close button closes it" wait_until 1000 gone 411 83
    else
        fail "F1 opens the 411 x 83 About box"
    fi

    start_then_close
    check "... saying nothing on stderr but the protocol log" [ -z "$(protocol_free "$WORK/stderr")" ]
else
    fail "a $CLIENT_SIZE client appears"
fi
protocol_free "$WORK/stderr" | head -n 5

# The id, as installed from this build, and from one with another id. The
# other build shares this one's objects through ccache (but the one file
# that holds the id), so it takes seconds.
cmake --install "$BUILD" --prefix "$WORK/this" >/dev/null
ID=$(entry_id "$WORK/this")
check "the desktop entry's id ($ID) is its StartupWMClass and the metainfo's" [ -n "$ID" ]
check "the window's app id on Wayland is it ($(app_ids "$WORK/stderr"))" [ "$(app_ids "$WORK/stderr")" = "$ID" ]
check "its WM_CLASS on X11 is it ($(x11_class "$BIN"))" [ "$(x11_class "$BIN")" = "$ID $ID" ]

OTHER=$BUILD-appid
# This build's compiler settings, so that the objects are the same.
settings=()
for var in CMAKE_BUILD_TYPE CMAKE_C_FLAGS CMAKE_CXX_FLAGS CMAKE_EXE_LINKER_FLAGS CMAKE_UNITY_BUILD CMAKE_UNITY_BUILD_BATCH_SIZE; do
    setting=$(grep -m 1 "^$var:[A-Z]*=" "$BUILD/CMakeCache.txt") && settings+=("-D$setting")
done
if cmake -S "$SOURCE" -B "$OTHER" "${settings[@]}" -DQUINDLE_TESTS=OFF -DQUINDLE_APP_ID=$OTHER_ID >"$WORK/other.log" 2>&1 &&
    cmake --build "$OTHER" -j 2 --target quindle quindle_data >>"$WORK/other.log" 2>&1 &&
    cmake --install "$OTHER" --prefix "$WORK/other" >>"$WORK/other.log" 2>&1; then
    pass "built with QUINDLE_APP_ID=$OTHER_ID"
    check "its desktop entry and metainfo are named so ($(entry_id "$WORK/other"))" [ "$(entry_id "$WORK/other")" = $OTHER_ID ]
    WAYLAND_DEBUG=client XDG_STATE_HOME=$WORK/state env -u DISPLAY "$OTHER/quindle" 2>"$WORK/other.stderr" &
    APP_PID=$!
    check "its window's app id on Wayland is so" wait_until 5000 eval '[ "$(app_ids "$WORK/other.stderr")" = $OTHER_ID ]'
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null
    APP_PID=
    check "its WM_CLASS on X11 is so" [ "$(x11_class "$OTHER/quindle")" = "$OTHER_ID $OTHER_ID" ]
else
    tail -n 20 "$WORK/other.log"
    fail "built with QUINDLE_APP_ID=$OTHER_ID"
fi

summary
