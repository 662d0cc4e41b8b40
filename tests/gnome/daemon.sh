#!/usr/bin/env bash
# Corvane itself on a real GNOME Shell with its extension: the chords typed on the keyboard place the
# focused window in the zones of the monitor's work area (the top bar left out), the commands do as on
# any desktop, and a Corvane that quits leaves GNOME as it was: no keybinding of ours, no preview.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

gnome_start 2
foot=$(start_foot daemon-foot)
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
activate "$foot"
read -r ax ay aw ah <<<"$(work_area 0)"
[ "$ay" -gt 0 ] || fail "no top bar: the work area is $ax $ay $aw $ah"

chord 2 && expect_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" "Control+Alt+1: Split's first zone, below the top bar"
chord 3 && expect_frame "$foot" "$ax" "$ay" $((aw / 2)) $((ah / 2)) "Control+Alt+2: Quadrant's first zone"

out=$(corvane_do zone "Six Pack" 3) || fail "corvane zone 'Six Pack' 3 failed: $out"
expect_frame "$foot" $((ax + aw * 2 / 3)) "$ay" $((aw - aw * 2 / 3)) $((ah / 2)) "corvane zone 'Six Pack' 3"
out=$(corvane_do zone Nope 1)
[ $? = 1 ] && [ "$out" = 'corvane: No layout or preset is named "Nope".' ] || fail "corvane zone Nope 1: $out"
echo "ok - a command that cannot be done fails with its reason"
out=$(corvane_do screen next) || fail "corvane screen next failed: $out"
read -r bx by bw bh <<<"$(work_area 1)"
expect_frame "$foot" $((bx + bw * 2 / 3)) "$by" $((bw - bw * 2 / 3)) $((bh / 2)) "corvane screen next: the same place on monitor 2, which has no top bar"

# Quitting leaves no keybinding and no preview of ours behind.
[ "$(chord_action 2)" != 0 ] || fail "Control+Alt+1 is not bound while Corvane runs"
corvane_stop || fail "Corvane did not quit cleanly"
wait_for 5 output_is 0 chord_action 2 || fail "Control+Alt+1 is still bound after Corvane quit"
echo "ok - Corvane quitting unbinds its chords"
echo "GNOME daemon: all passed"
