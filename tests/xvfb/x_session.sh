# Shared by the tests that drive the tool's real window on a private X server. Sourced; the caller
# defines `work` (its scratch folder), `fail` (reports and exits) and `tool_pid` (empty while no
# tool runs), and stops what it started (Xvfb: $xvfb_pid, the window manager: $wm_pid).

xvfb_pid=""
wm_pid=""

# Polls the command after $1 (seconds) every 0.1 s until it succeeds. Returns 1 on timeout and 2
# as soon as the tool has ended, so a crash is not reported as a slow start.
wait_for() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        if [ -n "$tool_pid" ] && ! kill -0 "$tool_pid" 2>/dev/null; then
            return 2
        fi
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# Starts a private Xvfb on a display number drawn from 100..999, away from the low numbers that
# other servers take first (xvfb-run -a, Xvfb -displayfd alone), so that X tests running side by
# side do not meet. With a number given, -displayfd only tells when the server is up; a number in
# use ends Xvfb at once, and another is drawn. -noreset: the probe that checks that the server
# answers must not send it through a reset, which drops the clients connecting meanwhile.
start_xvfb() {
    display_ready() { [ -s "$work/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; }
    display_answers() { timeout 10 xwininfo -root >/dev/null 2>&1; }
    local attempt
    for attempt in 1 2 3 4 5 6 7 8; do
        number=$((100 + RANDOM % 900))
        [ ! -e "/tmp/.X$number-lock" ] || continue
        : >"$work/display"
        Xvfb ":$number" -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp \
            3>"$work/display" 2>"$work/xvfb.err" &
        xvfb_pid=$!
        wait_for 30 display_ready
        if [ -s "$work/display" ]; then
            export DISPLAY=":$number"
            wait_for 30 display_answers && return 0
        fi
        kill -TERM "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    done
    fail "Xvfb did not start (attempts: $attempt)"
}

# Starts openbox on $DISPLAY and waits until it manages the screen, so that close requests reach
# the client as a window manager sends them and keyboard focus follows the active window.
start_openbox() {
    command -v openbox >/dev/null || fail "openbox is not installed (scripts/setup.sh)"
    # Its own home, so that what it keeps there is not taken for the tool's.
    mkdir -p "$work/openbox-home"
    HOME="$work/openbox-home" openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wm_running() { [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *"window id"* ]]; }
    wait_for 20 wm_running || fail "openbox did not start"
}

# Stops the window manager and the server this file started.
stop_x_session() {
    if [ -n "$wm_pid" ]; then
        kill -TERM "$wm_pid" 2>/dev/null
        wait "$wm_pid" 2>/dev/null
        wm_pid=""
    fi
    if [ -n "$xvfb_pid" ]; then
        kill -TERM "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    fi
}
