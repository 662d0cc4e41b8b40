#!/usr/bin/env bash
# Corvane's extension from its installation to running, as one user's logins go, with Corvane itself
# telling the user what to do in its settings window and its panel (read as a screen reader reads them,
# over AT-SPI) and its "Turn it on" button pressed from the keyboard:
#   1. installed after the Shell started: "Log out and back in once to finish installing…"
#   2. the next login: the Shell knows it, but it is off: "Turn it on", pressed; the Shell runs it and
#      Corvane takes up the desktop (a chord places a window)
#   3. the next login: on from the start, Corvane works; turned off while Corvane runs, Corvane says so
#      and lets go of its chords; "Turn it on" again, and Corvane works again
#   4. a copy made for another version of GNOME Shell: Corvane names the Shell's version and says to update
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
NOTICE_LOG_IN="Log out and back in once to finish installing: Corvane's GNOME Shell extension starts with your next session."
NOTICE_OFF="Corvane's GNOME Shell extension is turned off. Until it runs, Corvane cannot move windows."
NOTICE_UNTESTED="Corvane's GNOME Shell extension was not made for this version of the desktop (%s). Update Corvane."

corvane_readable
# Presses the settings window's "Turn it on" as a keyboard user does.
press_turn_on() {
  press "Corvane Settings" "push button" "Turn it on"
}
# A chord puts the window in Split's first zone, where it was not.
expect_working() {
  local foot=$1 ax ay aw ah
  read -r ax ay aw ah <<<"$(work_area 0)"
  ! is_in_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" || fail "$2: the window is in the zone already"
  activate "$foot"
  # The Shell runs the extension before Corvane has handed it the chords again.
  wait_for 5 chord_bound || fail "$2: Control+Alt+1 is not bound"
  chord 2 && expect_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" "$2: Control+Alt+1 places the window"
}
chord_bound() {
  local action
  action=$(chord_action 2) && [ -n "$action" ] && [ "$action" != 0 ]
}
log_out() {
  gnome_stop
  wait_for 10 corvane_ended || fail "Corvane outlived the Shell"
}
corvane_ended() {
  ! is_running "$CORVANE_PID"
}
notice_gone() {
  local shown
  shown=$(shown_in "Corvane Settings") && ! grep -qxF $'label\t'"$NOTICE_OFF" <<<"$shown" &&
    ! grep -qxF $'push button\tTurn it on' <<<"$shown"
}

# 1. The package installed while the Shell runs: the Shell looks for extensions only when it starts.
package=$GNOME_TMP/package
mkdir -p "$package/share"
GNOME_LEAVE_DISABLED=1 gnome_start 1 "$package"
input_start # before Corvane, whose settings window is sent keys
install_extension "$package"
corvane_start
corvane_log_has "GNOME Shell extension: NeedsNewLogin" || fail "Corvane did not find its extension waiting for a login"
expect_shown Corvane $'label\t'"$NOTICE_LOG_IN" "installed after the Shell started, the panel"
open_settings
expect_shown "Corvane Settings" $'label\t'"$NOTICE_LOG_IN" "installed after the Shell started, the settings"
! shows "Corvane Settings" $'push button\tTurn it on' || fail "a Turn it on button is offered before the login"
[ "$(chord_action 2)" = 0 ] || fail "a chord is bound without the extension"
log_out

# 2. The next login: known to the Shell, not turned on.
GNOME_LEAVE_DISABLED=1 gnome_start 1 "$package"
input_start # before Corvane, whose settings window is sent keys
wait_for 10 output_is 6 extension_state || fail "the Shell did not find the extension: state $(extension_state)"
corvane_start
corvane_log_has "GNOME Shell extension: TurnedOff" || fail "Corvane did not find its extension off"
open_settings
expect_shown "Corvane Settings" $'label\t'"$NOTICE_OFF" "installed and off, the settings"
expect_shown "Corvane Settings" $'push button\tTurn it on' "installed and off, the settings"
foot=$(start_foot states-foot)
press_turn_on
wait_for 10 output_is 1 extension_state || fail "the Shell did not turn the extension on: state $(extension_state)"
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not see its extension run"
wait_for 10 notice_gone || fail "the notice stays while the extension runs: $(shown_in "Corvane Settings")"
echo "ok - Turn it on: the extension runs and the notice is gone"
expect_working "$foot" "turned on from Corvane's button"
log_out

# 3. The next login: on from the start, as turned on before.
GNOME_LEAVE_DISABLED=1 gnome_start 1 "$package"
input_start # before Corvane, whose settings window is sent keys
wait_for 10 output_is 1 extension_state || fail "the extension did not stay on for the next login: state $(extension_state)"
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
foot=$(start_foot states-foot)
expect_working "$foot" "installed before the Shell started"
timeout 5 gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
  --method org.gnome.Shell.Extensions.DisableExtension "$GNOME_UUID" >/dev/null || fail "the Shell did not disable it"
corvane_log_has "GNOME Shell extension: TurnedOff" || fail "Corvane did not see its extension turned off"
wait_for 5 output_is 0 chord_action 2 || fail "Control+Alt+1 is still bound with the extension off"
open_settings
expect_shown "Corvane Settings" $'label\t'"$NOTICE_OFF" "turned off while Corvane runs, the settings"
expect_shown Corvane $'label\t'"$NOTICE_OFF" "turned off while Corvane runs, the panel"
shell_eval "global.display.list_all_windows().find(w => String(w.get_id()) === '$foot').move_frame(true, 400, 300)" >/dev/null
press_turn_on
wait_for 10 output_is 1 extension_state || fail "the Shell did not turn the extension on again: state $(extension_state)"
expect_working "$foot" "turned on again from Corvane's button"
log_out

# 4. The installed copy made for another Shell: the Shell runs it only with version checks turned off.
metadata=$package/share/gnome-shell/extensions/$GNOME_UUID/metadata.json
python3 -c '
import json, sys
m = json.load(open(sys.argv[1]))
m["shell-version"] = ["40"]
json.dump(m, open(sys.argv[1], "w"))' "$metadata"
GNOME_LEAVE_DISABLED=1 gnome_start 1 "$package"
input_start # before Corvane, whose settings window is sent keys
wait_for 10 output_is 4 extension_state || fail "the Shell did not find the copy out of date: state $(extension_state)"
version=$(gnome-shell --version | awk '{print $3}')
corvane_start
corvane_log_has "GNOME Shell extension: Untested: $version" || fail "Corvane did not find its extension made for another Shell"
open_settings
expect_shown "Corvane Settings" $'label\t'"$(printf "$NOTICE_UNTESTED" "$version")" "made for another Shell, the settings"
echo "GNOME extension states: all passed"
