#!/usr/bin/env bash
# End to end on a real X server and window manager: each default hotkey places the focused xterm
# in its zone, the arrows cycle, keystrokes still reach the xterm, and Corvane survives a client
# dying mid-move and the window manager restarting; then, started again with spacing around zones,
# it keeps that spacing.
# Usage: hotkeys.sh CORVANE TYPED_WINDOW
set -u
corvane=$1 typed_window=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/spacing.sh"

start_session_bus
start_desktop 1440 900
a=$(start_xterm alpha 80x24+100+100)
corvane_start "$corvane"

xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+1; expect_frame "hotkey 1: left half" "$a" 0 0 720 900
xdotool key ctrl+alt+2; expect_frame "hotkey 2: top-left quarter" "$a" 0 0 720 450
xdotool key ctrl+alt+Right; expect_frame "right arrow within 5 s: next quarter" "$a" 720 0 720 450
xdotool key ctrl+alt+Left; expect_frame "left arrow: back to the first quarter" "$a" 0 0 720 450
xdotool key ctrl+alt+3; expect_frame "hotkey 3: left third" "$a" 0 0 480 900
xdotool key ctrl+alt+4; expect_frame "hotkey 4: top row" "$a" 0 0 1440 450

# With Corvane's own window active, the hotkeys still act on the window the user worked in last.
own=$(xdotool search --name '^Corvane$' | head -1)
[ -n "$own" ] || fail "no Corvane window on a desktop without a tray"
xdotool windowactivate --sync "$own"
own_before=$(outer_frame "$own")
xdotool key ctrl+alt+1; expect_frame "with Corvane's window active: the xterm still moves" "$a" 0 0 720 900
[ "$(outer_frame "$own")" = "$own_before" ] || fail "Corvane moved its own window"
xdotool windowactivate --sync "$a"

# The keystrokes were observed, not taken: the hotkeys themselves reached the xterm's shell as
# input (cleared here with Control+U), and typing still does.
xdotool key ctrl+u
xdotool type --delay 30 "echo typed > $E2E_TMP/typed"; xdotool key Return
wait_for 5 test -s "$E2E_TMP/typed" || fail "keystrokes did not reach the xterm"
echo "ok - keystrokes reach the focused xterm"

# A client that dies while it is being moved.
b=$(start_xterm bravo 80x24+300+300)
xdotool windowactivate --sync "$b"
bpid=$(xprop -id "$b" _NET_WM_PID | awk '{print $NF}')
xdotool key ctrl+alt+1; kill -9 "$bpid"
corvane_settle # the write to the dead client has ended
kill -0 "$CORVANE_PID" || fail "Corvane died with the client"
xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+1; expect_frame "after a client died mid-move" "$a" 0 0 720 900

# The window manager restarts.
old_check=$(xprop -root _NET_SUPPORTING_WM_CHECK)
openbox --replace --sm-disable --config-file "$(openbox_config)" >"$E2E_TMP/openbox2.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 10 sh -c "! kill -0 $E2E_WM_PID" || fail "old openbox still running"
wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id' | grep -vqF '$old_check'" ||
  fail "openbox did not restart"
wait_for 10 sh -c 'xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW' || fail "openbox offers no activation"
wait_for 5 sh -c "xprop -id $a _NET_FRAME_EXTENTS | grep -q ="
xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+2; expect_frame "after the window manager restarted" "$a" 0 0 720 450
kill -0 "$CORVANE_PID" || fail "Corvane died with the window manager"

# One instance per session.
second=$("$corvane" 2>&1)
[ "$second" = "Corvane is already running." ] || fail "second launch said: $second"
echo "ok - a second launch says Corvane is already running"

expect_spacing 11 6
expect_spacing_checked 11 6

echo "end-to-end hotkeys: all passed"
