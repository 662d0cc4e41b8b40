#!/usr/bin/env bash
# Neighbours follow a resize on a real KWin: with a and b in the two halves of Split, a's right border
# dragged 200 px to the right takes b's left edge along, b's right edge kept where it was; the same drag
# with Meta (the alone key) held resizes a alone. KWin moves a window pressed with Meta held, so Meta
# goes down after the press on the border and before the pointer moves: KWin starts the resize with the
# first motion, and the press Corvane is told of comes with Meta held.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
source "$(dirname "$0")/../support/commands.sh"
meta=125

kwin_start 1
# foot takes the size it is given, not the whole cells below it: a frame a cell short of its zone would
# share no edge with its neighbour. foot 1.13 has no such option, and takes any size.
exact=()
foot --check-config -o resize-by-cells=no >/dev/null 2>&1 && exact=(-o resize-by-cells=no)
a=$(start_foot neighbours-a "${exact[@]}")
b=$(start_foot neighbours-b "${exact[@]}")
corvane_start
read -r ax ay aw ah <<<"$(work_area 0)"
half=$((aw / 2))

place_halves() {
  active_window "$b"
  command_ok zone Split 2
  active_window "$a"
  command_ok zone Split 1
  wait_for 5 output_is "$ax $ay $half $ah" window_frame "$a" || fail "a is at $(window_frame "$a"), not in the left half"
  wait_for 5 output_is "$((ax + half)) $ay $((aw - half)) $ah" window_frame "$b" ||
    fail "b is at $(window_frame "$b"), not in the right half"
}

resizes_finished() {
  [ "$(grep -cF "corvane-harness move-finished $a " "$KWIN_LOG")" -ge "$1" ]
}

# Presses just right of a's frame, where KWin takes a press as a resize of a from its right edge (KWin
# 6.7's decoration has no side border of its own: the resize area lies outside the frame; 6.3 takes it
# there too), drags it 200 px to the right in ten steps and lets go, with Meta held from just after the
# press when asked; returns once KWin has finished the resize and Corvane has handled all it was told.
drag_right_border() {
  local with=${1:-} frame finished
  frame=($(window_frame "$a"))
  local x=$((frame[0] + frame[2] + 2)) y=$((frame[1] + frame[3] - 60))
  finished=$(grep -cF "corvane-harness move-finished $a " "$KWIN_LOG")
  pointer_move "$x" "$y"
  pointer_press
  [ "$with" = meta ] && pointer_key $meta down
  for step in 1 2 3 4 5 6 7 8 9 10; do
    pointer_move $((x + 20 * step)) "$y"
  done
  pointer_release
  [ "$with" = meta ] && pointer_key $meta up
  wait_for 5 resizes_finished $((finished + 1)) || fail "KWin did not resize a from its right border"
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
drag_right_border meta
wait_for 5 output_is "$ax $ay $((half + 200)) $ah" window_frame "$a" ||
  fail "with Meta held a is at $(window_frame "$a") after its right border was dragged 200 px"
[ "$(window_frame "$b")" = "$((ax + half)) $ay $((aw - half)) $ah" ] ||
  fail "with Meta held b moved to $(window_frame "$b")"
echo "ok - with Meta held a is resized alone: b stays at $(window_frame "$b")"
corvane_stop >/dev/null
echo "KWin neighbours following a resize: all passed"
