#!/usr/bin/env bash
# The tool's real window on a private Xvfb without a window manager: it maps with its title at
# 206,111 with a 553x505 client area, can be neither resized nor maximised, paints, and closes
# through its close box (WM_DELETE_WINDOW) with exit code 0 after closing the port last. The
# settings stop the timer (SensorsUpdateDelay=0), so no connection is ever tried. A picture of the
# first sight is kept, and its texts must be readable: a heading, a caption and a value stand in
# the designed black on the designed button face (240,240,240) with enough contrast.
#
#   real_window_test.sh <corvane-sensors-tool> <first-sight.png> [light|dark]
#
# "dark" runs the tool under a dark desktop palette (Qt's GTK 3 platform theme with Adwaita:dark),
# whose colours must not reach the window.
#
# Exit code 0: passed; 1: failed; 77: skipped, Xvfb is not installed.
set -uo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 <corvane-sensors-tool> <first-sight.png> [light|dark]" >&2
    exit 1
fi
tool="$(realpath "$1")"
first_sight="$(realpath -m "$2")"
desktop="${3:-light}"
title="Corvane Sensors Tool"
here="$(cd "$(dirname "$0")" && pwd)"

if ! command -v Xvfb >/dev/null; then
    echo "SKIPPED: Xvfb is not installed"
    exit 77
fi

work="$(mktemp -d)"
journal="$work/journal.log"
xvfb_pid=""
tool_pid=""
cleanup() {
    if [ -n "$tool_pid" ] && kill -0 "$tool_pid" 2>/dev/null; then
        kill -KILL "$tool_pid" 2>/dev/null
        wait "$tool_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill -TERM "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    if [ -n "$xvfb_pid" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "(the test's Xvfb, pid $xvfb_pid, is no longer running)" >&2
    fi
    local file
    for file in output.log tool.err journal.log xvfb.err; do
        if [ -s "$work/$file" ]; then
            echo "--- $file (last lines):" >&2
            tail -n 20 "$work/$file" >&2
        fi
    done
    exit 1
}

for program in xwininfo xprop import convert; do
    command -v "$program" >/dev/null || fail "$program is not installed (scripts/setup.sh)"
done
# shellcheck source=x_session.sh
. "$here/x_session.sh"

python=""
for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import Xlib' 2>/dev/null; then
        python="$candidate"
        break
    fi
done
[ -n "$python" ] || fail "python3 with python3-xlib is needed to press the close box"

export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" CORVANE_SIM_JOURNAL="$journal"
unset WAYLAND_DISPLAY CORVANE_SIM_SCENARIO QT_QPA_PLATFORMTHEME GTK_THEME
case "$desktop" in
light) ;;
dark)
    # Without the theme plugin the run would show the light palette and prove nothing.
    compgen -G "/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so" >/dev/null ||
        fail "the dark desktop needs Qt's GTK 3 platform theme (qt6-gtk-platformtheme)"
    export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
    ;;
*) fail "unknown desktop '$desktop'" ;;
esac
printf '[Common]\nSensorsUpdateDelay=0\n' >"$work/corvanetool.ini"

window_viewable() {
    info="$(xwininfo -name "$title" 2>/dev/null)" && grep -q 'Map State: IsViewable' <<<"$info"
}

# A tool that cannot reach the display at all failed for want of a server, not by itself: that
# one start is tried again on a new server.
for attempt in 1 2; do
    start_xvfb
    (cd "$work" && exec "$tool") 2>"$work/tool.err" &
    tool_pid=$!
    wait_for 30 window_viewable
    result=$?
    [ "$result" -eq 2 ] || break
    wait "$tool_pid"
    status=$?
    tool_pid=""
    if [ "$attempt" -eq 2 ] || ! grep -q 'could not connect to display' "$work/tool.err"; then
        fail "the tool ended with exit code $status before its window showed"
    fi
    echo "the tool could not connect to the new server on $DISPLAY; trying a new one" >&2
    kill -TERM "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    rm -f "$journal"
done
[ "$result" -eq 0 ] || fail "no viewable window named \"$title\" within 30 s"

