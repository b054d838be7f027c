#!/usr/bin/env bash
# Checks that the plain-Qt peer (corvane_peer_window) draws the same pixels as the tool at first
# sight, so that the start-up and memory comparison measures the same window.
#
#   bench/compare-first-sight.sh [build-dir] [picture-folder]
#
# build-dir (default build-bench) holds corvane-sensors-tool, the simulator and
# bench/corvane_peer_window. On a private Xvfb (1280x1024x24, no window manager, the benchmark's
# screen) each program runs alone: the tool against the simulator with SensorsUpdateDelay=0, so it
# stays in its starting state. Once its window is viewable and has painted, the window's 553 x 505
# client area at 206, 111 is taken from the screen; ImageMagick's `compare -metric AE` counts the
# pixels that differ. The pictures (tool.png, peer.png, difference.png) stay in picture-folder
# (default: a new temporary folder, printed). Exit code 0 when no pixel differs, 1 otherwise, 77
# when Xvfb, x11-utils or ImageMagick is missing (CTest reports the check as not run).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath "${1:-$repo/build-bench}")"
pictures="${2:-$(mktemp -d "${TMPDIR:-/tmp}/corvane-first-sight-XXXXXX")}"
mkdir -p "$pictures"
pictures="$(realpath "$pictures")"
title="Corvane Sensors Tool"
for program in "$build/corvane-sensors-tool" "$build/bench/corvane_peer_window"; do
    [ -x "$program" ] || { echo "compare-first-sight.sh: no $program: build it first" >&2; exit 2; }
done
for command in Xvfb xwininfo import compare; do
    command -v "$command" >/dev/null || { echo "compare-first-sight.sh: $command is missing" >&2; exit 77; }
done

scratch="$(mktemp -d)"
xvfb_pid=""
program_pid=""
cleanup() {
    [ -z "$program_pid" ] || { kill -TERM "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; }
    [ -z "$xvfb_pid" ] || { kill -TERM "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display" \
    2>"$scratch/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.err" >&2; echo "Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n 1 "$scratch/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset CORVANE_SIM_SCENARIO CORVANE_SIM_JOURNAL CORVANE_TEST_DRIVER CORVANE_TEST_MESSAGES

# shoot <picture> <program...>: runs the program in the scratch folder until its window has been
# viewable for a while, takes the client area from the screen, ends the program.
shoot() {
    local picture="$1"
    shift
    (cd "$scratch" && exec env LD_LIBRARY_PATH="$build" "$@") >/dev/null 2>"$scratch/program.err" &
    program_pid=$!
    for _ in $(seq 200); do
        if xwininfo -name "$title" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            break
        fi
        kill -0 "$program_pid" 2>/dev/null || { cat "$scratch/program.err" >&2; exit 2; }
        sleep 0.05
    done
    sleep 1.5  # the first paint, and anything the toolkit does right after it
    import -window root -crop 553x505+206+111 +repage "$picture"
    kill -TERM "$program_pid"
    wait "$program_pid" || true
    program_pid=""
}

printf '[Common]\nSensorsUpdateDelay=0\n' >"$scratch/corvanetool.ini"
shoot "$pictures/tool.png" "$build/corvane-sensors-tool"
shoot "$pictures/peer.png" "$build/bench/corvane_peer_window"

differing="$(compare -metric AE "$pictures/tool.png" "$pictures/peer.png" \
    "$pictures/difference.png" 2>&1 >/dev/null || true)"
echo "first sight, tool against peer: $differing of $((553 * 505)) pixels differ (pictures in $pictures)"
[ "$differing" = "0" ]
