#!/usr/bin/env bash
# End to end on two monitors arranged as people have them (Xephyr with two Xinerama heads, nested in
# Xvfb): "stacked", one above the other, where every row belongs to one monitor, the lower one's top
# row included; "offset", a primary to the right of the other monitor, off the root's origin, where
# the preview and the palette must still show where the windows are.
set -u
corvane=$1 pointer=$2 arrangement=$3
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

corvane_settings '<key>dragSnapEnabled</key><true/><key>zoomPaletteEnabled</key><true/>'

case $arrangement in
stacked)
  start_desktop 1440 1800
  start_x_server Xephyr Xephyr +xinerama -screen 1440x900 -origin 0,900 -screen 1440x900
  start_window_manager
  a=$(start_xterm alpha 80x25+100+1100)
  # Its size may come a moment after it maps.
  is_sized() { set -- $(outer_frame "$a"); [ "${4:-0}" -gt 100 ]; }
  wait_for 3 is_sized || fail "the xterm never got its size"
  set -- $(outer_frame "$a")
  h=$4 && [ $((h % 2)) -eq 0 ] || fail "the xterm is $h rows high; its centre needs an even height"
  # Centred on root row 900, the lower monitor's top row.
  wmctrl -i -r "$a" -e 0,100,$((900 - h / 2)),-1,-1
  is_at_top() { [ "$(outer_frame "$a" | cut -d' ' -f2)" = "$1" ]; }
  wait_for 3 is_at_top $((900 - h / 2)) || fail "the xterm did not move to straddle the monitors"
  corvane_start "$corvane"
  xdotool windowactivate --sync "$a"
  xdotool key ctrl+alt+1
  expect_frame "hotkey 1 on a window centred on the lower monitor's top row: the lower left half" "$a" 0 900 720 900
  xdotool key ctrl+alt+2
  expect_frame "hotkey 2 on the lower monitor: its top-left quarter" "$a" 0 900 720 450
  ;;
offset)
  start_desktop 3400 1100
  start_x_server Xephyr Xephyr +xinerama -origin 1440,0 -screen 1920x1080 -origin 0,0 -screen 1440x900
  start_window_manager
  a=$(start_xterm alpha 80x24+1700+300)
  corvane_start "$corvane"
  # Once a Qt client runs, Xephyr offsets XTEST motion by its first head's origin: measured here so
  # that every move below aims at root pixels.
  "$pointer" move 10 10 1 10
  eval "$(xdotool getmouselocation --shell)"
  dx=$((X - 10)) dy=$((Y - 10))
  to() { echo $(($1 - dx)) $(($2 - dy)); }
  xdotool windowactivate --sync "$a"
  read -r grab_x grab_y <<<"$(title_bar_point "$a")"
  "$pointer" move $(to "$grab_x" "$grab_y") 1 10 down 1 move $(to 1700 200) 10 20 move $(to 1540 100) 10 20
  expect_window_near "the preview covers the primary's top-left quarter" "Corvane Snap Preview" "1440 0 960 540"
  "$pointer" up 1
  expect_frame "the drop fills it" "$a" 1440 0 960 540
  # Openbox's maximize button: the palette 8 to its left and 6 below it.
  read -r bx by bw bh <<<"$(openbox_maximize "$a")"
  "$pointer" move $(to $((bx + bw / 2)) $((by + bh / 2))) 10 100
  wait_for 3 visible_window "Corvane Palette" || fail "the palette did not open"
  set -- $(window_geometry "$(visible_window "Corvane Palette")")
  within 1 "$1 $2" "$((bx - 8)) $((by + bh + 6))" || fail "the palette is at $1,$2, not beside the button at $bx,$by"
  echo "ok - the palette opens beside the maximize button on the primary"
  ;;
esac
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end arrangement ($arrangement): all passed"
