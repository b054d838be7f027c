#!/usr/bin/env bash
# The tool at the service desk, driven as a technician drives it: on a private Xvfb with openbox,
# by keyboard only, against the simulated phone. Each step is checked from outside the tool, by
# what the X server and the simulator's journal see:
#
#   1. a start-up failure (the library missing) shows a box on the display; Enter dismisses it and
#      the tool ends with exit code 1, the run log as before;
#   2. with a phone connected, Alt+R (shared by Read File and Read Phone) presses Read File: its
#      dialog opens with exactly the title "Block File To Read", and Escape cancels it; Alt+W the
#      same for "Block File To Write"; no block read or write reaches the phone;
#   3. Tab walks Read File, Write File, Read Phone, Write Phone to Exit, and Enter presses it: the
#      tool ends with exit code 0, the port closed last; the dialogs left no settings file in the
#      user's home folder; the window carried the tool's icon;
#   4. closed by the window manager during a long service-mode attempt, the window says that it
#      waits for the phone library and disables its buttons, then ends with exit code 0.
#
#   desk_test.sh <corvane-sensors-tool> <picture-folder>
#
# Keeps its pictures in <picture-folder> (desk-*.png). Exit code 0: passed; 1: failed.
set -uo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 <corvane-sensors-tool> <picture-folder>" >&2
    exit 1
fi
tool="$(realpath "$1")"
pictures="$(realpath -m "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
title="Corvane Sensors Tool"
mkdir -p "$pictures"

