# The sound end to end, recorded by SDL's disk driver (it writes what the
# device plays, 48 kHz stereo float, at real-time pace, to a file it makes
# anew at each open); sourced by run.sh after keys.sh, whose helpers it uses.
#   The menu opens no device for seconds; a game's start is heard, under
#   -6 dBFS; back on the menu the device closes; the system menu's Sound item
#   carries a check mark, which M takes away; then a game writes nothing, and
#   the next program keeps it so until M again; Escape with the device open
#   ends the program at once. With no sound card the game plays as always and
#   stderr has one line. Figures: a cue's wait to its first sample at the
#   device, and the program idle on the menu after a game with the sound on.

SOUND_STATE="$WORK/sound-state"
SOUND_FILE="$WORK/sound.raw"
SOUND_KEPT="$SOUND_STATE/quindle/sound"
FLOAT_PEAK=0.5012 # -6 dBFS

sound_launch() {
    XDG_STATE_HOME="$SOUND_STATE" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$SOUND_FILE" QUINDLE_TRACE_AUDIO=1 \
        launch "$@"
}
# The largest magnitude in the recording (0 when there is none).
sound_peak() {
    [ -s "$SOUND_FILE" ] || { echo 0; return; }
    od -An -v -tf4 "$SOUND_FILE" | awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > m) m = v } }
        END { printf "%.4f", m + 0 }'
}
heard() { SEEN="peak $(sound_peak)"; ! at_most "$(sound_peak)" 0.001; }
file_size() { stat -c %s "$SOUND_FILE" 2>/dev/null || echo none; }
threads() { ls "/proc/$APP_PID/task" | wc -l; }
# The check mark's place in the system menu's Sound item (the popup's items:
# Close, a separator, Sound, a separator, the four size items, a separator,
# About; 3 px of frame above and below, 9 px a separator): a dark tick there.
sound_checked() {
    local h=$(((PH - 33) / 7))
    dark_in $((PX + 10)) $((PY + 3 + h + 9 + h / 2 - 3)) 7 7
}
# Opens the system menu, reads the Sound item's check mark into CHECKED, closes it.
read_sound_check() {
    CHECKED=unknown
    open_system_menu >/dev/null || return 1
    read -r PW PH PX PY <<<"$POPUP"
    if sound_checked; then CHECKED=yes; else CHECKED=no; fi
    xdotool key Escape
    poll 1000 same_as "$WORK/before.png"
}
cue_waits() { sed -n 's/^quindle: sound \([0-9.]*\) ms after.*/\1/p' "$WORK/stderr"; }

CUE_WAITS=()
rm -f "$SOUND_FILE"
if sound_launch; then
    BASE_THREADS=$(threads)
    sleep 3
    check "the menu opens no sound device for 3 s (recording: $(file_size))" [ ! -e "$SOUND_FILE" ]
    read_sound_check
    check "the system menu's Sound item has its check mark ($CHECKED)" [ "$CHECKED" = yes ]
    xdotool key space
    if poll 1500 text_is Ready; then
        expect "a game's start is heard" 1000 heard
        check "... under -6 dBFS ($(sound_peak))" at_most "$(sound_peak)" "$FLOAT_PEAK"
        poll 3000 frames_shown
        stop_run
        # Go!! sounded 2 s in; the device closes about a second after it ends.
        sleep 1.6
        SIZE=$(file_size)
        sleep 2
        check "back on the menu the device closes: no more is written for 2 s ($SIZE, then $(file_size) bytes)" \
            [ "$SIZE" = "$(file_size)" ]
        check "... and no audio thread is left ($(threads) threads, $BASE_THREADS before the game)" \
            [ "$(threads)" = "$BASE_THREADS" ]
        measure_idle "$APP_PID" "$MEASURE_SECONDS"
        echo "figure: on the menu after a game, sound on: $IDLE_CPU % of a core, $IDLE_WAKEUPS wake-ups/s"
    else
        fail "Space starts a game (sound; saw: $SEEN)"
    fi
    xdotool key m
    read_sound_check
    check "M takes the check mark away ($CHECKED)" [ "$CHECKED" = no ]
    check "... and keeps the choice in the state folder ($(cat "$SOUND_KEPT" 2>/dev/null))" \
        wait_until 1000 grep -qx 0 "$SOUND_KEPT"
    rm -f "$SOUND_FILE"
    xdotool key space
    poll 1500 text_is Ready && sleep 2.5
    check "with the sound off a game's Ready and Go!! write nothing ($(file_size))" [ ! -e "$SOUND_FILE" ]
    stop_run
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape ends it with status 0 ($EXIT_STATUS)" [ "$EXIT_STATUS" = 0 ]
    mapfile -t -O "${#CUE_WAITS[@]}" CUE_WAITS < <(cue_waits)
else
    fail "the main window appears (sound)"
fi

if sound_launch; then
    xdotool key space
    poll 1500 text_is Ready && sleep 2.5
    check "the next program keeps the sound off: a game writes nothing ($(file_size))" [ ! -e "$SOUND_FILE" ]
    stop_run
    xdotool key m
    check "M turns it on again, kept ($(cat "$SOUND_KEPT" 2>/dev/null))" wait_until 1000 grep -qx 1 "$SOUND_KEPT"
    xdotool key space
    poll 1500 text_is Ready
    expect "... and the next game is heard" 1000 heard
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "Escape with the device open ends the program with status 0 within ${GAME_EXIT_LIMIT_MS} ms ($EXIT_STATUS, ${EXIT_MS} ms)" \
        exited_within "$GAME_EXIT_LIMIT_MS"
    mapfile -t -O "${#CUE_WAITS[@]}" CUE_WAITS < <(cue_waits)
else
    fail "the main window appears (sound, second program)"
fi

# No sound card: ALSA asked for a card that is not there (ALSA's own error
# lines silenced, one of the program's).
if XDG_STATE_HOME="$SOUND_STATE" SDL_AUDIODRIVER=alsa AUDIODEV=hw:99,0 launch; then
    xdotool key space
    if poll 1500 text_is Ready && poll 4000 frames_shown; then
        pass "with no sound card a game plays"
    else
        fail "with no sound card a game plays (saw: $SEEN)"
    fi
    stop_run
    T0=$(now_ms)
    xdotool key Escape
    wait_exit "$T0"
    check "... ends with status 0 ($EXIT_STATUS)" [ "$EXIT_STATUS" = 0 ]
    check "... and says so in one line on stderr ($(head -c 200 "$WORK/stderr"))" \
        eval '[ "$(wc -l <"$WORK/stderr")" = 1 ] && grep -q "^quindle: no sound: " "$WORK/stderr"'
else
    fail "the main window appears (no sound card)"
fi

if [ "${#CUE_WAITS[@]}" -gt 0 ]; then
    echo "figure: a cue's wait to its first sample at the device: median $(printf '%s\n' "${CUE_WAITS[@]}" | median) ms," \
        "max $(printf '%s\n' "${CUE_WAITS[@]}" | sort -n | tail -1) ms over ${#CUE_WAITS[@]} cues (${CUE_WAITS[*]})"
fi
