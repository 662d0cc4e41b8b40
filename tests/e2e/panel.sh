#!/usr/bin/env bash
# End to end: with no system tray the panel opens as a window at start; clicking a thumbnail in it
# snaps the window of the program that was active before, not the panel, and gives that program
# its focus back. Then a desktop panel comes and goes, and the zones follow it.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
# Clear of the panel window, which opens centred: activating the xterm raises it, and over the panel
# it would take the click meant for a thumbnail.
a=$(start_xterm alpha 80x24+40+300)
corvane_start "$corvane"
wait_for 5 xdotool search --onlyvisible --name '^Corvane$' || fail "no panel window without a tray"
panel=$(xdotool search --onlyvisible --name '^Corvane$' | head -1)
xdotool windowactivate --sync "$a"
# xwininfo, not xdotool: xdotool counts the title bar twice in a decorated window's position.
info=$(xwininfo -id "$panel")
X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info") Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"

# The right half of the first thumbnail ("Split"), left column, first row of the layouts.
xdotool mousemove $((X + 98)) $((Y + 110)) click 1
expect_frame "a click on the right half of Split snaps the xterm, not the panel" "$a" 720 0 720 900
wait_for 3 sh -c "[ \"\$(xdotool getactivewindow)\" = $a ]" || fail "the xterm did not get its focus back"
echo "ok - the xterm has the focus again"

# A desktop panel that appears after start-up takes its strip from the zones, and gives it back when
# it goes: the work area Corvane keeps follows the panel without a restart.
start_tray
wait_for 5 sh -c "xprop -root _NET_WORKAREA | grep -q ', 870'" || fail "tint2 reserved no strip"
xdotool windowactivate --sync "$a"; xdotool key ctrl+alt+1
expect_frame "with a 30-point panel at the bottom, the left half stops above it" "$a" 0 0 720 870
kill "$E2E_TRAY_PID"
wait_for 5 sh -c "xprop -root _NET_WORKAREA | grep -q ', 900'" || fail "the strip stayed after tint2 quit"
xdotool key ctrl+alt+2
expect_frame "the panel gone, the top-left quarter is half the full height again" "$a" 0 0 720 450
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end panel: all passed"
