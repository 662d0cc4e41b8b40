#!/usr/bin/env bash
# End to end: dragging a real xterm by its title bar with XTEST motion previews the zone under the
# pointer and drops the window into it on release; a drag that ends with the pointer on the very top
# row of the monitor, the most natural gesture towards the top, snaps into the zone there; with Control
# held the drop spans the zones crossed.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

start_desktop 1440 900
a=$(start_xterm alpha 80x24+300+300)
write_settings '<key>dragSnapEnabled</key><true/>'
start_corvane "$corvane"
xdotool windowactivate --sync "$a"
read -r grab_x grab_y <<<"$(title_bar_point "$a")"

"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x - 200)) $((grab_y - 150)) 10 20 move 100 100 10 20
wait_for 3 xdotool search --onlyvisible --name '^Corvane Snap Preview$' || fail "no preview while the button is held"
echo "ok - the preview shows while the button is held"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
"$pointer" up 1
expect_frame "a title-bar drag to the top-left drops the xterm into the top-left quarter" "$a" 0 0 720 450

# Into the bottom-left quarter first, then in one step onto the top row: only the top row's own event
# can show the top-right quarter.
read -r grab_x grab_y <<<"$(title_bar_point "$a")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move 300 700 10 20 move 1000 0 1 20
expect_window_near "the pointer on the top row previews the top-right quarter" "Corvane Snap Preview" "720 0 720 450"
"$pointer" up 1
expect_frame "the drop on the top row fills the top-right quarter" "$a" 720 0 720 450
# Control held from the top-left quarter across to the top-right one: the preview and the drop span both.
read -r grab_x grab_y <<<"$(title_bar_point "$a")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move 300 200 10 20
xdotool keydown Control_L
"$pointer" move 1100 200 10 20
expect_window_near "Control across two zones previews both" "Corvane Snap Preview" "0 0 1440 450"
"$pointer" up 1
xdotool keyup Control_L
expect_frame "the drop with Control held fills the top half" "$a" 0 0 1440 450
kill -0 "$E2E_CORVANE_PID" || fail "Corvane died"
echo "end-to-end drag: all passed"
