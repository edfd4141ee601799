# The screens as the end-to-end scripts read them; sourced by lib.sh.
#   Colours and the layout; predicates on the client capture (pixels,
#   colours, the status text, the player); waits that capture until a
#   predicate holds, and captures in bursts for a brief screen; and the checks
#   that run.sh and wayland.sh share: the menu screen, the system menu, the
#   About box and the field under it.
# Each script defines wshot_to (a capture of the client area into the file
# it is given, so that its pixels are at client coordinates) and rootshot
# (the whole screen into $WORK/shot.png), and sets CX CY (the client's
# top-left on the screen) when the window appears. The predicates read the
# last client capture, $WORK/win.png, or the image in IMG when it is set.

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
