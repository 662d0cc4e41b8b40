# The spacing around zones end to end, read back from the X server: Corvane started again with a gap
# and a margin puts two windows into the halves (one by hotkey, one by command) exactly the gap
# apart and the margin from the work area's edges, and an xterm into a zone at the zone's top-left,
# short of its far edges by less than a character cell, never into its neighbour. Sourced after
# desktop.sh by scripts that have $corvane and $typed_window; what it leaves on screen is its own.

expect_spacing_checked() {
  [ "${spacing_checked:-}" = "$1 $2" ] || fail "${E2E_WM:-openbox}: the spacing checks stopped half-way"
}

exact_frame() { [ "$(outer_frame "$1")" = "$2" ]; }

# Usage: expect_spacing GAP MARGIN, then expect_spacing_checked GAP MARGIN
expect_spacing() {
  local gap=$1 margin=$2 wm=${E2E_WM:-openbox}
  kill "$CORVANE_PID"
  wait_for 10 sh -c "! kill -0 $CORVANE_PID" || fail "$wm: Corvane did not quit"
  start_session_bus # for the command
  corvane_settings "<key>zoneGap</key><integer>$gap</integer><key>zoneMargin</key><integer>$margin</integer>"
  corvane_start "$corvane"

  local wx wy ww wh
  # The current desktop's: every desktop has the same here.
  read -r wx wy ww wh _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')
  # Each edge of the halves rounded as Corvane rounds it; an odd gap gives its larger half to the right.
  local middle=$((wx + (ww + 1) / 2)) top=$((wy + margin)) height=$((wh - 2 * margin))
  local left_x=$((wx + margin)) left_w=$((middle - gap / 2 - wx - margin))
  local right_x=$((middle + (gap + 1) / 2)) right_w=$((wx + ww - margin - middle - (gap + 1) / 2))

  "$typed_window" NORMAL west 300 300 200 150 &
  E2E_PIDS+=($!)
  "$typed_window" NORMAL east 400 350 200 150 &
  E2E_PIDS+=($!)
  wait_for 10 xdotool search --onlyvisible --name '^west$' || fail "no window west"
  wait_for 10 xdotool search --onlyvisible --name '^east$' || fail "no window east"
  local west east
  west=$(xdotool search --name '^west$' | head -1)
  east=$(xdotool search --name '^east$' | head -1)
  xdotool windowactivate --sync "$west"
  xdotool key ctrl+alt+1
  wait_for 3 exact_frame "$west" "$left_x $top $left_w $height" ||
    fail "$wm: hotkey 1 with gap $gap, margin $margin: west at $(outer_frame "$west"), expected $left_x $top $left_w $height"
  xdotool windowactivate --sync "$east"
  run zone Split 2
  [ "$status" = 0 ] || fail "$wm: zone Split 2 said: $said"
  wait_for 3 exact_frame "$east" "$right_x $top $right_w $height" ||
    fail "$wm: zone Split 2 with gap $gap, margin $margin: east at $(outer_frame "$east"), expected $right_x $top $right_w $height"
  set -- $(outer_frame "$west") $(outer_frame "$east")
  [ $(($5 - $1 - $3)) = "$gap" ] && [ $(($1 - wx)) = "$margin" ] && [ $((wx + ww - $5 - $7)) = "$margin" ] &&
    [ $(($2 - wy)) = "$margin" ] && [ $((wy + wh - $2 - $4)) = "$margin" ] ||
    fail "$wm: the halves are not $gap apart and $margin in: $*"
  echo "ok - $wm: two windows in the halves end $gap apart and $margin from the work area's edges"

  # The middle third: its raw edges are those of a third of the work area, rounded.
  local xterm third_x third_right
  xterm=$(start_xterm spaced 80x24+200+200)
  third_x=$(((3 * wx + ww + 1) / 3 + (gap + 1) / 2))
  third_right=$(((3 * wx + 2 * ww + 1) / 3 - gap / 2))
  xdotool windowactivate --sync "$xterm"
  run zone Thirds 2
  expect_frame "$wm: an xterm in the middle third starts at its top-left and stays inside it" \
    "$xterm" "$third_x" "$top" $((third_right - third_x)) "$height"
  for window in "$west" "$east" "$xterm"; do xdotool windowkill "$window"; done
  # Set only once every check above ran: a broken expression ends the caller's line, `|| fail` and all.
  spacing_checked="$gap $margin"
}
