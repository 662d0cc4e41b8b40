#!/usr/bin/env bash
# Corvane killed under a running GNOME Shell, by SIGTERM and by SIGKILL, while a window is being dragged
# with the zone preview up and its chords bound: GNOME is left as it was (no keybinding of ours, no
# preview, no pointer tracking, the keys' setting reset), and a Corvane started again takes up the
# desktop: its chord places a window.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

preview_shown() {
  shell_is "Main.layoutManager.uiGroup.get_children().some(a => a.name === 'corvane-preview' && a.visible && a.opacity > 0)" true
}
corvane_ended() {
  ! is_running "$CORVANE_PID"
}
no_preview_left() {
  shell_is "Main.layoutManager.uiGroup.get_children().some(a => a.name === 'corvane-preview')" false
}

# Corvane takes up the desktop: its chord puts the window in Split's first zone, where it was not.
expect_working() {
  ! is_in_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" || fail "$1: the window is in the zone already"
  activate "$foot"
  chord 2 && expect_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" "$1: Control+Alt+1 places the window"
}

# Drags the window by its title bar until the preview shows, and holds it there.
drag_until_preview() {
  local fx fy fw fh
  read -r fx fy fw fh <<<"$(window_frame "$foot")"
  pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
  pointer_move 300 300
  pointer_move 310 310
  wait_for 5 preview_shown || fail "$1: no preview while dragging"
}

gnome_start 1
foot=$(start_foot quit-foot)
read -r ax ay aw ah <<<"$(work_area 0)"
corvane_settings '<key>dragSnapEnabled</key><true/>'

for signal in TERM KILL; do
  corvane_start
  corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
  expect_working "Corvane started before SIG$signal"
  [[ $(key_setting) == *"'<Control><Alt>1'"* ]] || fail "the key's setting is $(key_setting)"
  drag_until_preview "before SIG$signal"
  [ "$(tracks_pointer)" = true ] || fail "the pointer is not tracked during the drag"
  kill -"$signal" "$CORVANE_PID"
  wait_for 5 corvane_ended || fail "Corvane did not end on SIG$signal"
  wait "$CORVANE_PID" 2>/dev/null
  wait_for 5 no_preview_left || fail "SIG$signal: the preview is left"
  wait_for 5 output_is 0 chord_action 2 || fail "SIG$signal: Control+Alt+1 is still bound"
  [ "$(tracks_pointer)" = false ] || fail "SIG$signal: the pointer is still tracked"
  [ "$(key_setting)" = "@as []" ] || fail "SIG$signal: the key's setting is left as $(key_setting)"
  pointer_release
  echo "ok - Corvane ended by SIG$signal mid-drag: no preview, no keybinding, no tracking, the setting reset"
done
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running again"
expect_working "Corvane started again"
echo "GNOME quitting: all passed"
