#!/usr/bin/env bash
# End to end under openbox with a tray and a session bus: the settings window comes back frame for
# frame over two relaunches, and a scroll wheel turned over its pickers, none of which has the
# focus, scrolls the page and writes nothing.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

# Fails while there is none: a pipeline's status is its last command's.
settings_window() { xdotool search --onlyvisible --name '^Corvane Settings$' | head -1 | grep .; }
open_settings() {
  "$corvane" >/dev/null 2>&1
  wait_for 2 settings_window || fail "a second launch did not open the settings window"
  settings_window
}
settings_file() { echo "$XDG_CONFIG_HOME/corvane/app.corvane.plist"; }
# The stored frame: the string under the CorvaneSettings key; and everything else the file holds.
stored_frame() { perl -0ne 'print $1 if m{<key>CorvaneSettings</key>\s*<string>([^<]*)</string>}' "$(settings_file)"; }
other_settings() { perl -0pe 's{<key>CorvaneSettings</key>\s*<string>[^<]*</string>}{}' "$(settings_file)"; }
stored_frame_is() { [ "$(stored_frame)" = "$1" ]; }
stored_frame_is_not() { [ "$(stored_frame)" != "$1" ]; }
frame_is_exactly() { [ "$(outer_frame "$1")" = "$2" ]; }
# The outer frame's top-left and the content's size, as Corvane stores them.
expected_stored() {
  local info
  info=$(xwininfo -id "$1")
  echo "$(outer_frame "$1" | awk '{print $1, $2}') $(awk '/Width:/ {w = $NF} /Height:/ {print w, $NF}' <<<"$info")"
}
restart_corvane() {
  kill "$CORVANE_PID"
  wait_for 5 sh -c "! kill -0 $CORVANE_PID" || fail "Corvane did not stop"
  corvane_start "$corvane"
}

start_desktop 1440 900
start_session_bus
start_tray
corvane_start "$corvane"

# Moved by the user, the window's frame is stored once it rests; two relaunches bring it back
# exactly there, title bar included.
w=$(open_settings) || exit 1 # fail() in the substitution ends only it
xdotool windowmove --sync "$w" 200 150
wait_for 3 stored_frame_is "$(expected_stored "$w")" ||
  fail "stored '$(stored_frame)' for a window at $(outer_frame "$w")"
frame=$(outer_frame "$w")
for launch in 1 2; do
  restart_corvane
  w=$(open_settings) || exit 1
  wait_for 2 frame_is_exactly "$w" "$frame" ||
    fail "relaunch $launch: the settings window came back at $(outer_frame "$w"), was at $frame"
done
echo "ok - the settings window comes back frame for frame over two relaunches"

# The wheel, turned down the column of pickers while the page scrolls past them, changes nothing.
before=$(other_settings)
set -- $(outer_frame "$w")
x=$(($1 + $3 - 100))
for y in $(seq $(($2 + 120)) 25 $(($2 + 520))); do
  xdotool mousemove "$x" "$y" click 5
done
xdotool mousemove "$x" $(($2 + 300)) click 4 click 4 click 4
# A move of the window is stored after the wheel's turns are handled; then the rest is as before.
last=$(stored_frame)
xdotool windowmove --sync "$w" 240 170
wait_for 3 stored_frame_is_not "$last" || fail "the window's new frame was not stored"
[ "$(other_settings)" = "$before" ] || fail "the wheel changed settings: $(diff <(echo "$before") <(other_settings))"
echo "ok - the wheel over unfocused pickers changes nothing on disk"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end settings window: all passed"
