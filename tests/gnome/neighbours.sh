#!/usr/bin/env bash
# Neighbours follow a resize on a real GNOME Shell: with a and b in the two halves of Split, a's right
# border dragged 200 px to the right takes b's left edge along, b's right edge kept where it was; the
# same drag with Super (the alone key) held resizes a alone. mutter moves a window pressed with Super
# held, so Super goes down after the press on the border and before the pointer moves: the first step
# of the resize comes with it, before the client has taken a new size.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
super=125

gnome_start 1
# foot takes the size it is given, not the whole cells below it: a frame a cell short of its zone would
# share no edge with its neighbour. foot 1.13 has no such option, and takes any size.
exact=()
foot --check-config -o resize-by-cells=no >/dev/null 2>&1 && exact=(-o resize-by-cells=no)
a=$(start_foot neighbours-a "${exact[@]}")
b=$(start_foot neighbours-b "${exact[@]}")
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
read -r ax ay aw ah <<<"$(work_area 0)"
half=$((aw / 2))
shell_eval "global._corvaneTestGrabEnds = 0;
  global.display.connect('grab-op-end', () => global._corvaneTestGrabEnds++); 1" >/dev/null

place_halves() {
  activate "$b"
  out=$(corvane_do zone Split 2) || fail "corvane zone Split 2 failed: $out"
  activate "$a"
  out=$(corvane_do zone Split 1) || fail "corvane zone Split 1 failed: $out"
  wait_for 5 output_is "$ax $ay $half $ah" window_frame "$a" || fail "a is at $(window_frame "$a"), not in the left half"
  wait_for 5 output_is "$((ax + half)) $ay $((aw - half)) $ah" window_frame "$b" ||
    fail "b is at $(window_frame "$b"), not in the right half"
}

# Presses on a's right border, drags it 200 px to the right in ten steps and lets go, with Super held from
# just after the press when asked; returns once the Shell has ended the resize and Corvane has handled all
# it was told. foot draws its own border, just outside its frame: a press there asks the Shell to resize.
drag_right_border() {
  local with=${1:-} frame ends
  frame=($(window_frame "$a"))
  local x=$((frame[0] + frame[2] + 2)) y=$((frame[1] + frame[3] - 60))
  ends=$(shell_eval 'String(global._corvaneTestGrabEnds)')
  pointer_move "$x" "$y"
  pointer_press
  [ "$with" = super ] && pointer_key $super down
  for step in 1 2 3 4 5 6 7 8 9 10; do
    pointer_move $((x + 20 * step)) "$y"
  done
  pointer_release
  [ "$with" = super ] && pointer_key $super up
  wait_for 5 shell_is 'String(global._corvaneTestGrabEnds)' $((ends + 1)) ||
    fail "pressed at $x,$y and dragged, the Shell ended no grab of a window"
  corvane_settle
}

place_halves
drag_right_border
wait_for 5 output_is "$ax $ay $((half + 200)) $ah" window_frame "$a" ||
  fail "a is at $(window_frame "$a") after its right border was dragged 200 px"
wait_for 5 output_is "$((ax + half + 200)) $ay $((aw - half - 200)) $ah" window_frame "$b" ||
  fail "b is at $(window_frame "$b"), expected its left edge on a's, at $((ax + half + 200)), and its right one kept"
echo "ok - b's left edge follows a's right border 200 px, its right edge stays: $(window_frame "$b")"

place_halves
drag_right_border super
wait_for 5 output_is "$ax $ay $((half + 200)) $ah" window_frame "$a" ||
  fail "with Super held a is at $(window_frame "$a") after its right border was dragged 200 px"
[ "$(window_frame "$b")" = "$((ax + half)) $ay $((aw - half)) $ah" ] ||
  fail "with Super held b moved to $(window_frame "$b")"
echo "ok - with Super held a is resized alone: b stays at $(window_frame "$b")"
echo "GNOME neighbours following a resize: all passed"
