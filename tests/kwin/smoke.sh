#!/usr/bin/env bash
# The KWin harness itself, end to end: two outputs side by side, a panel whose strip KWin takes from
# the work area, a foot window KWin lists and decorates, a drag of it by its title bar with the fake
# pointer that KWin follows as a user's move, and a chord from the same device.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2
source "$(dirname "$0")/session.sh"

expect() {
  local what=$1 actual=$2 expected=$3
  [ "$actual" = "$expected" ] || fail "$what: $actual, expected $expected"
  echo "ok - $what"
}

kwin_start 2
expect "the first output" "$(output_geometry 0)" "0 0 1280 800"
expect "the second output, right of the first" "$(output_geometry 1)" "1280 0 1280 800"

start_panel 0 40
expect "the panel's strip is left out of the first output's work area" "$(work_area 0)" "0 0 1280 760"
expect "the second output keeps all of its area" "$(work_area 1)" "1280 0 1280 800"

foot=$(start_foot smoke-foot)
set -- $(window_frame "$foot") || fail "no frame for foot"
x=$1 y=$2 width=$3 height=$4
[ "$width" -gt 100 ] && [ "$height" -gt 100 ] && [ "$x" -ge 0 ] && [ "$((x + width))" -le 1280 ] ||
  fail "foot's frame $* is not a window on the first output"
echo "ok - foot is listed, at $*"

# Pressed on the title bar, moved in steps as a hand would, released: clear of the outputs' edges and
# the panel, where KWin would snap or tile the window instead.
grab_x=$((x + width / 2)) grab_y=$((y + 12))
pointer_move "$grab_x" "$grab_y"
pointer_press
for step in 1 2 3 4 5 6 7 8; do
  pointer_move $((grab_x + step * 50)) $((grab_y + step * 6))
done
kwin_wait_log "^js: corvane-harness move-stepped $foot " || fail "KWin saw no move of foot while the button was held"
pointer_release
kwin_wait_log "^js: corvane-harness move-finished $foot " || fail "the move of foot did not finish on release"
grep -q "^js: corvane-harness move-started $foot " "$KWIN_LOG" || fail "the move of foot finished without starting"
echo "ok - the drag started, stepped and finished a move of foot"
expect "foot moved with the pointer" "$(window_frame "$foot")" "$((x + 400)) $((y + 48)) $width $height"
# The same fake device types: a chord reaches KWin's global shortcuts, as Corvane's hotkeys will.
echo 'registerShortcut("corvane-smoke", "Corvane smoke", "Ctrl+Alt+Shift+J", () => print("corvane-smoke chord"));' \
  >"$KWIN_TMP/chord.js"
kwin_load_script "$KWIN_TMP/chord.js" corvane-smoke
for key in 29 56 42 36; do pointer_key $key down; done
for key in 36 42 56 29; do pointer_key $key up; done
kwin_wait_log "^js: corvane-smoke chord" || fail "KWin's shortcuts did not see Control+Alt+Shift+J typed by the fake device"
echo "ok - a chord typed by the fake device fires a global shortcut"
echo "KWin smoke: all passed"
