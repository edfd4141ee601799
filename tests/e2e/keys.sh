# The keyboard, the pause and the best score end to end; sourced by run.sh
# after game.sh, whose helpers (launch, wshot, poll, expect, read_text,
# player_at, menu_shown, ...) it uses.
#   Space starts; the arrows steer; P freezes the field and shows "Paused",
#   P again lets it go on; the focus taken by another window pauses; F1 opens
#   the About box; a stopped run leaves its score as the best, which the menu
#   shows, also in the next program; Escape while paused ends the program.
# The program keeps its state in a scratch folder of its own here.

KEYS_STATE="$WORK/keys-state"
BEST_FILE="$KEYS_STATE/quindle/best"
FREEZE_GAP=0.45 # s between two captures of a frozen field: two frames of a running one
SCORE_BOX="12 200 200 32" # the score line's left part, below the area
DARK_FILTER='r<0.3&&g<0.3&&b<0.3'

score_line_shown() { colour_in "$DARK_FILTER" $SCORE_BOX; }
no_score_line() { ! colour_in "$DARK_FILTER" $SCORE_BOX; }
# "Paused" and "Goal!!" are both six letters wide; a run that has only begun
# cannot have reached its goal.
paused_text() { read_text; SEEN="text $TEXT"; [ "$TEXT" = 'Goal!!' ]; }
# Whether the area is the same in two captures FREEZE_GAP apart.
area_frozen() {
    convert "$WORK/win.png" -crop "$AREA_CROP" +repage "$WORK/area1.png"
    sleep "$FREEZE_GAP"
    wshot
    convert "$WORK/win.png" -crop "$AREA_CROP" +repage "$WORK/area2.png"
    [ "$(compare -metric AE "$WORK/area1.png" "$WORK/area2.png" null: 2>&1)" = 0 ]
}
paused_shown() { paused_text && area_frozen; }
moving_shown() { frames_shown && ! area_frozen; }
menu_with_best() { menu_shown && score_line_shown; }
# Starts a run with Space and waits for its frames; FALSE if they never come.
space_to_frames() { xdotool key space && poll 1500 text_is Ready && poll 4000 frames_shown; }
# Stops a run still on the game screen and waits for the menu; the pointer
# then leaves Stop's place, where it would colour the next game's button.
stop_run() {
    wshot
    game_shown && click_at $STOP_AT
    poll 3000 menu_shown
    at_client $IN_AREA
}

about_open() { xwininfo -root -children | grep -q "$ABOUT_CAPTION"; }
about_closed() { ! about_open; }

OTHER_PID=
keys_cleanup() { [ -n "$OTHER_PID" ] && kill "$OTHER_PID" 2>/dev/null; OTHER_PID=; }

if XDG_STATE_HOME="$KEYS_STATE" launch; then
    poll 2000 menu_shown
    check "with nothing kept, the menu shows no best" no_score_line

    # Obstacles take over a second of frames to reach the player: each run
    # below checks less than that much of its frames.
    xdotool key space
    expect "Space on the menu starts a game (\"Ready\")" 1500 text_is Ready
    check "... with the passed count below the area" score_line_shown
    xdotool key --delay 40 Up Up Up
    expect "three presses of Up move the player 15 pixels up" 1000 player_at $((AREA_CY - 15))
    xdotool key Down
    expect "... and Down one step back" 1000 player_at $((AREA_CY - 10))
    if poll 4000 frames_shown; then
        xdotool key p
        expect "P freezes the field and shows \"Paused\"" 1000 paused_shown
        xdotool key Up
        sleep 0.3
        wshot
        check "... and the arrows do not move the player" player_at $((AREA_CY - 10))
        xdotool key p
        expect "P again lets the frames go on" 1000 moving_shown
    else
        fail "the frames run after \"Ready\" (saw: $SEEN)"
    fi
    stop_run
    expect "after the run the menu shows the best" 1000 menu_with_best
    # The run's thread writes it as it ends, just after the menu is back.
    check "... kept in the state folder within 1 s" wait_until 1000 grep -sqx '[0-9]\+' "$BEST_FILE"

    xmessage -title elsewhere -geometry 200x60+700+500 elsewhere >/dev/null 2>&1 &
    OTHER_PID=$!
    OTHER=$(timeout 5 xdotool search --sync --onlyvisible --name '^elsewhere$' 2>/dev/null | head -1)
    if [ -z "$OTHER" ]; then
        fail "a second window to take the focus appears"
    elif space_to_frames; then
        xdotool windowfocus --sync "$OTHER"
        expect "the focus taken by another window pauses the game" 1000 paused_shown
        xdotool windowfocus --sync "$WIN"
        sleep 0.3
        expect "... which stays paused when the focus comes back" 500 paused_shown
        xdotool key p
        expect "... until P" 1000 moving_shown
    else
        fail "Space starts a game whose frames run (saw: $SEEN)"
    fi
    keys_cleanup
    stop_run

    xdotool key F1
    if poll 2000 about_open; then
        pass "F1 opens the About box"
        xdotool key Escape
        expect "... which Escape closes" 1000 about_closed
    else
        fail "F1 opens the About box"
    fi
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape on the menu ends it ($EXIT_STATUS)" [ "$EXIT_STATUS" = 0 ]
else
    fail "the main window appears (keys)"
fi

if XDG_STATE_HOME="$KEYS_STATE" launch; then
    expect "the next program shows the best on its menu at once" 2000 menu_with_best
    xdotool key space
    if poll 1500 text_is Ready; then
        xdotool key p
        if poll 1000 paused_text; then
            T0=$(now_ms)
            xdotool key Escape
            wait_exit "$T0"
            check "Escape while paused ends the program with status 0 within ${GAME_EXIT_LIMIT_MS} ms ($EXIT_STATUS, ${EXIT_MS} ms)" \
                exited_within "$GAME_EXIT_LIMIT_MS"
        else
            fail "P pauses in \"Ready\" (saw: $SEEN)"
        fi
    else
        fail "Space starts a game (saw: $SEEN)"
    fi
    if [ -n "$APP_PID" ]; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
        APP_PID=
    fi
else
    fail "the main window appears (keys, second program)"
fi