# Geometry of the client area: without a window manager there is no frame around it.
value() { awk -F': *' -v key="$1" '$1 ~ "^ *" key "$" { print $2; exit }' <<<"$info"; }
window_id="$(awk '/Window id:/ { print $4; exit }' <<<"$info")"
place="$(value 'Absolute upper-left X'),$(value 'Absolute upper-left Y')"
size="$(value 'Width')x$(value 'Height')"
hints="$(xprop -id "$window_id" WM_NORMAL_HINTS)"
min_size="$(sed -n 's/.*program specified minimum size: \([0-9]*\) by \([0-9]*\).*/\1x\2/p' <<<"$hints")"
max_size="$(sed -n 's/.*program specified maximum size: \([0-9]*\) by \([0-9]*\).*/\1x\2/p' <<<"$hints")"
wm_name="$(xprop -id "$window_id" _NET_WM_NAME | sed -n 's/^[^=]*= "\(.*\)"$/\1/p')"
# Motif hints: flags, functions, decorations... Functions count only with flag bit 0; their bit 0
# (all) inverts the rest. Bit 4 is maximise: a window manager offers no maximise button without it.
motif="$(xprop -id "$window_id" _MOTIF_WM_HINTS | sed -n 's/^[^=]*= //; s/,/ /gp')"
read -r mwm_flags mwm_functions _ <<<"$motif"
mwm_flags="${mwm_flags:-0}"
mwm_functions="${mwm_functions:-0}"
maximise="offered"
if (((mwm_flags & 1) && (((mwm_functions & 1) != 0) == ((mwm_functions & 16) != 0)))); then
    maximise="not offered"
fi

errors=()
check() {  # what, actual, expected
    [ "$2" = "$3" ] || errors+=("$1 is '$2', expected '$3'")
}
check "place" "$place" "206,111"
check "client size" "$size" "553x505"
check "minimum size hint" "$min_size" "553x505"
check "maximum size hint" "$max_size" "553x505"
check "title" "$wm_name" "$title"
check "maximise" "$maximise" "not offered"
if [ ${#errors[@]} -ne 0 ]; then
    printf '%s\n' "${errors[@]}" >&2
    echo "$info" >&2
    echo "$hints" >&2
    fail "the window is not as designed"
fi

# The picture is the test's artifact; a window that never painted is all one colour.
take_first_sight() {
    import -window root -crop "553x505+206+111" +repage "$first_sight" 2>/dev/null &&
        [ "$(convert "$first_sight" -format '%k' info:)" -gt 16 ]
}
wait_for 15 take_first_sight || fail "the window did not paint within 15 s ($first_sight)"
echo "first sight: $first_sight"

# Readable whatever the desktop says: the MobileInformation heading, the FlashSerialNumber:
# caption and the "--" beside it, each on the designed background.
button_face="240,240,240"
"$python" "$here/contrast.py" "$first_sight" 16 24 139 18 7 "$button_face" &&
    "$python" "$here/contrast.py" "$first_sight" 16 48 111 15 7 "$button_face" &&
    "$python" "$here/contrast.py" "$first_sight" 136 48 20 19 4.5 "$button_face" ||
    fail "the window's texts are not readable on the $desktop desktop ($first_sight)"

"$python" "$here/send_close.py" "$window_id" || fail "could not send WM_DELETE_WINDOW"
tool_ended() { ! kill -0 "$tool_pid" 2>/dev/null; }
wait_for 30 tool_ended
[ $? -ne 1 ] || fail "the tool did not end within 30 s of the close box"
wait "$tool_pid"
status=$?
tool_pid=""
[ "$status" -eq 0 ] || fail "the tool ended with exit code $status after the close box"

last_line="$(tail -n 1 "$journal" 2>/dev/null)"
[[ "$last_line" =~ ^[0-9]+\ WComClose\  ]] || fail "the journal's last line is '$last_line', not WComClose"
if grep -q ' WInitServiceMode ' "$journal"; then
    fail "a connection was tried although SensorsUpdateDelay=0 stops the timer"
fi
echo "PASSED"
