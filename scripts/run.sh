#!/usr/bin/env bash
# Sets up, builds, and starts Corvane Sensors Tool against the simulated phone (no scenario: the
# simulator's default phone answers).
#
#   scripts/run.sh [picture.png]
#
# With a display (DISPLAY or WAYLAND_DISPLAY set) the tool runs in the foreground in build/demo/,
# where it reads corvanetool.ini (if there is one) and writes its run log.
# Without one (a server, CI) it runs under a private Xvfb with a 1 s sensor period (settings
# for this run only) and the simulator's call journal on; once the sensor values show, a picture of the window goes to the
# named PNG (default build/demo/corvane-sensors-tool.png) and the tool is closed with SIGTERM,
# which it handles like the close box.
#
# CORVANE_BUILD_DIR=<folder> uses that configured build folder instead of the default preset's
# build/: setup and configuration are skipped and only the tool and the simulator are built.
set -euo pipefail

picture_arg="${1:-}"
if [ -n "$picture_arg" ] && [ "${picture_arg#/}" = "$picture_arg" ]; then
    picture_arg="$PWD/$picture_arg"   # relative to the caller's folder, not to the repository
fi

cd "$(dirname "$0")/.."
if [ -n "${CORVANE_BUILD_DIR:-}" ]; then
    build="$(cd "$CORVANE_BUILD_DIR" && pwd)"
    cmake --build "$build" --target corvane-sensors-tool corvane_simulator
else
    build="$PWD/build"
    scripts/setup.sh linux
    cmake --preset default
    cmake --build --preset default
fi

tool="$build/corvane-sensors-tool"
demo="$build/demo"
mkdir -p "$demo"
unset CORVANE_SIM_SCENARIO

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    if [ -f "$demo/corvanetool.ini" ]; then
        echo "Settings: $demo/corvanetool.ini"
    else
        echo "Settings: defaults (no corvanetool.ini in $demo)"
    fi
    cd "$demo"
    exec "$tool"
fi

picture="${picture_arg:-$demo/corvane-sensors-tool.png}"
journal="$demo/journal.log"
title="Corvane Sensors Tool"

scratch="$(mktemp -d)"
xvfb_pid=""
tool_pid=""
cleanup() {
    if [ -n "$tool_pid" ] && kill -0 "$tool_pid" 2>/dev/null; then
        kill -TERM "$tool_pid" 2>/dev/null || true
        wait "$tool_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill -TERM "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    # The demo settings were for this run only; the folder's own come back.
    rm -f "$demo/corvanetool.ini"
    if [ -f "$scratch/corvanetool.ini" ]; then
        mv "$scratch/corvanetool.ini" "$demo/corvanetool.ini"
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "run.sh: $*" >&2
    if [ -s "$demo/output.log" ]; then
        echo "--- run log ($demo/output.log):" >&2
        cat "$demo/output.log" >&2
    fi
    if [ -s "$scratch/tool.err" ]; then
        echo "--- tool's standard error:" >&2
        cat "$scratch/tool.err" >&2
    fi
    exit 1
}

# waits up to $1 seconds for the command after it to succeed; fails early when the tool ended.
wait_for() {
    local seconds="$1"
    shift
    local tries=$((seconds * 10))
    while ! "$@"; do
        if [ -n "$tool_pid" ] && ! kill -0 "$tool_pid" 2>/dev/null; then
            return 2
        fi
        tries=$((tries - 1))
        if [ "$tries" -le 0 ]; then
            return 1
        fi
        sleep 0.1
    done
}

# A display number drawn from 100..999, away from the low numbers that other servers take first
# (xvfb-run -a, Xvfb -displayfd alone). With a number given, -displayfd only tells when the server
# is up; a number in use ends Xvfb at once, and another is drawn. -noreset: the probe that checks
# that the server answers must not send it through a reset, which drops clients connecting then.
display_ready() { [ -s "$scratch/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; }
display_answers() { timeout 10 xwininfo -root >/dev/null 2>&1; }
for _ in 1 2 3 4 5 6 7 8; do
    number=$((100 + RANDOM % 900))
    [ ! -e "/tmp/.X$number-lock" ] || continue
    : >"$scratch/display"
    Xvfb ":$number" -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp \
        3>"$scratch/display" 2>"$scratch/xvfb.err" &
    xvfb_pid=$!
    wait_for 30 display_ready || true
    if [ -s "$scratch/display" ]; then
        export DISPLAY=":$number"
        if wait_for 30 display_answers; then
            break
        fi
    fi
    kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
if [ -z "$xvfb_pid" ]; then
    cat "$scratch/xvfb.err" >&2
    fail "Xvfb did not start"
fi
export QT_QPA_PLATFORM=xcb
echo "Xvfb on display $DISPLAY"

if [ -f "$demo/corvanetool.ini" ]; then
    mv "$demo/corvanetool.ini" "$scratch/corvanetool.ini"
fi
printf '[Common]\nSensorsUpdateDelay=1\n' >"$demo/corvanetool.ini"
rm -f "$journal"
export CORVANE_SIM_JOURNAL="$journal"
(cd "$demo" && exec "$tool") 2>"$scratch/tool.err" &
tool_pid=$!

# The window must exist before the signal comes; the sensor read is the sign that it does.
sensors_read() { grep -q ' WGetSensorData ' "$journal" 2>/dev/null; }
waited=0
wait_for 90 sensors_read || waited=$?
if [ "$waited" -eq 2 ]; then
    wait "$tool_pid" || fail "the tool ended early with exit code $?"
    fail "the tool ended early"
elif [ "$waited" -ne 0 ]; then
    fail "no sensor values within 90 s (journal: $journal)"
fi
sleep 1.5   # the values are painted after the tick that read them

geometry="$(xwininfo -name "$title")" || fail "no window named \"$title\""
field() { awk -F: -v key="$1" '$1 ~ key { gsub(/ /, "", $2); print $2 }' <<<"$geometry"; }
x="$(field 'Absolute upper-left X')"
y="$(field 'Absolute upper-left Y')"
width="$(field 'Width')"
height="$(field 'Height')"
mkdir -p "$(dirname "$picture")"
import -window root -crop "${width}x${height}+${x}+${y}" +repage "$picture"

kill -TERM "$tool_pid"
status=0
wait "$tool_pid" || status=$?
tool_pid=""
if [ "$status" -ne 0 ]; then
    fail "the tool ended with exit code $status after SIGTERM"
fi
echo "Window ${width}x${height} at ${x},${y}; picture: $picture"
echo "Run log: $demo/output.log; call journal: $journal"
