#!/usr/bin/env bash
# End to end on a desktop with its own session bus: Corvane follows the system tray as it starts
# after Corvane, quits and comes back, between its icon in the tray and its panel as a window; a
# second launch brings the running Corvane forward (the panel window closed before, or the settings
# window where there is a tray) and still says that Corvane is already running.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

# The panel, as a window or opened from the icon: 280 wide and mapped (the tray icon is also named
# "Corvane"). Prints its id.
panel_popup() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Corvane$'); do
    xwininfo -id "$w" | grep -q 'Width: 280' && { echo "$w"; return 0; }
  done
  return 1
}
panel_window_shown() { panel_popup >/dev/null; }
panel_window_hidden() { ! panel_window_shown; }
# Our icon, embedded somewhere in tint2's window.
tray_holds_icon() {
  local tray
  tray=$(xdotool search --class '^tint2$' | head -1)
  # Without a window id xwininfo waits for a click on a window, for ever.
  [ -n "$tray" ] && xwininfo -tree -id "$tray" | grep -q '"Corvane"'
}
settings_window_shown() { xdotool search --onlyvisible --name '^Corvane Settings$'; }
launch_again() {
  local said
  said=$("$corvane" 2>&1)
  [ "$said" = "Corvane is already running." ] || fail "a second launch said: $said"
}

start_desktop 1440 900
start_session_bus
corvane_start "$corvane"
wait_for 5 panel_window_shown || fail "no panel window without a tray"

# Closed like any window (the window manager asks it to close, as its close button does), the panel
# hides, and Corvane keeps running; a second launch brings it back.
wmctrl -i -c "$(xdotool search --onlyvisible --name '^Corvane$' | head -1)"
wait_for 3 panel_window_hidden || fail "the panel window did not close"
kill -0 "$CORVANE_PID" || fail "closing the panel window ended Corvane"
launch_again
wait_for 2 panel_window_shown || fail "a second launch did not bring the closed panel window back"
echo "ok - a second launch brings the closed panel window back"

# A tray that starts after Corvane takes its icon, and the panel window goes.
start_tray
wait_for 2 tray_holds_icon || fail "no icon in the tray that started after Corvane"
wait_for 2 panel_window_hidden || fail "the panel window stayed with a tray there"
echo "ok - the icon appears in a tray that starts later, and the panel window goes"

# With a tray, a second launch opens the settings window.
launch_again
wait_for 2 settings_window_shown || fail "a second launch did not open the settings window"
# Minimised, it comes back the same way.
xdotool windowminimize --sync "$(settings_window_shown | head -1)"
launch_again
wait_for 2 settings_window_shown || fail "a second launch did not bring the minimised settings window back"
echo "ok - a second launch opens the settings window, also when it was minimised"

# A click on the icon opens the panel beside it; a layout thumbnail lights the zone under the pointer,
# as the palette's do, also when the panel opens a second time.
# The accent colour at a root pixel (the control grey otherwise): blue well above red.
pixel_lit() {
  local r g b
  read -r r g b < <(import -window root -crop "1x1+$1+$2" -depth 8 txt:- |
    awk 'NR == 2 {gsub(/[()]/, "", $2); gsub(",", " ", $2); print $2}')
  [ -n "$b" ] && [ "$b" -gt $((r + 60)) ]
}
hover_lights_zone() {
  local icon info x y
  icon=$(xwininfo -tree -id "$(xdotool search --class '^tint2$' | head -1)" | awk '/"Corvane"/ {print $1; exit}')
  # Embedded is not yet shown: a click before tint2 maps the icon lands on tint2.
  wait_for 2 sh -c "xwininfo -id $icon | grep -q 'Map State: IsViewable'" || fail "the tray icon is not shown"
  info=$(xwininfo -id "$icon")
  xdotool mousemove $(($(awk '/Absolute upper-left X/ {print $NF}' <<<"$info") + 5)) \
    $(($(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info") + 5)) click 1
  wait_for 2 panel_popup || fail "a click on the icon opened no panel"
  info=$(xwininfo -id "$(panel_popup)")
  x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info") y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  pixel_lit $((x + 110)) $((y + 120)) && fail "a zone of the panel is lit before the pointer is on it"
  # The right half of "Split", the first thumbnail.
  xdotool mousemove $((x + 98)) $((y + 110))
  wait_for 2 pixel_lit $((x + 110)) $((y + 120)) || fail "the zone under the pointer is not lit in the panel"
  # Closed by a click elsewhere, like a menu.
  xdotool mousemove 200 200 click 1
  wait_for 2 panel_window_hidden || fail "a click elsewhere did not close the panel"
}
hover_lights_zone
hover_lights_zone
echo "ok - the panel opens at the icon and lights the zone under the pointer, each time"

# The tray quits: the panel window is the way in again. It comes back: the icon returns.
kill "$E2E_TRAY_PID"
wait_for 2 panel_window_shown || fail "no panel window after the tray quit"
start_tray
wait_for 2 tray_holds_icon || fail "no icon in the tray that came back"
wait_for 2 panel_window_hidden || fail "the panel window stayed after the tray came back"
echo "ok - the tray goes and comes back, and Corvane follows it"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end tray: all passed"
