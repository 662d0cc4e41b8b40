#!/usr/bin/env bash
# End to end with a window that draws its own title bar (gtk3-demo's GTK 3 header bar) and the
# accessibility bus running: Corvane finds the header bar's maximize button on the bus, the palette
# opens below it, the title opens nothing, and a pick places the window.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/palette_desktop.sh"

start_desktop 1440 900
start_accessibility_bus
gtk3-demo >"$E2E_TMP/gtk3-demo.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 10 xdotool search --onlyvisible --name '^Application Class$' || fail "gtk3-demo did not appear"
g=$(xdotool search --onlyvisible --name '^Application Class$' | head -1)
xdotool windowmove --sync "$g" 200 100
wait_for 3 frame_is "$g" 200 100 810 656 || fail "gtk3-demo is at $(outer_frame "$g")"
enable_palette
corvane_start "$corvane"
# The header bar inside the window's 5-pixel resize margin: maximize is 34 x 30, 84 pixels left of the
# window's right edge and 12 below its top (GTK 3.24, Adwaita).
set -- $(outer_frame "$g")
expect_no_palette_on "resting on the header bar's title opens nothing" $(($1 + $3 / 2)) $(($2 + 27))
expect_palette_below "resting on the header bar's maximize button opens the palette below it" \
  $(($1 + $3 - 84)) $(($2 + 12)) 34 30
pick_right_half
expect_frame "a pick places the header-bar window" "$g" 720 0 720 900
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette on a header bar: all passed"
