#!/usr/bin/env bash
# Corvane on a GNOME Shell with two monitors side by side, the top bar on the first only: a chord places
# the window in a zone of the second monitor's work area, `corvane screen next` takes it to the same
# zone of the first and back, and a drag by the title bar on the second monitor shows the preview on
# the zone there and drops the window into it. Every frame is read back from the Shell.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

gnome_start 2
read -r mx my mw mh <<<"$(monitor_geometry 1)"
[ "$mx $my" = "1280 0" ] || fail "the second monitor is at $mx,$my, not to the right of the first"
read -r ax ay aw ah <<<"$(work_area 0)"
read -r bx by bw bh <<<"$(work_area 1)"
[ "$ay" -gt 0 ] && [ "$bx $by $bw $bh" = "$mx $my $mw $mh" ] ||
  fail "expected the top bar on the first monitor only: work areas $ax $ay $aw $ah and $bx $by $bw $bh"

# Sizing to any size: moved from one monitor to another, the window keeps its place exactly.
foot=$(start_foot monitors-foot --override resize-by-cells=no)
corvane_settings '<key>dragSnapEnabled</key><true/>'
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
# The user put the window on the second monitor, then sized it there. On monitors of two scales the
# client draws itself anew at the second one's and mutter sizes it to match: sized before that, the window
# would not keep the size given.
shell_eval "const w = global.display.list_all_windows().find(w => String(w.get_id()) === '$foot');
const rescaled = global.display.get_monitor_scale(0) !== global.display.get_monitor_scale(1);
const sized = () => w.move_resize_frame(true, $((bx + 300)), $((by + 200)), 560, 360);
w.move_frame(true, $((bx + 300)), $((by + 200)));
if (rescaled) {
  const id = w.connect('size-changed', () => { w.disconnect(id); sized(); });
} else {
  sized();
}" >/dev/null
expect_frame "$foot" $((bx + 300)) $((by + 200)) 560 360 "the user put the window on the second monitor"
activate "$foot"

chord 2 && expect_frame "$foot" "$bx" "$by" $((bw / 2)) "$bh" "Control+Alt+1 on the second monitor: Split's first zone of its work area"
out=$(corvane_do screen next) || fail "corvane screen next failed: $out"
expect_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" "corvane screen next: the same zone on the first monitor, below its top bar"
out=$(corvane_do screen next) || fail "corvane screen next failed: $out"
expect_frame "$foot" "$bx" "$by" $((bw / 2)) "$bh" "corvane screen next again: back on the second monitor"
out=$(corvane_do screen previous) || fail "corvane screen previous failed: $out"
expect_frame "$foot" "$ax" "$ay" $((aw / 2)) "$ah" "corvane screen previous: the first monitor again"
out=$(corvane_do screen previous) || fail "corvane screen previous failed: $out"
expect_frame "$foot" "$bx" "$by" $((bw / 2)) "$bh" "corvane screen previous again: the second monitor"

# A drag by the title bar (foot draws its own: the top rows of its frame) to the second monitor's
# top-right quarter.
# Onto the second monitor below the top bar: the Shell stops the pointer at the top bar's end.
pointer_move $((bx + 100)) $((by + 400))
read -r fx fy fw fh <<<"$(window_frame "$foot")"
pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
pointer_move $((bx + bw - 200)) $((by + 200))
pointer_move $((bx + bw - 210)) $((by + 210))
quarter_x=$((bx + bw / 2)) quarter_w=$((bw - bw / 2)) quarter_h=$((bh / 2))
wait_for 5 preview_near "$((quarter_x + 4)) $((by + 4)) $((quarter_w - 8)) $((quarter_h - 8))" ||
  fail "no preview on the second monitor's top-right quarter: '$(preview)'"
echo "ok - dragging on the second monitor shows the preview on its top-right quarter"
pointer_release
expect_frame "$foot" "$quarter_x" "$by" "$quarter_w" "$quarter_h" "the drop fills the second monitor's top-right quarter"
wait_for 5 preview_hidden || fail "the preview stayed after the drop: $(preview)"
echo "GNOME two monitors: all passed"
