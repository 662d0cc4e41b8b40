#!/usr/bin/env bash
# End to end: a burst of layout-key presses with no pause between them (and zone steps with the
# arrows among them) leaves the window in the zone of the last press, every time, over 50 rounds,
# on a window that moves at once and on an xterm, which answers a resize slowly.
set -u
corvane=$1
typed_window=$2
source "$(dirname "$0")/desktop.sh"

start_session_bus
start_desktop 1440 900
x=$(start_xterm alpha 80x24+100+100)
"$typed_window" NORMAL quick 300 300 400 300 &
E2E_PIDS+=($!)
wait_for 10 xdotool search --onlyvisible --name '^quick$' || fail "the quick window did not appear"
q=$(xdotool search --name '^quick$' | head -1)
wait_for 5 sh -c "xprop -id $q _NET_FRAME_EXTENTS | grep -q ="
corvane_start "$corvane"

# The zones of the default hotkeys' layouts on a 1440 x 900 screen, "x y width height" each.
zones_of() {
  case $1 in
    1) echo "0 0 720 900|720 0 720 900" ;;
    2) echo "0 0 720 450|720 0 720 450|0 450 720 450|720 450 720 450" ;;
    3) echo "0 0 480 900|480 0 480 900|960 0 480 900" ;;
    4) echo "0 0 1440 450|0 450 1440 450" ;;
  esac
}

# The window is in the zone and stays there: a write of an earlier press landing late would move it.
rests_in() {
  local id=$1 zone=$2
  wait_for 5 frame_is "$id" $zone || return 1
  corvane_settle
  frame_is "$id" $zone
}

# A burst of presses in $presses and the zone of its last in $expected: a layout key first, so that
# the arrows step through zones rather than move between screens, and a last zone that no earlier
# press of the burst nor the round before left the window in, so that the window reaches it only
# when the last press has landed.
keys=(1 2 3 4 Right Left)
new_burst() {
  local layout index key zones visited
  while :; do
    layout=$((RANDOM % 4 + 1))
    presses=("ctrl+alt+$layout")
    index=0
    visited="|$last|"
    for _ in $(seq 1 $((RANDOM % 6 + 2))); do
      IFS='|' read -r -a zones <<<"$(zones_of "$layout")"
      visited+="${zones[index]}|"
      key=${keys[RANDOM % ${#keys[@]}]}
      presses+=("ctrl+alt+$key")
      case $key in
        Right) index=$(((index + 1) % ${#zones[@]})) ;;
        Left) index=$(((index + ${#zones[@]} - 1) % ${#zones[@]})) ;;
        *) layout=$key; index=0 ;;
      esac
    done
    IFS='|' read -r -a zones <<<"$(zones_of "$layout")"
    expected=${zones[index]}
    [[ $visited != *"|$expected|"* ]] && return
  done
}

for window in "$x" "$q"; do
  xdotool windowactivate --sync "$window"
  last=$(outer_frame "$window")
  for round in $(seq 1 50); do
    new_burst
    xdotool key --delay 0 "${presses[@]}"
    rests_in "$window" "$expected" ||
      fail "round $round: ${presses[*]} left the window at $(outer_frame "$window"), expected $expected"
    last=$expected
  done
  echo "ok - 50 bursts of presses on $(xdotool getwindowname "$window") end in the zone of the last"
done
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end ordered writes: all passed"
