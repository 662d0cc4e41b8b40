#!/usr/bin/env bash
# End to end: dragging a real xterm by its title bar with XTEST motion previews the zone under the
# pointer and drops the window into it on release; a drag that ends with the pointer on the very top
# row of the monitor, the most natural gesture towards the top, snaps into the zone there; with Control
# held the drop spans the zones crossed. The quarters come from the layout given to the monitor itself
# (Xvfb's RandR monitor "screen"), over a default of halves. An xterm of an application left alone is
# moved by no hotkey, drag or command, while the other still is.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

start_desktop 1440 900
start_session_bus
a=$(start_xterm alpha 80x24+300+300)
# Its own class, so that the list can name it apart from alpha.
xterm -class Aside -T aside -geometry 80x24+700+500 -e bash --norc >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for 10 xdotool search --onlyvisible --name '^aside$' || fail "the xterm aside did not appear"
aside=$(xdotool search --name '^aside$' | head -1)
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapLayoutName</key><string>Split</string>
<key>dragSnapMonitorLayouts</key><dict><key>output:screen/</key><string>Quadrant</string></dict>
<key>excludedApplications</key><array><string>Aside</string></array>'
corvane_start "$corvane"
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

# The application left alone: a hotkey, a command and a drag leave its window where the user put it.
xdotool windowactivate --sync "$aside"
read -r ax ay aw ah <<<"$(outer_frame "$aside")"
xdotool key ctrl+alt+1
run zone Split 1
[ "$status" = 1 ] && [ "$said" = 'corvane: Corvane leaves the windows of "Aside" alone: it is on the list of applications Corvane never moves.' ] ||
  fail "corvane zone on a window left alone ($status): $said"
echo "ok - corvane zone on it exits 1 and names the application"
corvane_settle # the hotkey's write, had there been one, has landed
[ "$(outer_frame "$aside")" = "$ax $ay $aw $ah" ] || fail "a hotkey moved the window left alone to $(outer_frame "$aside")"
echo "ok - the hotkey leaves it alone"
read -r grab_x grab_y <<<"$(title_bar_point "$aside")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x - 100)) $((grab_y - 100)) 10 20 move 100 100 10 20
corvane_settle
! xdotool search --onlyvisible --name '^Corvane Snap Preview$' >/dev/null || fail "a preview for the window left alone"
"$pointer" up 1
corvane_settle
set -- $(outer_frame "$aside")
[ "$3 $4" = "$aw $ah" ] || fail "the drop moved the window left alone into a zone: $*"
echo "ok - a drag of it shows no preview and drops it where the pointer left it"
xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+2
expect_frame "alpha, not on the list, still moves by hotkey" "$a" 0 0 720 450
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end drag: all passed"
