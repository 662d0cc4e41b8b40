#!/usr/bin/env bash
# End to end: a desktop-icons window (_NET_WM_WINDOW_TYPE_DESKTOP) holding the focus is never moved
# by a hotkey, and on an empty virtual desktop a hotkey moves nothing, not even a window the user
# worked in on another desktop. Each "nothing moved" is checked after a later hotkey has moved a
# window, so the press before it has been handled.
set -u
corvane=$1 typed_window=$2
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
"$typed_window" DESKTOP icons 0 0 1440 900 &
icons_pid=$!
E2E_PIDS+=($icons_pid)
wait_for 10 xdotool search --name '^icons$' || fail "no desktop window"
icons=$(xdotool search --name '^icons$' | head -1)
a=$(start_xterm alpha 80x24+100+100)
corvane_start "$corvane"

xdotool windowactivate --sync "$icons"
wait_for 5 sh -c "xprop -root _NET_ACTIVE_WINDOW | grep -q $(printf '0x%x' "$icons")" || fail "the desktop window did not get the focus"
xdotool key ctrl+alt+1
xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+2; expect_frame "a hotkey after one on the desktop window moves the xterm" "$a" 0 0 720 450
[ "$(outer_frame "$icons")" = "0 0 1440 900" ] || fail "the desktop window moved: $(outer_frame "$icons")"
echo "ok - the desktop window holding the focus was left alone"

# The desktop window is on every desktop: gone, it leaves the other desktops empty.
kill "$icons_pid"
xdotool set_desktop 1
wait_for 5 sh -c 'xprop -root _NET_ACTIVE_WINDOW | grep -q "0x0"' ||
  fail "a window is still active on the empty desktop: $(xprop -root _NET_ACTIVE_WINDOW)"
xdotool key ctrl+alt+1
b=$(start_xterm bravo 80x24+300+300)
xdotool windowactivate --sync "$b"
xdotool key ctrl+alt+3; expect_frame "a hotkey after one on the empty desktop moves the new xterm" "$b" 0 0 480 900
set -- $(outer_frame "$a")
[ "$1 $2" = "0 0" ] && [ "$3" -le 720 ] && [ "$4" -le 450 ] || fail "the xterm on the other desktop moved: $*"
echo "ok - on an empty desktop nothing moved"
echo "end-to-end targets: all passed"
