#!/usr/bin/env bash
# Corvane's command line on a real GNOME Shell, each command acting on the window the user last worked
# in: zones, layouts, cycling, the next monitor, a size, and the way back, also after Corvane restarted;
# zones end below the top bar; Corvane's own windows and windows of another workspace stay put; two
# windows trade zones, the focus staying.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
source "$(dirname "$0")/../support/commands.sh"

gnome_start 2
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
# The window the user worked in, sent to another workspace, is left there as it is: with no other
# window of the user's here, there is nothing to act on.
other=$(start_foot other-workspace-foot)
activate "$other"
shell_eval "global.display.list_all_windows().find(w => String(w.get_id()) === '$other').change_workspace_by_index(1, false)" \
  >/dev/null
wait_for 5 shell_is "global.display.list_all_windows().find(w => String(w.get_id()) === '$other').get_workspace().index()" 1 ||
  fail "foot did not go to the second workspace"
other_frame=$(window_frame "$other")
command_refused 'There is no window to act on: Corvane acts on the window you last worked in, and found none.' \
  zone Split 1
[ "$(window_frame "$other")" = "$other_frame" ] || fail "a command moved a window of another workspace"
echo "ok - the window on the other workspace stayed at $other_frame"

foot=$(start_foot commands-foot)
before=$(window_frame "$foot")
activate "$foot"
read -r ax ay aw ah <<<"$(work_area 0)"
read -r bx by bw bh <<<"$(work_area 1)"
[ "$ay" -gt 0 ] && [ "$by" = 0 ] || fail "the top bar is not on the first monitor alone: $ax $ay $aw $ah, $bx $by $bw $bh"

command_ok zone Quadrant 4 && expect_frame "$foot" $((aw / 2)) $((ay + ah / 2)) $((aw / 2)) $((ah / 2)) "zone Quadrant 4"
command_ok apply Thirds && expect_frame "$foot" 0 "$ay" 427 "$ah" "apply Thirds: its first zone, below the top bar"
command_ok cycle next && expect_frame "$foot" 427 "$ay" 427 "$ah" "cycle next: Thirds' second zone"
command_ok cycle previous && expect_frame "$foot" 0 "$ay" 427 "$ah" "cycle previous: back to the first"
command_ok cycle previous && expect_frame "$foot" 853 "$ay" 427 "$ah" "cycle previous from the first: the last"
command_ok zone Quadrant 2 && expect_frame "$foot" $((aw / 2)) "$ay" $((aw / 2)) $((ah / 2)) "zone Quadrant 2"
command_ok screen next &&
  expect_frame "$foot" $((bx + bw / 2)) "$by" $((bw / 2)) $((bh / 2)) "screen next: the same zone on the second monitor"
# The window keeps its place and size relative to the work area: foot, a cell short of its zone on the
# taller second monitor, comes back at that share of the first one's.
read -r fx fy fw fh <<<"$(window_frame "$foot")"
command_ok screen next &&
  expect_frame "$foot" $((ax + (fx - bx) * aw / bw)) $((ay + (fy - by) * ah / bh)) $((fw * aw / bw)) $((fh * ah / bh)) \
    "screen next from the last monitor: the same share of the first"
command_ok resize 600 400 &&
  expect_frame "$foot" $(((aw - 600) / 2)) $((ay + (ah - 400) / 2)) 600 400 "resize 600 400: centred in the work area"

command_refused 'No layout or preset is named "Nope".' zone Nope 1
command_refused 'No layout or preset is named "Nope".' apply Nope
command_refused '"Quadrant" has zones 1 to 4; there is no zone 5.' zone Quadrant 5
layouts=$(corvane_do layouts) || fail "corvane layouts failed: $layouts"
expected_layouts=$(printf '2\tSplit\n4\tQuadrant\n3\tThirds\n2\tRows\n2\tRight Bias\n2\tBias\n6\tSix Pack\n3\tFocus')
[ "$layouts" = "$expected_layouts" ] || fail "corvane layouts listed: $layouts"
echo "ok - corvane layouts lists the eight built-in layouts with their zone counts"

# The frame from before the first placement, kept across a restart of Corvane.
corvane_stop || fail "Corvane quit with status $?"
corvane_start
activate "$foot"
command_ok restore
wait_for 5 output_is "$before" window_frame "$foot" ||
  fail "restore after a restart put foot at $(window_frame "$foot"), expected $before"
echo "ok - restore after a restart: back to $before, from before the first placement"
command_refused 'The window has no earlier frame to go back to: Corvane has not placed it.' restore

# Corvane's own window, active, is never the one a command moves: the user's window is.
corvane_window() {
  shell_eval "global.display.list_all_windows().filter(w => w.get_wm_class() === 'corvane' && w.get_title() !== 'Corvane').map(w => String(w.get_id()))[0] ?? ''" |
    grep .
}
corvane_do settings >/dev/null || fail "corvane settings failed"
wait_for 10 corvane_window >/dev/null || fail "the settings window did not open"
settings=$(corvane_window)
activate "$settings"
settings_frame=$(window_frame "$settings")
command_ok zone Split 2 &&
  expect_frame "$foot" $((aw / 2)) "$ay" $((aw / 2)) "$ah" "with Corvane's window active: the user's window moved"
[ "$(window_frame "$settings")" = "$settings_frame" ] || fail "a command moved Corvane's own window"
echo "ok - Corvane's own window stayed at $settings_frame"

# Two windows in the halves trade them; the one worked in keeps the focus.
second=$(start_foot swap-foot)
activate "$second"
command_ok zone Split 1 && expect_frame "$second" 0 "$ay" $((aw / 2)) "$ah" "a second foot in the left half"
activate "$foot"
command_ok swap left && expect_frame "$foot" 0 "$ay" $((aw / 2)) "$ah" "swap left: foot in the left half"
expect_frame "$second" $((aw / 2)) "$ay" $((aw / 2)) "$ah" "swap left: the second foot in the right half"
shell_is "String(global.display.focus_window?.get_id())" "$foot" || fail "the swap took the focus from foot"
command_refused 'No window Corvane placed in a zone lies that way to swap with.' swap left
# The swap's chord, typed: the extension binds it.
chord 106 125 && expect_frame "$foot" $((aw / 2)) "$ay" $((aw / 2)) "$ah" "Control+Alt+Super+Right: foot in the right half"
expect_frame "$second" 0 "$ay" $((aw / 2)) "$ah" "and the second foot in the left half"

echo "GNOME commands: all passed"
