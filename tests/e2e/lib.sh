# Helpers shared by the end-to-end scripts and bench/motion_cpu.sh; sourced.
#   Results: pass, fail, check, expect. Servers: start_xvfb, start_sway, all
#   stopped on exit with the program. The program: wait_exit, cpu and wake-up
#   figures. Screens: each script defines wshot (a capture of the client area
#   into $WORK/win.png, so that its pixels are at client coordinates) and
#   rootshot (the whole screen into $WORK/shot.png), and sets CX CY (the
#   client's top-left on the screen) when the window appears; the predicates
#   here read the client capture, or the image in IMG when it is set.

PASSED=0
FAILED=0
APP_PID=
EXIT_LIMIT_MS=${EXIT_LIMIT_MS:-1000}
WORK=$(mktemp -d)
CLEANUPS=()

# at_cleanup "command": run on exit, the last registered first.
at_cleanup() { CLEANUPS+=("$1"); }
run_cleanups() {
    local i
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    for ((i = ${#CLEANUPS[@]} - 1; i >= 0; i--)); do eval "${CLEANUPS[i]}"; done
    rm -rf "$WORK"
}
trap run_cleanups EXIT

pass() { PASSED=$((PASSED + 1)); echo "ok   - $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL - $1"; }
check() { # check "name" command...
    local name=$1
    shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}
summary() {
    echo "e2e: $PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}
now_ms() { date +%s%3N; }
between() { [ "$3" -ge "$1" ] && [ "$3" -le "$2" ]; } # between low high value
# wait_until limit_ms command...: polls the command until it succeeds.
wait_until() {
    local limit=$1 start
    shift
    start=$(now_ms)
    until "$@"; do
        [ $(($(now_ms) - start)) -ge "$limit" ] && return 1
        sleep 0.05
    done
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# --- Servers -------------------------------------------------------------------

# start_xvfb [WxHxD]: a new Xvfb on a display number it picks itself (so that
# scripts running side by side never share one); sets XVFB_PID and XVFB_DISPLAY.
start_xvfb() {
    local fd=$WORK/xvfb.$RANDOM
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp 3>"$fd" 2>>"$WORK/xvfb.log" &
    XVFB_PID=$!
    at_cleanup "kill $XVFB_PID 2>/dev/null"
    for _ in $(seq 100); do
        if [ -s "$fd" ]; then
            XVFB_DISPLAY=:$(tr -d '\n' <"$fd")
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

# --- The program -------------------------------------------------------------

# Waits up to EXIT_LIMIT_MS from start_ms for the program to end; sets
# EXIT_STATUS (a number or "timeout") and EXIT_MS.
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
# The program ended with status 0 within limit_ms (after wait_exit).
exited_within() { [ "$EXIT_STATUS" = 0 ] && [ "$EXIT_MS" -le "$1" ]; }
# The program ended on its own within EXIT_LIMIT_MS with a failure status, not
# by a signal (no crash, no core dump).
exited_failing() { [ "$EXIT_STATUS" != timeout ] && between 1 127 "$EXIT_STATUS"; }

# CPU ticks (user + system) of a process, all its threads.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Voluntary context switches of all a process's threads: how often it slept and woke.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }
# percent ticks ms: the share of one core the ticks are over ms milliseconds.
percent() { awk -v d="$1" -v t="$(getconf CLK_TCK)" -v ms="$2" 'BEGIN { printf "%.2f", 100 * d / t / (ms / 1000) }'; }
# at_most value limit: decimal comparison.
at_most() { awk -v v="$1" -v l="$2" 'BEGIN { exit !(v <= l) }'; }

# measure_idle pid seconds: sets IDLE_CPU (percent of a core) and IDLE_WAKEUPS (per second).
measure_idle() {
    local c0 w0 t0 ms
    c0=$(cpu_ticks "$1")
    w0=$(wakeups "$1")
    t0=$(now_ms)
    sleep "$2"
    ms=$(($(now_ms) - t0))
    IDLE_CPU=$(percent $(($(cpu_ticks "$1") - c0)) "$ms")
    IDLE_WAKEUPS=$(awk -v d=$(($(wakeups "$1") - w0)) -v ms="$ms" 'BEGIN { printf "%.1f", d / (ms / 1000) }')
}

# The wheel trace (QUINDLE_TRACE_WHEEL=1): one line on the program's stderr,
# read from $WORK/stderr, per notch presented.
WHEEL_PAIRS=${WHEEL_PAIRS:-30} # up-and-down pairs of notches per latency measurement
WHEEL_GAP=0.03 # s between notches: more than a refresh period, so each one gets a present of its own

# Alternate notches up and down with the pointer in the area: the player ends where it began.
wheel_pairs() {
    local args=() i
    for i in $(seq "$WHEEL_PAIRS"); do
        args+=(click --delay 0 4 sleep "$WHEEL_GAP" click --delay 0 5 sleep "$WHEEL_GAP")
    done
    xdotool "${args[@]}"
}
wheel_lines() { grep -c ' wheel ' "$WORK/stderr"; }
# wheel_figure where first_line: the figure over the trace's lines from first_line on.
wheel_figure() {
    local lines event handled
    lines=$(sed -n "$2,\$p" "$WORK/stderr" | sed -n 's/.* wheel \([0-9]*\) ms after the event (\([0-9.]*\) ms .*/\1 \2/p')
    event=$(cut -d' ' -f1 <<<"$lines")
    handled=$(cut -d' ' -f2 <<<"$lines")
    echo "figure: wheel to present $1 over $(wc -l <<<"$lines") notches:" \
        "median $(median <<<"$event") ms from the event's timestamp" \
        "(mean $(awk '{ s += $1 } END { printf "%.2f", s / NR }' <<<"$event") ms, max $(sort -n <<<"$event" | tail -1) ms," \
        "at the timestamp's 1 ms resolution); median $(median <<<"$handled") ms from handling"
}
# Waits until the trace has as many lines as notches were sent.
wait_traced() {
    local i
    for i in $(seq 100); do
        [ "$(wheel_lines)" -ge "$1" ] && return 0
        sleep 0.02
    done
    return 1
}

# --- Screens -------------------------------------------------------------------

# Colours as "r,g,b", and as ImageMagick filters passed by a pixel of antialiased text.
BLACK=0,0,0
DARK_GREY=38,38,38
GREY=140,140,140
RED=204,0,0
FACE=212,208,200
WHITE=255,255,255
YELLOW_FILTER='r>0.8&&g>0.7&&b<0.2'
BLUE_FILTER='b>0.5&&r<0.3&&g<0.3'
RED_FILTER='r>0.7&&g<0.1&&b<0.1'

# Layout in client coordinates, as the dialog's template places it.
CLIENT_SIZE="558 x 251"
AREA_CROP=534x186+12+11 # the drawing area (12, 11, 546, 197)
AREA_CX=279             # its centre
AREA_CY=104
START_AT="276 118" # middle of Start
EXIT_AT="276 162"  # middle of Exit
STOP_AT="484 216"  # middle of Stop
IN_AREA="300 60"   # a place in the area off every button
NEAR_BOTTOM="100 240" # on the dialog's face, off every control, near the lower edge
TITLE_BOX="86 23 383 54"
START_BOX="214 102 124 32"
EXIT_BOX="214 146 124 32"
STOP_BOX="422 200 124 32"
START_FILL="218 105"
EXIT_FILL="218 149"
STOP_FILL="425 203"
TITLE_FILL="90 30"
PLAYER_X=100

at_client() { xdotool mousemove $((CX + $1)) $((CY + $2)); }
click_at() { at_client "$1" "$2" && xdotool click 1; }

# Reads points of the last client capture: pixels_are x y "r,g,b" [x y "r,g,b" ...].
# SEEN holds what was read.
pixels_are() {
    local fmt= want= x y
    while [ $# -ge 3 ]; do
        x=$1 y=$2
        fmt+="%[fx:int(255*p{$x,$y}.r+0.5)],%[fx:int(255*p{$x,$y}.g+0.5)],%[fx:int(255*p{$x,$y}.b+0.5)] "
        want+="$3 "
        shift 3
    done
    SEEN=$(convert "${IMG:-$WORK/win.png}" -format "$fmt" info:)
    [ "$SEEN" = "$want" ]
}
# colour_in filter x y w h: the block of the last capture holds a pixel that passes the filter.
colour_in() {
    [ "$(convert "${IMG:-$WORK/win.png}" -crop "$4x$5+$2+$3" +repage -fx "$1" -format '%[fx:maxima]' info:)" = 1 ]
}
dark_in() { colour_in 'intensity<0.3' "$@"; } # dark_in x y w h: a dark (text) pixel
# same_as png [crop]: the last capture equals png, pixel for pixel (in the crop).
same_as() {
    local crop=${2:-}
    SEEN="$(compare -metric AE ${crop:+-extract $crop} "${IMG:-$WORK/win.png}" "$1" null: 2>&1) pixels differ"
    [ "${SEEN%% *}" = 0 ]
}
differs_from() { ! same_as "$@"; }
# changed_box png: "w h x y" of the smallest box holding every pixel the last capture changed from png.
changed_box() {
    convert "$1" "${IMG:-$WORK/win.png}" -compose difference -composite -threshold 0 -format '%@' info: |
        awk -F'[x+]' '{ print $1, $2, $3, $4 }'
}

# The status text of the last capture, told by the box its white pixels fill
# (the status face is monospaced: the width goes with the count of letters).
# Sets TEXT (Ready, Go!!, Goal!!, Game Over!!, none or the box) and TEXT_BOX
# ("w h cx cy" in client coordinates).
read_text() {
    local g w h x y
    g=$(convert "${IMG:-$WORK/win.png}" -crop "$AREA_CROP" +repage -colorspace gray -threshold 90% -format '%@' info: 2>/dev/null)
    IFS='x+' read -r w h x y <<<"$g"
    TEXT_BOX="$w $h $((12 + x + w / 2)) $((11 + y + h / 2))"
    TEXT_GEOMETRY="${w}x${h}+$((12 + x))+$((11 + y))"
    if [ "${w:-0}" -eq 0 ]; then TEXT=none
    elif [ "$w" -ge 40 ] && [ "$w" -le 56 ]; then TEXT='Go!!'
    elif [ "$w" -ge 60 ] && [ "$w" -le 72 ]; then TEXT=Ready
    elif [ "$w" -ge 73 ] && [ "$w" -le 90 ]; then TEXT='Goal!!'
    elif [ "$w" -ge 135 ] && [ "$w" -le 158 ]; then TEXT='Game Over!!'
    else TEXT="${w}x${h}"
    fi
}
text_is() { read_text; SEEN="text $TEXT"; [ "$TEXT" = "$1" ]; }
text_is_result() { read_text; SEEN="text $TEXT"; [ "$TEXT" = 'Game Over!!' ] || [ "$TEXT" = 'Goal!!' ]; }
# The text is centred in the area, to the pixel that rounding allows.
text_centred() {
    local w h cx cy
    read -r w h cx cy <<<"$TEXT_BOX"
    between -2 2 $((cx - AREA_CX)) && between -2 2 $((cy - AREA_CY))
}
# The brightest pixel of the text is the palette's white.
text_white() {
    [ "$(convert "${IMG:-$WORK/win.png}" -crop "$TEXT_GEOMETRY" +repage \
        -format '%[fx:int(255*maxima.r+0.5)],%[fx:int(255*maxima.g+0.5)],%[fx:int(255*maxima.b+0.5)]' info:)" = $WHITE ]
}
# Obstacles (grey in a dark grey outline) may lie over the buttons' places on
# the game screen, but they are never red or blue.
menu_gone() {
    pixels_are $TITLE_FILL $BLACK && ! colour_in "$RED_FILTER" $TITLE_BOX && ! colour_in "$BLUE_FILTER" $START_BOX &&
        ! colour_in "$BLUE_FILTER" $EXIT_BOX
}
menu_shown() { pixels_are $TITLE_FILL $DARK_GREY $STOP_FILL $FACE; }
game_shown() { pixels_are $TITLE_FILL $BLACK $STOP_FILL $DARK_GREY; }
# The game screen with no status text: the frames of a run.
frames_shown() { game_shown && text_is none; }
# The player's 10 x 10 square centred at (100, cy): red inside a dark grey
# outline, black around it.
player_at() {
    local y=$1 x=$PLAYER_X
    pixels_are $x "$y" $RED $((x - 5)) "$y" $DARK_GREY $((x + 4)) "$y" $DARK_GREY \
        $x $((y - 5)) $DARK_GREY $x $((y + 4)) $DARK_GREY \
        $((x - 6)) "$y" $BLACK $((x + 5)) "$y" $BLACK $x $((y - 6)) $BLACK $x $((y + 5)) $BLACK
}

# poll limit_ms predicate [args]: captures the client until the predicate
# holds; POLL_MS is the time it took (or the limit).
wshot() { wshot_to "$WORK/win.png"; }
poll() {
    local limit=$1 start
    shift
    start=$(now_ms)
    while :; do
        wshot
        POLL_MS=$(($(now_ms) - start))
        "$@" && return 0
        [ "$POLL_MS" -ge "$limit" ] && return 1
    done
}
# For a screen that shows briefly ("Go!!" stays 500 ms): burst_start
# limit_ms takes captures in the background as fast as they come, from now
# on, so checks in between, or slow reading on a loaded machine, miss none.
burst_start() {
    local limit=$1
    BURST_DIR=$WORK/burst.$RANDOM
    mkdir -p "$BURST_DIR"
    (
        end=$(($(now_ms) + limit))
        for ((n = 0; $(now_ms) < end; n++)); do
            wshot_to "$BURST_DIR/$n.tmp.png" && mv "$BURST_DIR/$n.tmp.png" "$BURST_DIR/$n.png"
        done
        touch "$BURST_DIR/done"
    ) &
    BURST_PID=$!
    BURST_NEXT=0
}
# burst_find "before" predicate [args]: a capture that passes the predicate,
# left in $WORK/win.png. Reading every capture would lag behind the game, so
# it reads from the newest back to the last one that still passes "before"
# (the screen that comes first, as "text_is Ready"), then waits for newer ones.
burst_find() {
    local before=$1 newest i f
    shift
    while :; do
        newest=$(ls "$BURST_DIR" | sed -n 's/^\([0-9]*\)\.png$/\1/p' | sort -n | tail -1)
        if [ -n "$newest" ] && [ "$newest" -ge "$BURST_NEXT" ]; then
            for ((i = newest; i >= BURST_NEXT; i--)); do
                f=$BURST_DIR/$i.png
                if IMG=$f "$@"; then
                    kill "$BURST_PID" 2>/dev/null
                    wait "$BURST_PID" 2>/dev/null
                    cp "$f" "$WORK/win.png"
                    return 0
                fi
                IMG=$f $before && break
            done
            BURST_NEXT=$((newest + 1))
        elif [ -e "$BURST_DIR/done" ]; then
            wait "$BURST_PID" 2>/dev/null
            return 1
        else
            sleep 0.02
        fi
    done
}
expect_found() { # expect_found "name" "before" predicate [args]: burst_find as a check
    local name=$1
    shift
    if burst_find "$@"; then pass "$name"; else fail "$name (saw: $SEEN)"; fi
}
# expect "name" limit_ms predicate [args]: a check that waits; a failure says what was seen.
expect() {
    local name=$1
    shift
    if poll "$@"; then pass "$name"; else fail "$name (saw: $SEEN)"; fi
}

# The menu screen, read from a client capture.
check_menu_screen() {
    wshot
    check "the drawing area is black" pixels_are 20 20 $BLACK
    check "the area reaches its bottom-right corner" pixels_are 545 196 $BLACK
    check "the dialog face lies outside the area" pixels_are 5 240 $FACE
    check "the title box is dark grey inside a grey frame" pixels_are $TITLE_FILL $DARK_GREY 86 50 $GREY
    check "the title text is red" colour_in "$RED_FILTER" $TITLE_BOX
    check "Start is a dark grey button in a grey frame" pixels_are $START_FILL $DARK_GREY 214 118 $GREY
    check "Start's caption is blue" colour_in "$BLUE_FILTER" $START_BOX
    check "Exit is a dark grey button in a grey frame" pixels_are $EXIT_FILL $DARK_GREY 337 160 $GREY
    check "Exit's caption is blue" colour_in "$BLUE_FILTER" $EXIT_BOX
    check "no Stop button on the menu screen" pixels_are 430 210 $FACE
}

# open_system_menu: a right click near the client's lower edge, where the
# popup must open upwards to stay inside the window. The capture before it is
# kept in $WORK/before.png; sets POPUP ("w h x y" in client coordinates).
open_system_menu() {
    local x y
    read -r x y <<<"$NEAR_BOTTOM"
    at_client "$x" "$y"
    sleep 0.3
    wshot
    cp "$WORK/win.png" "$WORK/before.png"
    xdotool click 3
    if ! poll 1000 differs_from "$WORK/before.png"; then
        fail "a right click near the lower edge opens the system menu"
        return 1
    fi
    sleep 0.1 # the popup is one present, but a capture may have raced it
    wshot
    POPUP=$(changed_box "$WORK/before.png")
    local pw ph px py
    read -r pw ph px py <<<"$POPUP"
    pass "a right click near the lower edge opens the system menu ($pw x $ph at $px, $py)"
    # The popup's outer frame may share the face's colour: allow its width.
    check "... inside the window, upwards from the pointer, its left edge at the pointer" \
        eval 'between $((x - 1)) $((x + 3)) $px && between $((y - 3)) $((y + 1)) $((py + ph)) && [ $py -ge 0 ]'
    check "... drawn in the menu face" pixels_are $((px + pw - 8)) $((py + 6)) $FACE
    check "... showing its two items' text" eval 'dark_in $((px + 20)) $((py + 3)) $((pw - 40)) $((ph / 2 - 6)) &&
        dark_in $((px + 20)) $((py + ph / 2 + 3)) $((pw - 40)) $((ph / 2 - 6))'
}

# The About box's picture in the last screen capture, its client at (ax, ay).
check_about_box() {
    local ax=$1 ay=$2 IMG=$WORK/shot.png
    check "the About box shows the icon's red player" pixels_are $((ax + 24)) $((ay + 41)) $RED
    check "the About box shows its version text" dark_in $((ax + 70)) $((ay + 15)) 208 12
    check "the OK button has the default button's black frame" pixels_are $((ax + 312)) $((ay + 20)) $BLACK
    check "the OK button shows its caption" dark_in $((ax + 340)) $((ay + 14)) 32 16
}

# field_changes_under about_x about_y about_w about_h (client coordinates):
# with a run in its "Ready" and the About box open, the part of the area the
# box leaves free goes on changing once the frames start: two captures of it
# 450 ms apart (obstacles move every 200 ms) differ.
field_changes_under() {
    local top=$2 bottom=$(($2 + $4)) band
    if [ $((top - 11)) -ge 20 ]; then band=534x$((top - 11))+12+11
    elif [ $((197 - bottom)) -ge 20 ]; then band=534x$((197 - bottom))+12+$bottom
    else SEEN="the About box covers the area"; return 1
    fi
    wshot
    cp "$WORK/win.png" "$WORK/field.png"
    # The first frame after "Go!!" (2.5 s after "Ready") moves every obstacle.
    poll 4000 differs_from "$WORK/field.png" "$band" || { SEEN="no change in $band"; return 1; }
    cp "$WORK/win.png" "$WORK/field.png"
    sleep 0.45
    wshot
    differs_from "$WORK/field.png" "$band"
}
