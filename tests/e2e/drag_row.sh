#!/usr/bin/env bash
# End to end on openbox with the top palette switched on: a real xterm dragged by its title bar into the
# top band of the screen shows the row of layouts, Corvane's own window, at the top centre; the pointer
# on a zone of the row previews that zone and the drop puts the xterm there; the row goes with the drop.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"
source "$(dirname "$0")/palette_desktop.sh"

start_desktop 1440 900
a=$(start_xterm alpha 80x24+300+300)
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapTopPalette</key><true/>'
corvane_start "$corvane"
xdotool windowactivate --sync "$a"
read -r grab_x grab_y <<<"$(title_bar_point "$a")"

# The row: eight thumbnails of 80 and 10 between, 12 inside, 8 below the top: 734 x 79 at 353,8. Split's
# left half is the first zone: 39 wide and 54 tall at 12,12 inside it.
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x + 100)) $((grab_y + 100)) 10 20 move 600 500 10 20
"$pointer" move 384 47 10 20
wait_for 3 palette_window || fail "no row in the top band"
eval "$(xdotool getwindowgeometry --shell "$(palette_window | head -1)")"
[ "$X,$Y,$WIDTH,$HEIGHT" = "353,8,734,79" ] || fail "the row is at $X,$Y ${WIDTH}x$HEIGHT, not at the top centre"
echo "ok - dragged into the top band, the row shows at the top centre"
expect_window_near "the pointer on Split's left half in the row previews the left half" "Corvane Snap Preview" "0 0 720 900"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
"$pointer" up 1
expect_frame "the drop on the row's zone puts the xterm in the left half" "$a" 0 0 720 900
wait_for 3 no_palette || fail "the row stayed after the drop"
echo "ok - the row goes with the drop"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end drag onto the row: all passed"
