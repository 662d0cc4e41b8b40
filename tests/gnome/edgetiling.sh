#!/usr/bin/env bash
# GNOME's own edge tiling as Corvane reads, writes and follows it (MutterEdgeTiling), on a real GNOME
# Shell with the session's own settings store: a write reaches dconf and mutter, a change made with
# gsettings reaches Corvane, and without mutter's schema there is nothing to offer. With GNOME's edge
# tiling on, a window dropped at a screen edge where Corvane shows a zone fills Corvane's zone. In the
# settings window (read as a screen reader reads it, pressed from the keyboard), the drag-to-snap card
# offers to turn GNOME's edge tiling off, and back on once drag to snap is off.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 PROBE=$3 CORVANE=$4
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

probe_start() {
  mkfifo "$GNOME_TMP/probe.in" "$GNOME_TMP/probe.out"
  "$PROBE" <"$GNOME_TMP/probe.in" >"$GNOME_TMP/probe.out" 2>"$GNOME_TMP/probe.log" &
  gnome_track $!
  exec {PROBE_IN}>"$GNOME_TMP/probe.in" {PROBE_OUT}<"$GNOME_TMP/probe.out"
  local answer
  read -r -t 5 answer <&"$PROBE_OUT" && [ "$answer" = ready ] || fail "the probe did not start: $answer"
}
probe() {
  local answer
  (printf '%s\n' "$1" >&"$PROBE_IN") 2>/dev/null && read -r -t 5 answer <&"$PROBE_OUT" ||
    fail "the probe did not answer $1: $(cat "$GNOME_TMP/probe.log")"
  echo "$answer"
}
# The setting as a new gsettings reads it from dconf, and as mutter inside the Shell has it.
stored() { gsettings get org.gnome.mutter edge-tiling; }
mutter_has() { shell_eval 'imports.gi.Meta.prefs_get_edge_tiling()'; }

gnome_start 1
[ "$(stored)" = true ] || fail "GNOME's edge tiling is not on by default but $(stored)"
probe_start
[ "$(probe get)" = "on 0" ] || fail "Corvane reads GNOME's edge tiling as $(probe get)"
echo "ok - Corvane reads GNOME's edge tiling as on, its default"

[ "$(probe 'set off')" = ok ] || fail "set off was refused"
wait_for 5 output_is false stored || fail "the write did not reach dconf: gsettings reads $(stored)"
wait_for 5 output_is false mutter_has || fail "mutter still tiles at the edges: $(mutter_has)"
[ "$(probe get)" = "off 1" ] || fail "Corvane follows its own write as $(probe get)"
echo "ok - Corvane turns it off: dconf and mutter have it, Corvane was told once"

gsettings set org.gnome.mutter edge-tiling true
wait_for 5 output_is true stored || fail "gsettings could not turn it back on"
wait_for 5 output_is "on 2" probe get || fail "Corvane did not see gsettings turn it on: $(probe get)"
wait_for 5 output_is true mutter_has || fail "mutter did not take it back: $(mutter_has)"
echo "ok - a change made with gsettings reaches Corvane"

# Where mutter's schema is not installed, as on a desktop without GNOME's.
mkdir -p "$GNOME_TMP/no-schemas"
answer=$(XDG_DATA_DIRS=$GNOME_TMP/no-schemas timeout 5 "$PROBE" </dev/null)
[ "$answer" = none ] || fail "without mutter's schema the probe answered $answer"
echo "ok - without mutter's schema there is nothing to offer"

# Corvane's drop wins over GNOME's tiling at the left edge (half the screen) and the top (maximized).
read -r ax ay aw ah <<<"$(work_area 0)"
foot=$(start_foot edges-foot)
# Without the row of layouts GNOME has at the top by default, the top edge offers the zones as the others do.
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapTopPalette</key><false/>'
input_start # before Corvane, whose settings window is sent keys
corvane_readable
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
activate "$foot"
offer_gone() {
  local shown
  shown=$(shown_in "Corvane Settings") && ! grep -q "GNOME's edge tiling" <<<"$shown"
}
drop_at() {
  local fx fy fw fh
  read -r fx fy fw fh <<<"$(window_frame "$foot")"
  pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
  pointer_move $(($1 + 10)) $(($2 + 10))
  pointer_move "$1" "$2"
  # GNOME would tile here: it shows its own preview too.
  wait_for 5 shell_is 'Main.wm._tilePreview?._showing ?? false' true || fail "GNOME shows no tile preview at $1,$2"
  pointer_release
}
drop_at 0 $((ay + ah / 4))
expect_frame "$foot" "$ax" "$ay" $((aw / 2)) $((ah / 2)) "dropped at the left edge: Corvane's top-left quarter, not GNOME's half"
[ "$(window_maximized "$foot")" = 0 ] ||
  fail "GNOME left the window tiled under Corvane's frame"
drop_at $((ax + aw * 3 / 4)) "$ay"
expect_frame "$foot" $((ax + aw / 2)) "$ay" $((aw - aw / 2)) $((ah / 2)) "dropped at the top edge: Corvane's top-right quarter, not maximized"
[ "$(window_maximized "$foot")" = 0 ] ||
  fail "GNOME left the window maximized under Corvane's frame"

# The offer, and nothing changed until it is pressed.
note="GNOME also tiles or maximizes a window dropped at a screen edge. Where Corvane shows a zone, Corvane's drop wins."
open_settings
expect_shown "Corvane Settings" $'label\t'"$note" "drag to snap and GNOME's edge tiling on"
expect_shown "Corvane Settings" $'push button\tTurn off GNOME\'s edge tiling' "drag to snap and GNOME's edge tiling on"
[ "$(stored)" = true ] || fail "GNOME's edge tiling changed before the offer was pressed"
press "Corvane Settings" "push button" "Turn off GNOME's edge tiling"
wait_for 5 output_is false stored || fail "the offer pressed: gsettings reads $(stored)"
wait_for 5 output_is false mutter_has || fail "the offer pressed: mutter still tiles at the edges"
wait_for 10 offer_gone || fail "the offer stays once GNOME's edge tiling is off: $(shown_in "Corvane Settings")"
echo "ok - the offer pressed turns GNOME's edge tiling off, and goes"
press "Corvane Settings" "check box" "Preview a snap while dragging a window"
expect_shown "Corvane Settings" $'label\t'"GNOME's edge tiling is off: a window dropped at a screen edge stays where it is." \
  "drag to snap turned off"
[ "$(stored)" = false ] || fail "turning drag to snap off gave GNOME's edge tiling back unasked"
press "Corvane Settings" "push button" "Turn it back on"
wait_for 5 output_is true stored || fail "Turn it back on pressed: gsettings reads $(stored)"
wait_for 5 output_is true mutter_has || fail "Turn it back on pressed: mutter does not tile"
echo "ok - with drag to snap off, the offer gives GNOME's edge tiling back"
echo "GNOME edge tiling: all passed"
