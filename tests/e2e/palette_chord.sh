#!/usr/bin/env bash
# End to end on openbox: Control+Alt+0 opens the palette for the focused xterm, centred under the middle
# of its top edge; a click on a zone snaps the xterm there while it keeps the focus; the chord again closes
# the palette, and so does another window taking the focus.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"
source "$(dirname "$0")/palette_desktop.sh"

start_desktop 1440 900
start_session_bus # for corvane_settle
b=$(start_xterm beta 40x10+900+500)
a=$(start_xterm alpha 80x24+300+300)
corvane_start "$corvane"
xdotool windowactivate --sync "$a"

xdotool key ctrl+alt+0
wait_for 3 palette_window || fail "Control+Alt+0 opened no palette"
eval "$(xdotool getwindowgeometry --shell "$(palette_window | head -1)")"
set -- $(outer_frame "$a")
[ $((X + WIDTH / 2 - ($1 + $3 / 2))) -le 1 ] && [ $(($1 + $3 / 2 - (X + WIDTH / 2))) -le 1 ] ||
  fail "the palette at $X,$Y ${WIDTH}x$HEIGHT is not centred under the xterm at $*"
[ "$Y" -eq $(($2 + 6)) ] || fail "the palette's top is at $Y, not 6 below the xterm's top edge $2"
echo "ok - Control+Alt+0 opens the palette under the middle of the xterm's top edge"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
pick_right_half
expect_frame "a click on the right half of Split snaps the xterm" "$a" 720 0 720 900
[ "$(xdotool getactivewindow)" = "$a" ] || fail "the xterm lost the focus to the palette"
echo "ok - the xterm keeps the focus"

xdotool key ctrl+alt+0
wait_for 3 palette_window || fail "Control+Alt+0 opened no palette the second time"
xdotool key ctrl+alt+0
wait_for 3 no_palette || fail "Control+Alt+0 again left the palette open"
echo "ok - the chord again closes the palette"

xdotool key ctrl+alt+0
wait_for 3 palette_window || fail "Control+Alt+0 opened no palette the third time"
xdotool windowactivate --sync "$b"
wait_for 3 no_palette || fail "the palette stayed open with another window focused"
echo "ok - another window taking the focus closes the palette"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette chord: all passed"
