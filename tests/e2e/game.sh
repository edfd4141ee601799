# The game end to end; sourced by run.sh, whose display, helpers (launch,
# wait_exit, check, pass, fail, now_ms) and counters it uses.
#   hover over Start; Start, "Ready" then "Go!!", the player's square and the
#   wheel; a run stopped midway and a new one started at once, which is played
#   to "Game Over!!" and back to the menu; Exit on the menu; Escape during a
#   game, in each of its phases. Figures: wheel-to-present latency on the menu
#   and in a game (the program's QUINDLE_TRACE_WHEEL trace) and the CPU the
#   program takes during games.
# Screens are read from captures of the main window alone: with no window
# manager the window is its client area, so a capture's pixels are at client
# coordinates. Every wait polls captures; no check rests on a fixed sleep.

GAME_EXIT_LIMIT_MS=300 # closing during a game
STOP_LIMIT_MS=500      # a Stop click shows the menu at once: the first captures after it
RESULT_LIMIT_S=60      # staying in place, the player is hit within seconds
CPU_SECONDS=10
WHEEL_PAIRS=30 # up-and-down pairs of notches per latency measurement
WHEEL_GAP=0.03 # s between notches: more than a refresh period, so each one gets a present of its own

# Colours of the captions and the title, as ImageMagick filters: a pixel of the
# antialiased text.
YELLOW_FILTER='r>0.8&&g>0.7&&b<0.2'
BLUE_FILTER='b>0.5&&r<0.3&&g<0.3'
RED_FILTER='r>0.7&&g<0.1&&b<0.1'
WHITE=255,255,255

# Layout in client coordinates, as the dialog's template places it.
AREA_CROP=534x186+12+11 # the drawing area (12, 11, 546, 197)
AREA_CX=279             # its centre
AREA_CY=104
START_AT="276 118" # middle of Start
EXIT_AT="276 162"  # middle of Exit
STOP_AT="484 216"  # middle of Stop
IN_AREA="300 60"   # a place in the area off every button
TITLE_BOX="86 23 383 54"
START_BOX="214 102 124 32"
EXIT_BOX="214 146 124 32"
STOP_BOX="422 200 124 32"
START_FILL="218 105"
EXIT_FILL="218 149"
STOP_FILL="425 203"
TITLE_FILL="90 30"
PLAYER_X=100

wshot() { import -window "$WIN" "$WORK/win.png"; }

