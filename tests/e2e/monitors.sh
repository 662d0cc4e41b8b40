#!/usr/bin/env bash
# End to end with two monitors side by side (Xephyr with two Xinerama heads, nested in Xvfb):
# outside cycle mode the arrows move the window to the next monitor keeping its relative frame,
# wrapping around, and a hotkey uses the zones of the monitor the window is on.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_desktop 3400 1100
start_x_server Xephyr Xephyr +xinerama -screen 1440x900 -screen 1920x1080 -origin 1440,0
start_window_manager
a=$(start_xterm alpha 80x24+100+100)
start_corvane "$corvane"
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
echo "end-to-end monitors: all passed"