work="$(mktemp -d)"
tool_pid=""
cleanup() {
    if [ -n "$tool_pid" ] && kill -0 "$tool_pid" 2>/dev/null; then
        kill -KILL "$tool_pid" 2>/dev/null
        wait "$tool_pid" 2>/dev/null
    fi
    stop_x_session
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    local file
    for file in "$work"/*/output.log "$work"/*/tool.err "$work"/*/journal.log "$work/openbox.log"; do
        if [ -s "$file" ]; then
            echo "--- $file (last lines):" >&2
            tail -n 15 "$file" >&2
        fi
    done
    exit 1
}

# shellcheck source=x_session.sh
. "$here/x_session.sh"
for program in Xvfb openbox xdotool xwininfo xprop import convert; do
    command -v "$program" >/dev/null || fail "$program is not installed (scripts/setup.sh)"
done

export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY CORVANE_SIM_SCENARIO CORVANE_TEST_DRIVER QT_QPA_PLATFORMTHEME GTK_THEME \
    XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
start_xvfb
start_openbox

# Starts the tool in the folder $1 (with the executable $2, default the built one); its journal is
# $1/journal.log. With $3 "without-library-path", LD_LIBRARY_PATH (which sanitizer builds set to
# the build folder) is left out, so only the executable's own folder is searched.
start_tool() {
    local folder="$1" executable="${2:-$tool}" search="${3:-}"
    (
        cd "$folder" || exit 1
        [ "$search" != without-library-path ] || unset LD_LIBRARY_PATH
        CORVANE_SIM_JOURNAL="$folder/journal.log" exec "$executable"
    ) 2>"$folder/tool.err" &
    tool_pid=$!
}

# Waits at most $1 seconds for the tool's end and puts its exit code into `status`.
wait_tool_end() {
    tool_ended() { ! kill -0 "$tool_pid" 2>/dev/null; }
    wait_for "$1" tool_ended
    [ $? -ne 1 ] || fail "the tool did not end within $1 s"
    wait "$tool_pid"
    status=$?
    tool_pid=""
}

# The id of the viewable top-level window whose name is exactly $1, or nothing.
window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}
window_appears() { [ -n "$(window_named "$1")" ]; }
window_gone() { [ -z "$(window_named "$1")" ]; }
journal_has() { grep -q " $2 " "$1/journal.log" 2>/dev/null; }
snap() { import -window root "$pictures/desk-$1.png" 2>/dev/null; }

# ---- 1. a start-up failure is seen on the display
failure="$work/failure"
mkdir -p "$failure/bin"
cp "$tool" "$failure/bin/"  # alone in its folder: its run path finds no library
start_tool "$failure" "$failure/bin/$(basename "$tool")" without-library-path
box_up() {  # a window of the title that is not the main window's size
    local id info
    id="$(window_named "$title")" && [ -n "$id" ] && info="$(xwininfo -id "$id")" &&
        grep -q 'Width: [0-9]\{3\}$' <<<"$info" && ! grep -q 'Width: 553' <<<"$info"
}
wait_for 20 box_up || fail "no box named \"$title\" for the missing library"
snap failure-box
xdotool windowactivate --sync "$(window_named "$title")" key Return
wait_tool_end 10
[ "$status" -eq 1 ] || fail "after the start-up failure box the exit code is $status, not 1"
expected_log=$'Using ComPort 1\nBaudRate 57600\nError: failure to load Bfb95eg.dll'
[ "$(cat "$failure/output.log")" = "$expected_log" ] || fail "the run log changed"
echo "start-up failure: box shown, exit code 1"

# ---- 2. and 3. a connected phone, by keyboard only
desk="$work/desk"
mkdir -p "$desk"
printf '[Common]\nSensorsUpdateDelay=1\n' >"$desk/corvanetool.ini"
start_tool "$desk"
wait_for 30 window_appears "$title" || fail "the window did not show"
main_window="$(window_named "$title")"
connected() { journal_has "$desk" WGetSensorData; }
wait_for 30 connected || fail "the simulated phone did not connect"
icon="$(xprop -id "$main_window" _NET_WM_ICON)"  # whole, not piped: grep -q would cut it short
grep -q 'Icon (' <<<"$icon" || fail "the window carries no icon: ${icon:0:200}"
snap connected

press_in_main() { xdotool windowactivate --sync "$main_window" key "$1"; }
for step in "alt+r|Block File To Read" "alt+w|Block File To Write"; do
    key="${step%%|*}" dialog="${step#*|}"
    press_in_main "$key"
    wait_for 10 window_appears "$dialog" ||
        fail "$key opened no window named exactly \"$dialog\" (titles: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|'))"
    snap "dialog-${key#alt+}"
    xdotool windowactivate --sync "$(window_named "$dialog")" key Escape
    wait_for 10 window_gone "$dialog" || fail "Escape did not cancel \"$dialog\""
done
# From the first sensor read on, no block call: the keys pressed the file buttons only.
if sed -n '/ WGetSensorData /,$p' "$desk/journal.log" |
    grep -Eq ' (WReadEeliteBlock|WWriteEeliteBlock|WDeleteEeliteDataBlock) '; then
    fail "a shared accelerator reached the phone instead of the file buttons"
fi
echo "Alt+R and Alt+W: the file dialogs, titled exactly"

# Tab from Read File to Exit while Read Phone and Write Phone are enabled, then Enter.
xdotool windowactivate --sync "$main_window"
xdotool key --delay 80 shift+Tab Tab Tab Tab Tab Tab
snap exit-focused
xdotool key Return
wait_tool_end 15
[ "$status" -eq 0 ] || fail "Enter on Exit ended the tool with exit code $status"
[[ "$(tail -n 1 "$desk/journal.log")" =~ ^[0-9]+\ WComClose\  ]] || fail "the port was not closed last"
leftovers="$(find "$HOME" -path "$HOME/.cache/fontconfig" -prune -o -type f -print)"
[ -z "$leftovers" ] || fail "files left in the home folder: $leftovers"
echo "Tab and Enter: Exit pressed, exit code 0; nothing left in the home folder"

# ---- 4. closed while the library is busy
busy="$work/busy"
mkdir -p "$busy"
printf '[Common]\nSensorsUpdateDelay=1\nInitServiceModeDelay=60\n' >"$busy/corvanetool.ini"
printf 'present=0\nservice_mode_ms_per_unit=100\n' >"$busy/scenario.txt"  # 6 s per attempt
CORVANE_SIM_SCENARIO="$busy/scenario.txt" start_tool "$busy"
wait_for 30 window_appears "$title" || fail "the window did not show"
main_window="$(window_named "$title")"
attempting() { journal_has "$busy" WInitServiceMode; }
wait_for 30 attempting || fail "no service-mode attempt"
sleep 0.5
snap busy-before
xdotool windowactivate --sync "$main_window" key alt+F4
sleep 1
snap busy-closing
kill -0 "$tool_pid" 2>/dev/null || fail "the tool ended before the attempt returned"
status_line() { convert "$pictures/desk-$1.png" -crop 520x24+"$((x + 16))"+"$((y + 438))" +repage \
    -format '%#' info:; }
read -r x y < <(xwininfo -id "$main_window" | awk -F': *' '/Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2} END {print x, y}')
[ "$(status_line busy-before)" != "$(status_line busy-closing)" ] ||
    fail "the status line did not change when the close began to wait"
exit_text="$("$here/contrast.py" "$pictures/desk-busy-closing.png" "$((x + 464))" "$((y + 400))" 75 25 1)"
grep -q 'contrast' <<<"$exit_text" || fail "cannot read the Exit button"
# A disabled button's caption is grey: its contrast with the face is well below black's 18:1.
ratio="$(sed -n 's/.*contrast \([0-9.]*\):1.*/\1/p' <<<"$exit_text")"
awk -v r="$ratio" 'BEGIN { exit !(r < 8) }' || fail "the Exit button still looks enabled ($exit_text)"
wait_tool_end 20
[ "$status" -eq 0 ] || fail "the close during the attempt ended with exit code $status"
[[ "$(tail -n 1 "$busy/journal.log")" =~ ^[0-9]+\ WComClose\  ]] || fail "the port was not closed last"
echo "closed during a service-mode attempt: the window said so, exit code 0"
echo "PASSED (pictures in $pictures)"
