# What the scripts on a Wayland desktop that leaves the frames to libdecor
# (weston, GNOME's mutter) share; sourced after lib.sh. Both compositors
# fill the Xvfb's root window with their picture, and place windows where
# they like: a window is found by its dialog face, a region of that colour
# of its size, and its title bar read above it.

TITLE_H=24 # libdecor's title bar above the client
BUTTON=18  # from the client's right edge to the middle of the close button; maximise is 31 more

rootshot() { import -window root "$WORK/shot.png"; }
wshot_to() { import -window root -crop "${CLIENT_SIZE// /}+$CX+$CY" +repage "$1"; }

# face_box w h: "x y" of the client of that size in a new root capture (the
# region of the face colour, holes and all), or nothing.
face_box() {
    rootshot
    convert "$WORK/shot.png" -fill black +opaque "rgb($FACE)" -fill white -opaque "rgb($FACE)" \
        -define connected-components:verbose=true -connected-components 8 null: |
        awk -v s="$1x$2" '$NF == "srgb(255,255,255)" { split($2, g, "+"); if (g[1] == s) { print g[2], g[3]; exit } }'
}
found() { # found w h: sets FX FY
    local at
    at=$(face_box "$1" "$2")
    [ -n "$at" ] && read -r FX FY <<<"$at"
}
gone() { ! found "$@"; }

# title_bar x y w: in the last root capture, the band above the client at
# (x, y) is covered by a bar (none of the desktop's blue in it) that shows a
# caption (light text in its middle half, grey when the window is inactive).
title_bar() {
    local IMG=$WORK/shot.png
    ! colour_in 'b>r+0.2' "$1" $(($2 - TITLE_H + 2)) "$3" $((TITLE_H - 4)) &&
        colour_in 'intensity>0.45' $(($1 + $3 / 4)) $(($2 - TITLE_H + 4)) $(($3 / 2)) 16
}
# button x y w offset: the middle of a title-bar button, offset from the client's right edge.
button() { echo $(($1 + $3 - $4)) $(($2 - TITLE_H / 2)); }
# start_then_close: Start shows "Ready"; then the main window's close button
# ends the program with status 0 (the caller reads what it said on stderr).
start_then_close() {
    local t0
    click_at $START_AT
    expect "clicking Start shows \"Ready\"" 1500 text_is Ready
    xdotool mousemove $(button $CX $CY $CWIDTH $BUTTON)
    t0=$(now_ms)
    xdotool click 1
    wait_exit "$t0"
    check "the close button ends the program with status 0 ($EXIT_STATUS, ${EXIT_MS} ms)" [ "$EXIT_STATUS" = 0 ]
}
# main_window_appears name: the main window's client appears, with libdecor's
# title bar above it and the menu screen in it (kept as name-menu.png where
# E2E_KEEP_SHOTS says); sets CX CY, CWIDTH CHEIGHT. Fails when no client comes.
main_window_appears() {
    read -r CWIDTH CHEIGHT <<<"${CLIENT_SIZE/ x / }"
    wait_until 5000 found "$CWIDTH" "$CHEIGHT" || return 1
    CX=$FX CY=$FY
    pass "a $CLIENT_SIZE client appears (at $CX, $CY)"
    check "libdecor's title bar with the caption is above it" wait_until 1000 eval 'rootshot; title_bar $CX $CY $CWIDTH'
    [ -n "${E2E_KEEP_SHOTS:-}" ] && cp "$WORK/shot.png" "$E2E_KEEP_SHOTS/$1-menu.png"
    check "the menu screen is drawn" poll 2000 menu_shown
    check_menu_screen
}
