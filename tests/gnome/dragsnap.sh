#!/usr/bin/env bash
# Drag to snap on a real GNOME Shell: a window dragged by its title bar shows the zone preview the
# extension draws where the pointer is, the drop fills that zone of the work area (the top bar left
# out), and with Control held the drop spans the zones crossed.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

gnome_start 1
foot=$(start_foot drag-foot)
corvane_settings '<key>dragSnapEnabled</key><true/>'
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
activate "$foot"
read -r ax ay aw ah <<<"$(work_area 0)"
half_w=$((aw / 2)) half_h=$((ah / 2))

# foot draws its own title bar: the top rows of its frame.
read -r fx fy fw fh <<<"$(window_frame "$foot")"
pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
pointer_move 200 200
pointer_move 210 210
wait_for 5 preview_near "$((ax + 4)) $((ay + 4)) $((half_w - 8)) $((half_h - 8))" ||
  fail "no preview on the top-left quarter: '$(preview)'"
echo "ok - the preview the extension draws lies on the zone under the pointer"
pointer_release
expect_frame "$foot" "$ax" "$ay" "$half_w" "$half_h" "the drop fills the top-left quarter"
wait_for 5 preview_hidden || fail "the preview stayed after the drop: $(preview)"

# With Control held from the top-left quarter across to the top-right one.
read -r fx fy fw fh <<<"$(window_frame "$foot")"
pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 + 40)) $((fy + 60))
pointer_move 200 200
pointer_key 29 down
pointer_move 210 210
pointer_move $((ax + aw - 200)) 200
pointer_move $((ax + aw - 210)) 210
wait_for 5 preview_near "$((ax + 4)) $((ay + 4)) $((aw - 8)) $((half_h - 8))" ||
  fail "no spanning preview over the top half: '$(preview)'"
pointer_release
pointer_key 29 up
expect_frame "$foot" "$ax" "$ay" "$aw" "$half_h" "the drop with Control held fills the top half"
echo "GNOME drag to snap: all passed"
