#!/usr/bin/env bash
# End to end under a tiling window manager (i3, stock configuration): beside a tiled window, a
# floating one fills its zone with i3's title bar on screen, although i3 publishes neither frame
# extents nor a work area. (Tiled windows are i3's to place: it ignores requests to move them.)
set -u
corvane=$1
E2E_WM=i3
source "$(dirname "$0")/desktop.sh"

# The frame i3 draws around a window: the root's child that holds it, "x y width height".
i3_frame() {
  local id=$1 parent
  while parent=$(xwininfo -children -id "$id" | awk '/Parent window id/ {print $4}') &&
    [ "$parent" != "$(xwininfo -root | awk '/Window id/ {print $4}')" ]; do
    id=$parent
  done
  xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
i3_frame_is() {
  set -- $(i3_frame "$1") "${@:2}"
  [ "$1" = "$5" ] && [ "$2" = "$6" ] && [ "$3" -le "$7" ] && [ "$3" -gt $(($7 - 12)) ] &&
    [ "$4" -le "$8" ] && [ "$4" -gt $(($8 - 20)) ]
}

start_desktop 1440 900
# i3bar reserves 20 rows at the bottom with a strut.
wait_for 10 sh -c 'xwininfo -root -tree | grep -q i3bar' || fail "no i3bar"
# start_xterm waits for frame extents, which i3 never sets: i3 has the window once it sets WM_STATE.
i3_xterm() {
  xterm -T "$1" -e bash --norc >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 sh -c "xprop -id \$(xdotool search --name '^$1\$' | head -1) WM_STATE | grep -q Normal" ||
    fail "xterm $1 did not appear"
  xdotool search --name "^$1\$" | head -1
}
a=$(i3_xterm alpha)
b=$(i3_xterm bravo)
i3-msg "[title=\"^bravo\$\"] floating enable" >/dev/null || fail "i3 did not float bravo"
corvane_start "$corvane"

xdotool windowactivate --sync "$b"
xdotool key ctrl+alt+1
wait_for 3 i3_frame_is "$b" 0 0 720 880 || fail "floating window at $(i3_frame "$b"), expected 0 0 720 880"
echo "ok - a floating window fills the left half above i3bar with its title bar on screen"
echo "end-to-end tiling: all passed"
