#!/usr/bin/env bash
# Drag to snap with swapping on, on a real GNOME Shell: a window dragged onto the quarter another window
# fills shows the extension's two rectangles, on that quarter and on the frame the other window will
# take, and the drop trades their places: the other window takes the dragged one's frame from before
# the drag, or its zone where it had one.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

gnome_start 1
a=$(start_foot swap-a)
b=$(start_foot swap-b)
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapSwaps</key><true/>'
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
read -r ax ay aw ah <<<"$(work_area 0)"
half_w=$((aw / 2)) half_h=$((ah / 2))
right_x=$((ax + half_w)) right_w=$((aw - half_w))
activate "$b"
out=$(corvane_do zone Quadrant 2) || fail "corvane zone Quadrant 2 failed: $out"
expect_frame "$b" "$right_x" "$ay" "$right_w" "$half_h" "b in the top-right quarter"

# a, in no zone, onto b's quarter. foot draws its own title bar: the top rows of its frame.
activate "$a"
read -r fx fy fw fh <<<"$(window_frame "$a")"
pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
pointer_move $((ax + aw - 200)) 200
pointer_move $((ax + aw - 210)) 210
wait_for 5 preview_near "$((right_x + 4)) $((ay + 4)) $((right_w - 8)) $((half_h - 8))" ||
  fail "no preview on the top-right quarter: '$(preview)'"
wait_for 5 preview_near "$((fx + 4)) $((fy + 4)) $((fw - 8)) $((fh - 8))" swap ||
  fail "no second rectangle on a's frame $fx $fy $fw $fh: '$(preview swap)'"
echo "ok - the extension draws the quarter and the frame b will take"
pointer_release
expect_frame "$a" "$right_x" "$ay" "$right_w" "$half_h" "the drop puts a in the top-right quarter"
expect_frame "$b" "$fx" "$fy" "$fw" "$fh" "and b at a's frame from before the drag"
wait_for 5 preview_hidden || fail "the preview stayed after the drop: $(preview)"
[ -z "$(preview swap)" ] || fail "the second rectangle stayed after the drop: $(preview swap)"

# b, put in the bottom-left quarter, onto a's: a takes the bottom-left quarter.
activate "$b"
out=$(corvane_do zone Quadrant 3) || fail "corvane zone Quadrant 3 failed: $out"
expect_frame "$b" "$ax" $((ay + half_h)) "$half_w" $((ah - half_h)) "b in the bottom-left quarter"
read -r fx fy fw fh <<<"$(window_frame "$b")"
pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
pointer_move $((ax + aw - 200)) 200
pointer_move $((ax + aw - 210)) 210
wait_for 5 preview_near "$((ax + 4)) $((ay + half_h + 4)) $((half_w - 8)) $((ah - half_h - 8))" swap ||
  fail "no second rectangle on the bottom-left quarter: '$(preview swap)'"
pointer_release
expect_frame "$b" "$right_x" "$ay" "$right_w" "$half_h" "the drop puts b in the top-right quarter"
expect_frame "$a" "$ax" $((ay + half_h)) "$half_w" $((ah - half_h)) "and a in the bottom-left one"
echo "GNOME drag with swapping: all passed"
