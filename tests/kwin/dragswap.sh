#!/usr/bin/env bash
# Drag to snap with swapping on, on a real KWin: a window dragged onto the quarter another window fills
# shows two of Corvane's layer-shell surfaces, on that quarter and on the frame the other window will
# take, and the drop trades their places: the other window takes the dragged one's frame from before
# the drag, or its zone where it had one.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
source "$(dirname "$0")/../support/commands.sh"

# Corvane's surfaces are these frames, in any order.
overlays_are() { [ "$(overlays | sort)" = "$(printf '%s\n' "$@" | sort)" ]; }

kwin_start 1
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapSwaps</key><true/>'
a=$(start_foot swap-a)
b=$(start_foot swap-b)
corvane_start
active_window "$b"
command_ok zone Quadrant 2 && expect_in_zone "$b" 640 0 640 400 "b in the top-right quarter"

# a, in no zone, onto the top-right quarter.
active_window "$a"
before=$(window_frame "$a")
drag_to "$a" 1000 200
wait_for 5 overlays_are "640 0 640 400" "$before" ||
  fail "over b's quarter the surfaces are at '$(overlays | tr '\n' ';')', expected on it and on a's frame $before"
echo "ok - the previews cover the quarter and the frame b will take"
pointer_release
expect_in_zone "$a" 640 0 640 400 "the drop puts a in the top-right quarter"
wait_for 5 output_is "$before" window_frame "$b" || fail "b is at $(window_frame "$b"), not at a's frame $before"
echo "ok - b takes a's frame from before the drag"
wait_for 5 overlays_are || fail "the previews stay after the drop: '$(overlays | tr '\n' ';')'"

# b, put in the bottom-left quarter, onto a's: a takes the bottom-left quarter.
active_window "$b"
command_ok zone Quadrant 3 && expect_in_zone "$b" 0 400 640 400 "b in the bottom-left quarter"
drag_to "$b" 1000 200
wait_for 5 overlays_are "640 0 640 400" "0 400 640 400" || fail "the surfaces are at '$(overlays | tr '\n' ';')'"
pointer_release
expect_in_zone "$b" 640 0 640 400 "the drop puts b in the top-right quarter"
expect_in_zone "$a" 0 400 640 400 "and a in the bottom-left one"
corvane_stop >/dev/null
echo "KWin drag with swapping: all passed"
