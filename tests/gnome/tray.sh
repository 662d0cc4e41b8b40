#!/usr/bin/env bash
# Corvane's tray on GNOME, with the AppIndicator extension that gives GNOME one: the icon is in the top
# bar; a click on it opens its menu, whose "Open Corvane" opens the panel just below the top bar at its
# right end, above the windows and with the keyboard; Escape closes it and the keyboard goes back to the
# window. A double click on the icon opens the panel at once. With the AppIndicator extension turned off
# there is no tray: the panel is a window of its own, shown at once.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
APPINDICATOR=ubuntu-appindicators@ubuntu.com

# Corvane's windows, one a line: "X Y WIDTH HEIGHT TITLE ABOVE FOCUSED".
corvane_windows() {
  shell_eval "global.display.list_all_windows().filter(w => w.get_wm_class() === 'corvane').map(w => {
const f = w.get_frame_rect();
return [f.x, f.y, f.width, f.height, w.get_title(), w.is_above(), global.display.focus_window === w].join(' '); }).join('\n')"
}
windows_are() { [ "$(corvane_windows)" = "$1" ]; }
# The centre of an actor the JS names, "X Y" on the stage.
centre_of() {
  shell_eval "const a = $1; if (!a || !a.visible) throw new Error('not shown');
const [x, y] = a.get_transformed_position(); if (!Number.isFinite(x + y)) throw new Error('not placed yet');
[Math.round(x + a.width / 2), Math.round(y + a.height / 2)].join(' ')"
}
icon='Object.entries(Main.panel.statusArea).find(([k]) => k.startsWith("appindicator-"))?.[1]'
menu_item() {
  centre_of "($icon)?.menu._getMenuItems().find(i => i.label?.text === '$1')"
}
click_at() {
  pointer_move $1 $2 && pointer_press && pointer_release
}
press_escape() {
  pointer_key 1 down && pointer_key 1 up
}

gnome_start 1
shell_eval "Main.extensionManager.enableExtension('$APPINDICATOR')" >/dev/null
wait_for 10 shell_is "Main.extensionManager.lookup('$APPINDICATOR')?.state" 1 ||
  fail "the AppIndicator extension is not ACTIVE"
foot=$(start_foot tray-foot)
input_start # before Corvane, whose panel is sent Escape; the remote desktop's indicator joins the top bar
corvane_start
wait_for 10 centre_of "$icon" >/dev/null || fail "no icon of Corvane's in the top bar"
windows_are "" || fail "with a tray, Corvane shows a window at start: $(corvane_windows)"
echo "ok - the icon is in the top bar, and no window of Corvane's is shown"
activate "$foot"
read -r ax ay aw ah <<<"$(work_area 0)"
# The panel (280 x 500) hangs from the top bar at its right end, where the tray is.
panel="$((ax + aw - 280)) $ay 280 500 Corvane true true"

click_at $(centre_of "$icon") || fail "the icon could not be clicked"
wait_for 5 menu_item "Open Corvane" >/dev/null || fail "a click on the icon opened no menu with \"Open Corvane\""
click_at $(menu_item "Open Corvane")
wait_for 5 windows_are "$panel" || fail "\"Open Corvane\": Corvane's windows are: $(corvane_windows)"
echo "ok - the icon's menu opens the panel below the top bar at its right end, above the windows, with the keyboard"
press_escape
wait_for 5 windows_are "" || fail "Escape left: $(corvane_windows)"
wait_for 5 shell_is "String(global.display.focus_window?.get_id())" "$foot" || fail "the keyboard did not go back to foot"
echo "ok - Escape closes the panel and the keyboard goes back to the window"

read -r ix iy <<<"$(centre_of "$icon")"
pointer_move "$ix" "$iy" && pointer_press && pointer_release && pointer_press && pointer_release
wait_for 5 windows_are "$panel" || fail "a double click on the icon: Corvane's windows are: $(corvane_windows)"
echo "ok - a double click on the icon opens the panel"
press_escape
wait_for 5 windows_are "" || fail "Escape left: $(corvane_windows)"

shell_eval "Main.extensionManager.disableExtension('$APPINDICATOR')" >/dev/null
wait_for 10 eval '[[ "$(corvane_windows)" =~ ^[0-9-]+\ [0-9-]+\ [0-9]+\ [0-9]+\ Corvane\ false\ true$ ]]' ||
  fail "without a tray the panel is not a window of its own: $(corvane_windows)"
echo "ok - without the AppIndicator extension the panel is a window of its own, shown at once"
