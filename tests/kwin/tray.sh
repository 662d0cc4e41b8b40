#!/usr/bin/env bash
# The tray panel on a real KWin: Corvane's icon in the system tray of a bottom panel (a StatusNotifierItem
# host of the test panel's, as Plasma's panel holds one); a click on it opens Corvane's panel, a
# layer-shell surface, just above the bottom panel at its right end, where the tray lies. The panel
# takes the keyboard; a second click, Escape, or another window's activation closes it and the
# keyboard goes back to the window. When the tray goes the panel becomes an ordinary window, and when
# it comes back the icon opens the panel above it again.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

# Corvane's windows, one a line: "overlay X Y WIDTH HEIGHT" for a surface above the ordinary windows'
# layer (2), "window X Y WIDTH HEIGHT CAPTION" for an ordinary window (whose frame KWin gives in
# fractions of a logical pixel at a fractional scale).
corvane_windows() {
  kwin_eval 'for (const w of workspace.stackingOrder) if (w.resourceClass === "corvane") {
    const g = w.frameGeometry, place = [g.x, g.y, g.width, g.height].join(" ");
    say(w.layer > 2 ? "overlay " + place : "window " + place + " " + w.caption);
  }'
}
windows_are() { [ "$(corvane_windows)" = "$1" ]; }
panel_is_window() { [[ "$(corvane_windows)" =~ ^window\ [0-9.\ ]+\ Corvane$ ]]; }
panel_has_keyboard() {
  [ "$(kwin_eval 'const w = workspace.activeWindow; say(w && w.resourceClass === "corvane" && w.layer > 2)')" = true ]
}
tray_holds_icon() { grep -q "^tray: item " "$KWIN_TMP/panel-0.log"; }
# A click on the tray's icon, the square at the right end of the bottom panel.
click_tray() {
  pointer_move $((area[0] + area[2] - 20)) $((area[1] + area[3] + 20))
  pointer_press
  pointer_release
}
press_escape() {
  pointer_key 1 down
  pointer_key 1 up
}

# Opens the panel by its icon: where $panel says, with the keyboard.
open_panel() {
  click_tray
  wait_for 5 windows_are "$panel" || fail "a click on the icon showed '$(corvane_windows)', expected the panel: $panel"
  wait_for 5 panel_has_keyboard || fail "the panel did not take the keyboard"
}
# The panel gone, and the keyboard back with the window.
expect_closed() {
  wait_for 5 windows_are "" || fail "$1 left '$(corvane_windows)'"
  wait_for 5 is_active "$foot" || fail "after $1 the window did not get the keyboard back"
  echo "ok - $1 closes the panel, and the window has the keyboard again"
}

kwin_start 2
# The fake pointer before any client: a client that binds the seat's pointer only once it appears
# may miss a click made just then.
pointer_move 640 400
start_panel 0 40 tray
area=($(work_area 0))
foot=$(start_foot tray-foot)
corvane_start
active_window "$foot"
wait_for 5 tray_holds_icon || fail "Corvane's icon never came to the tray"
windows_are "" || fail "Corvane shows windows with a tray there: '$(corvane_windows)'"

# The panel's right edge on the screen's, its bottom on the bottom panel's top.
panel="overlay $((area[0] + area[2] - 280)) $((area[1] + area[3] - 500)) 280 500"

open_panel
echo "ok - a click on the icon opens the panel above the bottom panel at its right end, with the keyboard"
click_tray
expect_closed "a second click"
open_panel
press_escape
expect_closed "Escape"
open_panel
active_window "$foot"
expect_closed "the activation of another window"

# The tray gone, the panel is the way in: an ordinary window, not a surface over every other.
kill "$KWIN_PANEL_PID"
wait_for 5 panel_is_window ||
  fail "with the tray gone Corvane shows '$(corvane_windows)', expected its panel as a window"
echo "ok - the tray gone, the panel is an ordinary window"
start_panel 0 40 tray
wait_for 5 tray_holds_icon || fail "Corvane's icon did not come back to the tray"
wait_for 5 windows_are "" || fail "the panel window stayed with the tray back: '$(corvane_windows)'"
open_panel
echo "ok - the tray back, its icon opens the panel above it again"
corvane_stop >/dev/null
