#!/usr/bin/env bash
# End to end: the writer's pauses never wait on the window manager for more than their bound. A
# window manager that answers late (stopped while the hotkey is handled) still gets every write, in
# order, and the xterm ends in its zone; after it, with pauses that end as the window manager
# answers, placements that move the window, or move and resize it, land too.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_session_bus
start_desktop 1440 900
a=$(start_xterm alpha 80x24+300+200)
corvane_start "$corvane"
xdotool windowactivate --sync "$a"

# Every request Corvane sends the window manager goes to the root window, where xev sees it too.
stdbuf -oL xev -root -event substructure >"$E2E_TMP/root.log" 2>&1 &
E2E_PIDS+=($!)
# Listening once a message of our own shows up (a switch to the desktop already shown).
xev_listens() { wmctrl -s 0 && grep -q ClientMessage "$E2E_TMP/root.log"; }
wait_for 3 xev_listens || fail "xev never listened on the root window"
requests() { grep -c '_NET_MOVERESIZE_WINDOW' "$E2E_TMP/root.log"; }
at_least() { [ "$(requests)" -ge "$1" ]; }

kill -STOP "$E2E_WM_PID"
before=$(requests)
xdotool key ctrl+alt+1
# Size, position, the size again (the read-back finds it not taken) and the position again: all
# sent while nothing could configure the window, so each pause ended at its bound.
wait_for 3 at_least $((before + 4)) || { kill -CONT "$E2E_WM_PID"; fail "the writer waited on a stopped window manager"; }
echo "ok - with the window manager stopped, every write still goes out"
corvane_settle # the write has ended before the window manager comes back
kill -CONT "$E2E_WM_PID"
expect_frame "the late window manager applies them in order: left half" "$a" 0 0 720 900

xdotool key ctrl+alt+2; expect_frame "hotkey 2: top-left quarter" "$a" 0 0 720 450
xdotool key ctrl+alt+Right; expect_frame "a step that only moves: top-right quarter" "$a" 720 0 720 450
xdotool key ctrl+alt+4; expect_frame "hotkey 4, moving and resizing: top row" "$a" 0 0 1440 450
xdotool key ctrl+alt+Right; expect_frame "a step that moves and resizes: bottom row" "$a" 0 450 1440 450
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end late window manager: all passed"
