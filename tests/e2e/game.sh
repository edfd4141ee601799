# The game end to end; sourced by run.sh, whose display, launch and capture it
# uses with the helpers of lib.sh.
#   hover over Start; Start, "Ready" then "Go!!", the player's square and the
#   wheel; a run stopped midway and a new one started at once, which is played
#   to "Game Over!!" and back to the menu; Exit on the menu; Escape during a
#   game, in each of its phases; the CPU the program takes during games, held
#   to CPU_LIMIT. Figures: wheel-to-present latency on the menu and in a game
#   (the program's QUINDLE_TRACE_WHEEL trace).
# Screens are read from captures of the main window alone: with no window
# manager the window is its client area, so a capture's pixels are at client
# coordinates. Every wait polls captures; no check rests on a fixed sleep.

GAME_EXIT_LIMIT_MS=300 # closing during a game
STOP_LIMIT_MS=500      # a Stop click shows the menu at once: the first captures after it
RESULT_LIMIT_S=60      # staying in place, the player is hit within seconds
# Each waits for a phase of the run that has just been started.
reach_ready() { poll 1500 text_is Ready; }
reach_go() { burst_start 4000 && burst_find 'text_is Ready' text_is 'Go!!'; }
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
    burst_start 6000 # through "Ready" (2 s) and "Go!!"
    expect "clicking Start shows the game screen with \"Ready\"" 1500 text_is Ready
    check "... centred in the area (box w h cx cy: $TEXT_BOX)" text_centred
    check "... in white" text_white
    check "... the menu's title and buttons are gone" menu_gone
    check "... the Stop button is below the area" pixels_are $STOP_FILL $DARK_GREY 542 228 $DARK_GREY
    check "... with its yellow caption" colour_in "$YELLOW_FILTER" $STOP_BOX
    check "the player is a red square at x 100 in the middle of the area" player_at $AREA_CY
    xdotool click --repeat 3 --delay 30 4
    expect "three wheel notches up move it 15 pixels up" 1000 player_at $((AREA_CY - 15))
    expect_found "\"Go!!\" follows \"Ready\"" 'text_is Ready' text_is 'Go!!'
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
    burst_start 6000
    expect "Start right after Stop shows a new \"Ready\"" 1500 text_is Ready
    check "... the player back in the middle of the area" player_at $AREA_CY
    expect_found "... and its \"Go!!\": the stopped run does not end the new one" 'text_is Ready' text_is 'Go!!'

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
    C0=$(cpu_ticks "$APP_PID")
    T0=$(now_ms)
    while [ $(($(now_ms) - T0)) -lt $((MEASURE_SECONDS * 1000)) ]; do
        sleep 0.2
        wshot
        if menu_shown; then
            click_at $START_AT
            RUNS_STARTED=$((RUNS_STARTED + 1))
        fi
    done
    C1=$(cpu_ticks "$APP_PID")
    GAME_CPU=$(percent $((C1 - C0)) $(($(now_ms) - T0)))
    check "during games the program takes at most $CPU_LIMIT % of a core ($GAME_CPU % over $MEASURE_SECONDS s, $RUNS_STARTED runs)" \
        at_most "$GAME_CPU" "$CPU_LIMIT"

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
