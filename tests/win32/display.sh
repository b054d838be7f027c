#!/usr/bin/env bash
# A private X display for the Win32 backend's tests: Wine shows top-level windows only on an X
# server, and activation, focus and close requests behave as on a desktop only with a window
# manager. One display serves the whole test run (a CTest fixture), with a Wine prefix of its own:
# Wine's desktop process binds a prefix's server to the display it first saw, so the prefix's
# server starts with the display and ends with it, and no other test's server is touched.
#
#   display.sh start <state-dir> <wine>
#       starts Xvfb on a free display number, openbox on it, and the Wine server of the prefix
#       <state-dir>/prefix (created with <wine> on first use)
#   display.sh stop <state-dir>
#       ends the Wine server, openbox and Xvfb
#   display.sh run <state-dir> -- <emulator...> <program> [args...]
#       with a started display: runs the program with <wine> in that prefix on that display;
#       without one (test discovery at build time, which shows no window): runs
#       <emulator...> <program> [args...] as the build would
#
# Exit codes: those of the program for run; 0 or 1 for start and stop.
set -uo pipefail

command="${1:-}"
state="${2:-}"
if [ -z "$command" ] || [ -z "$state" ]; then
    echo "usage: $0 start|stop|run <state-dir> [program args...]" >&2
    exit 1
fi
shift 2

stop_pid() {  # pid file
    local pid
    pid="$(cat "$1" 2>/dev/null)" || return 0
    [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null
    rm -f "$1"
}

stop_wine_server() {
    if [ -s "$state/wine" ] && [ -d "$state/prefix" ]; then
        WINEPREFIX="$state/prefix" wineserver -k </dev/null >/dev/null 2>&1
    fi
}

case "$command" in
    run)
        [ "${1:-}" = "--" ] && shift
        if [ -s "$state/display" ] && [ -s "$state/wine" ]; then
            DISPLAY="$(cat "$state/display")"
            WINEPREFIX="$state/prefix"
            WINEDEBUG="${WINEDEBUG:--all}"
            export DISPLAY WINEPREFIX WINEDEBUG
            wine="$(cat "$state/wine")"
            # The emulator's own words before the program: the program is the first .exe.
            while [ $# -gt 0 ] && [[ "$1" != *.exe ]]; do
                shift
            done
            exec "$wine" "$@"
        fi
        exec "$@"
        ;;
    stop)
        stop_wine_server
        stop_pid "$state/openbox.pid"
        stop_pid "$state/xvfb.pid"
        rm -f "$state/display"
        exit 0
        ;;
    start)
        ;;
    *)
        echo "unknown command $command" >&2
        exit 1
        ;;
esac

for program in Xvfb openbox xdpyinfo; do
    command -v "$program" >/dev/null || { echo "$program is not installed" >&2; exit 1; }
done
wine="${1:-}"
if [ -z "$wine" ]; then
    echo "usage: $0 start <state-dir> <wine>" >&2
    exit 1
fi
mkdir -p "$state"
"$0" stop "$state"
echo "$wine" >"$state/wine"

# A display number drawn from 100..999, away from the low numbers that other servers take first;
# a number in use ends Xvfb at once, and another is drawn. -noreset: a client's leaving must not
# reset the server under the next test.
for attempt in 1 2 3 4 5 6 7 8; do
    number=$((100 + RANDOM % 900))
    [ ! -e "/tmp/.X$number-lock" ] || continue
    # setsid and every descriptor away from CTest's pipes, so that CTest does not wait for the
    # server to end before it goes on.
    setsid Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset \
        </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 50); do
        if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
            echo ":$number" >"$state/display"
            break 2
        fi
        kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
        sleep 0.1
    done
    stop_pid "$state/xvfb.pid"
done
if [ ! -s "$state/display" ]; then
    echo "Xvfb did not start" >&2
    exit 1
fi
DISPLAY="$(cat "$state/display")" setsid openbox </dev/null >"$state/openbox.log" 2>&1 &
echo $! >"$state/openbox.pid"
# openbox owns the screen once it has taken the window manager's selection.
for _ in $(seq 50); do
    if DISPLAY="$(cat "$state/display")" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null |
        grep -q 'window id'; then
        break
    fi
    sleep 0.1
done
if ! DISPLAY="$(cat "$state/display")" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null |
    grep -q 'window id'; then
    echo "openbox did not start on $(cat "$state/display")" >&2
    "$0" stop "$state"
    exit 1
fi

# The prefix, once (about 15 s), without the offers to install Mono and Gecko, which would wait
# for an answer; then its server, detached from CTest's pipes, with the display in its
# environment.
export WINEPREFIX="$state/prefix" WINEDEBUG=-all DISPLAY="$(cat "$state/display")"
if [ ! -f "$state/prefix/.ready" ]; then
    rm -rf "$state/prefix"
    WINEDLLOVERRIDES="mscoree=;mshtml=" "$wine" wineboot --init </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1
    if [ ! -f "$state/prefix/system.reg" ]; then
        echo "$wine did not create the prefix $state/prefix" >&2
        "$0" stop "$state"
        exit 1
    fi
    touch "$state/prefix/.ready"
fi
wineserver -p </dev/null >/dev/null 2>&1
# The prefix's services (services.exe, winedevice.exe, ...) start with the first program and
# would inherit that test's output pipe, which CTest then waits on: start them here, detached.
"$wine" wineboot </dev/null >/dev/null 2>&1
echo "display $DISPLAY with openbox, Wine prefix $WINEPREFIX"
exit 0
