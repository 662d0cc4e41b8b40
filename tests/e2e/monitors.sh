#!/usr/bin/env bash
# End to end with two monitors side by side (Xephyr with two Xinerama heads, nested in Xvfb):
# outside cycle mode the arrows move the window to the next monitor keeping its relative frame,
# wrapping around, a hotkey uses the zones of the monitor the window is on, and the zones' chords
# cross from one monitor's zones to the other's. Xinerama's heads report no connector, so each
# monitor's drag layout is kept by its place: a drag on the first one drops into its own layout, not
# the default nor the second one's, while the hotkeys keep theirs. (XTEST motion reaches only the
# first head here, so the second monitor's layout is left to the unit tests.)
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"

start_desktop 3400 1100
start_x_server Xephyr Xephyr +xinerama -screen 1440x900 -screen 1920x1080 -origin 1440,0
start_window_manager
a=$(start_xterm alpha 80x24+100+100)
b=$(start_xterm beta 80x24+100+500)
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapMonitorLayouts</key>
<dict><key>place:1</key><string>Split</string><key>place:2</key><string>Thirds</string></dict>'
corvane_start "$corvane"
xdotool windowactivate --sync "$a"
set -- $(outer_frame "$a")
w=$3 h=$4

# 100/1440 of the way across and 100/900 down on the first monitor: the same on the second.
xdotool key ctrl+alt+Right
expect_frame "right arrow: to the second monitor" "$a" 1573 120 $(( (w * 1920 + 720) / 1440 )) $(( (h * 1080 + 450) / 900 ))
xdotool key ctrl+alt+Right
expect_frame "right arrow from the last monitor: back to the first" "$a" 100 100 "$w" "$h"
xdotool key ctrl+alt+Left
expect_frame "left arrow from the first monitor: to the last" "$a" 1573 120 $(( (w * 1920 + 720) / 1440 )) $(( (h * 1080 + 450) / 900 ))
xdotool key ctrl+alt+2
expect_frame "hotkey 2 on the second monitor: its top-left quarter" "$a" 1440 0 960 540

# The zones' chords (Control+Alt+Shift with an arrow) in the Quadrant layout hotkey 2 applied: at the
# second monitor's left edge across to the first monitor's zone nearest that way, and back.
xdotool key ctrl+alt+shift+Down
expect_frame "zone down: the second monitor's bottom-left quarter" "$a" 1440 540 960 540
xdotool key ctrl+alt+shift+Left
expect_frame "zone left at the edge: the first monitor's bottom-right quarter" "$a" 720 450 720 450
xdotool key ctrl+alt+shift+Up
expect_frame "zone up: the first monitor's top-right quarter" "$a" 720 0 720 450
xdotool key ctrl+alt+shift+Right
expect_frame "zone right at the edge: the second monitor's top-left quarter" "$a" 1440 0 960 540

read -r grab_x grab_y <<<"$(title_bar_point "$b")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x + 100)) $((grab_y - 100)) 10 20 move 1000 300 10 20
"$pointer" up 1
expect_frame "a drag on the first monitor: the right half of its own Split" "$b" 720 0 720 900
echo "end-to-end monitors: all passed"