# Reads points of the last window capture: pixels_are x y "r,g,b" [x y "r,g,b" ...].
# SEEN holds what was read.
pixels_are() {
    local fmt= want= x y
    while [ $# -ge 3 ]; do
        x=$1 y=$2
        fmt+="%[fx:int(255*p{$x,$y}.r+0.5)],%[fx:int(255*p{$x,$y}.g+0.5)],%[fx:int(255*p{$x,$y}.b+0.5)] "
        want+="$3 "
        shift 3
    done
    SEEN=$(convert "$WORK/win.png" -format "$fmt" info:)
    [ "$SEEN" = "$want" ]
}

# The status text of the last capture, told by the box its white pixels fill
# (the status face is monospaced: the width goes with the count of letters).
# Sets TEXT (Ready, Go!!, Goal!!, Game Over!!, none or the box) and TEXT_BOX
# ("w h cx cy" in client coordinates).
read_text() {
    local g w h x y
    g=$(convert "$WORK/win.png" -crop "$AREA_CROP" +repage -colorspace gray -threshold 90% -format '%@' info: 2>/dev/null)
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
    [ $((cx - AREA_CX)) -ge -2 ] && [ $((cx - AREA_CX)) -le 2 ] && [ $((cy - AREA_CY)) -ge -2 ] && [ $((cy - AREA_CY)) -le 2 ]
}
# The brightest pixel of the text is the palette's white.
text_white() {
    [ "$(convert "$WORK/win.png" -crop "$TEXT_GEOMETRY" +repage \
        -format '%[fx:int(255*maxima.r+0.5)],%[fx:int(255*maxima.g+0.5)],%[fx:int(255*maxima.b+0.5)]' info:)" = $WHITE ]
}
# colour_in filter x y w h: the block of the last capture holds a pixel that passes the filter.
colour_in() {
    [ "$(convert "$WORK/win.png" -crop "$4x$5+$2+$3" +repage -fx "$1" -format '%[fx:maxima]' info:)" = 1 ]
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

# between low high value
between() { [ "$3" -ge "$1" ] && [ "$3" -le "$2" ]; }
# The program ended with status 0 within limit_ms (after wait_exit).
exited_within() { [ "$EXIT_STATUS" = 0 ] && [ "$EXIT_MS" -le "$1" ]; }

# poll limit_ms predicate [args]: captures the window until the predicate
# holds; POLL_MS is the time it took (or the limit).
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
# expect "name" limit_ms predicate [args]: a check that waits; a failure says what was seen.
expect() {
    local name=$1
    shift
    if poll "$@"; then pass "$name"; else fail "$name (saw: $SEEN)"; fi
}

at_client() { xdotool mousemove --window "$WIN" $1 $2; }
click_at() { xdotool mousemove --window "$WIN" $1 $2 click 1; }

# Alternate notches up and down with the pointer in the area: the player ends where it began.
wheel_pairs() {
    local args=() i
    for i in $(seq "$WHEEL_PAIRS"); do
        args+=(click --delay 0 4 sleep "$WHEEL_GAP" click --delay 0 5 sleep "$WHEEL_GAP")
    done
    xdotool "${args[@]}"
}
wheel_lines() { grep -c ' wheel ' "$WORK/stderr"; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
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

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }

# Each waits for a phase of the run that has just been started.
reach_ready() { poll 1500 text_is Ready; }
reach_go() { poll 3000 text_is 'Go!!'; }
reach_frames() { reach_go && poll 1500 frames_shown; }

# --- One program: hover, the wheel, Start and Stop, a run to its end, Escape --
if QUINDLE_TRACE_WHEEL=1 launch; then
    at_client $START_AT
    expect "hovering over Start fills it red, Exit stays dark grey" 2000 pixels_are $START_FILL $RED $EXIT_FILL $DARK_GREY
    at_client $IN_AREA
    expect "leaving Start clears it to dark grey" 2000 pixels_are $START_FILL $DARK_GREY $EXIT_FILL $DARK_GREY

    wheel_pairs
    check "each of $((2 * WHEEL_PAIRS)) wheel notches on the menu is presented" wait_traced $((2 * WHEEL_PAIRS))
    MENU_WHEEL=$(wheel_figure "on the menu" 1)

    click_at $START_AT
    expect "clicking Start shows the game screen with \"Ready\"" 1500 text_is Ready
    check "... centred in the area (box w h cx cy: $TEXT_BOX)" text_centred
    check "... in white" text_white
    check "... the menu's title and buttons are gone" menu_gone
    check "... the Stop button is below the area" pixels_are $STOP_FILL $DARK_GREY 542 228 $DARK_GREY
    check "... with its yellow caption" colour_in "$YELLOW_FILTER" $STOP_BOX
    check "the player is a red square at x 100 in the middle of the area" player_at $AREA_CY
    xdotool click --repeat 3 --delay 30 4
    expect "three wheel notches up move it 15 pixels up" 1000 player_at $((AREA_CY - 15))
    expect "\"Go!!\" follows \"Ready\"" 3000 text_is 'Go!!'
    check "... centred too (box w h cx cy: $TEXT_BOX)" text_centred

    # --- Stopped midway, and a new run at once ------------------------------
    # Obstacles start 100 pixels or more right of the player and take over a
    # second to reach it: the first frames show the player.
    check "... then the frames run (no status text)" poll 1500 frames_shown
    if [ -n "${E2E_KEEP_SHOTS:-}" ] && player_at $((AREA_CY - 15)); then
        cp "$WORK/win.png" "$E2E_KEEP_SHOTS/game.png" # mid-run, for the README
    fi
    click_at $STOP_AT
    expect "Stop midway returns to the menu at once" $STOP_LIMIT_MS menu_shown
    click_at $START_AT
    T_START=$(now_ms)
    expect "Start right after Stop shows a new \"Ready\"" 1500 text_is Ready
    check "... the player back in the middle of the area" player_at $AREA_CY
    expect "... and its \"Go!!\": the stopped run does not end the new one" 3000 text_is 'Go!!'

    # --- The wheel in a game, then the run played to its end ----------------
    # The result shows for 2 s from a hit that comes 1.4 s after "Go!!" at the
    # earliest: the notches take less than that.
    FIRST=$(($(wheel_lines) + 1))
    wheel_pairs
    check "each of $((2 * WHEEL_PAIRS)) wheel notches in a game is presented" wait_traced $((FIRST - 1 + 2 * WHEEL_PAIRS))
    GAME_WHEEL=$(wheel_figure "in a game" "$FIRST")
    if poll $((RESULT_LIMIT_S * 1000)) text_is_result; then
        T1=$(now_ms)
        check "staying in place, the run ends with \"Game Over!!\" (\"$TEXT\" $(((T1 - T_START) / 1000)) s after Start)" \
            [ "$TEXT" = 'Game Over!!' ]
        check "... centred (box w h cx cy: $TEXT_BOX)" text_centred
        if poll 5000 menu_shown; then
            SHOWN=$(($(now_ms) - T1))
            check "the menu returns about 2 s after the result shows (${SHOWN} ms)" between 1700 2600 "$SHOWN"
        else
            fail "the menu returns after the result (saw: $SEEN)"
        fi
    else
        fail "staying in place, the run ends with a result within $RESULT_LIMIT_S s (saw: $SEEN)"
    fi

    # --- CPU during a game; a run that ends is replaced by a new one ---------
    RUNS_STARTED=1
    C0=$(cpu_ticks)
    T0=$(now_ms)
    while [ $(($(now_ms) - T0)) -lt $((CPU_SECONDS * 1000)) ]; do
        sleep 0.2
        wshot
        if menu_shown; then
            click_at $START_AT
            RUNS_STARTED=$((RUNS_STARTED + 1))
        fi
    done
    C1=$(cpu_ticks)
    ELAPSED=$(($(now_ms) - T0))
    CPU_FIGURE="figure: CPU during a game over $((ELAPSED / 1000)) s: \
$(awk -v d=$((C1 - C0)) -v t="$(getconf CLK_TCK)" -v ms="$ELAPSED" 'BEGIN { printf "%.2f %%", 100 * d / t / (ms / 1000) }') \
of one core ($((C1 - C0)) ticks; $RUNS_STARTED runs, each played to its end)"

    # --- Escape during a game -----------------------------------------------
    wshot
    menu_shown && click_at $START_AT && reach_ready
    if poll 1000 game_shown; then
        T0=$(now_ms)
        xdotool key Escape
        wait_exit "$T0"
        check "Escape during a game ends the program with status 0 within ${GAME_EXIT_LIMIT_MS} ms ($EXIT_STATUS, ${EXIT_MS} ms)" \
            exited_within "$GAME_EXIT_LIMIT_MS"
    else
        fail "a game is running before Escape (saw: $SEEN)"
    fi
    echo "$MENU_WHEEL"
    echo "$GAME_WHEEL"
    echo "$CPU_FIGURE"
else
    fail "the main window appears (wheel trace on)"
fi

# --- Exit on the menu ---------------------------------------------------------
if launch; then
    poll 2000 menu_shown
    T0=$(now_ms)
    click_at $EXIT_AT
    wait_exit "$T0"
    check "Exit on the menu ends the program with status 0 ($EXIT_STATUS, ${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
else
    fail "the main window appears (for Exit)"
fi

# --- Escape in each phase of a run ---------------------------------------------
escape_in() { # escape_in "phase" reach_function
    local phase=$1
    if ! launch; then
        fail "the main window appears (Escape during $phase)"
        return
    fi
    click_at $START_AT
    if ! "$2"; then
        fail "a run reaches $phase (saw: $SEEN)"
        kill "$APP_PID"
        wait "$APP_PID"
        APP_PID=
        return
    fi
    local t0
    t0=$(now_ms)
    xdotool key Escape
    wait_exit "$t0"
    check "Escape during $phase ends the program with status 0 within ${GAME_EXIT_LIMIT_MS} ms ($EXIT_STATUS, ${EXIT_MS} ms)" \
        exited_within "$GAME_EXIT_LIMIT_MS"
}
escape_in '"Ready"' reach_ready
escape_in '"Go!!"' reach_go
escape_in "the frames" reach_frames
