# Helpers shared by the end-to-end scripts and bench/motion_cpu.sh; sourced.
#   Results: pass, fail, check. Servers (servers.sh): start_xvfb, start_sway, start_weston,
#   start_mutter, all stopped on exit with the program. The program:
#   wait_exit, CPU and wake-up figures, the wheel trace. Screens: screen.sh, sourced at the end.

PASSED=0
FAILED=0
APP_PID=
EXIT_LIMIT_MS=${EXIT_LIMIT_MS:-1000}
WORK=$(mktemp -d)
CLEANUPS=()
# The checks listen to nothing: SDL's silent driver, unless a script records
# with its disk driver (sound.sh). With none at all the program would say
# once on stderr that it has no sound, which the checks of stderr do not expect.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

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
# no_locale command...: runs it with no locale at all, as on a fresh machine.
no_locale() { env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES "$@"; }
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

source "$(dirname "${BASH_SOURCE[0]}")/servers.sh"

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
# gl_libraries pid: the GL, EGL and DRI driver libraries the process maps, one
# line, or nothing (libgbm and libwayland-egl are not drivers: libSDL2 links them).
gl_libraries() {
    awk '{ print $6 }' "/proc/$1/maps" | grep -E '/(libEGL|libGL|libGLX|libGLdispatch)[^/]*\.so|_dri\.so|/dri/' |
        xargs -r -n1 basename | sort -u | tr '\n' ' ' | sed 's/ $//'
}
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

source "$(dirname "${BASH_SOURCE[0]}")/screen.sh"
