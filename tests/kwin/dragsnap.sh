#!/usr/bin/env bash
# Drag to snap on a real KWin: while the user moves a window by its title bar, Corvane's preview, a
# layer-shell surface of its own, covers the zone under the pointer on whichever output that is, and
# the drop fills the zone, also at a screen edge where KWin tiles the window itself; the dragged
# window keeps the keyboard throughout. With KWIN_SCALES the outputs have those scales, and a drag
# from one to the other snaps on the one under the pointer.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

preview_is() { [ "$(overlays)" = "$1" ]; }
# Whether KWin holds the window in none of its tiles.
untiled() {
  [ "$(kwin_eval 'for (const w of workspace.windowList())
    if (w.internalId.toString() === "'"$1"'") say(w.tile ? "tiled" : "free")')" = free ]
}

kwin_start 2
start_panel 0 40
corvane_settings '<key>dragSnapEnabled</key><true/>'
foot=$(start_foot dragsnap-foot)
corvane_start
active_window "$foot"

# The default layout's four quarters, of the work area above the panel on the first output.
drag_to "$foot" 200 600
wait_for 5 preview_is "0 380 640 380" ||
  fail "while dragging over the bottom-left quarter the preview is at '$(overlays)', expected on the zone"
echo "ok - the preview covers the zone under the pointer, above the panel"
pointer_move 1000 200
wait_for 5 preview_is "640 0 640 380" || fail "the preview did not follow the pointer: '$(overlays)'"
echo "ok - the preview follows the pointer to the top-right quarter"
[ "$(kwin_eval 'say(workspace.activeWindow ? workspace.activeWindow.internalId : "none")')" = "$foot" ] ||
  fail "the preview took the keyboard from the dragged window"
echo "ok - the dragged window keeps the keyboard"
pointer_release
expect_in_zone "$foot" 640 0 640 380 "the drop in the top-right quarter"
wait_for 5 preview_is "" || fail "the preview stays after the drop: '$(overlays)'"
echo "ok - the preview goes with the drop"

# On the second output, where the surface must be made anew: its bottom-left quarter, however large
# the output is at its scale.
read -r x y width height <<<"$(output_geometry 1)"
quarter="$x $((y + height / 2)) $((width / 2)) $((height / 2))"
drag_to "$foot" $((x + 220)) $((y + height * 7 / 8))
wait_for 5 preview_is "$quarter" || fail "on the second output the preview is at '$(overlays)', expected at $quarter"
pointer_release
expect_in_zone "$foot" $quarter "the drop on the second output"

# At the first output's left edge KWin tiles the window too: Corvane's zone wins, and KWin lets go of
# the window, so it does not go back to KWin's tile later.
drag_to "$foot" 0 100
wait_for 5 preview_is "0 0 640 380" || fail "at the left edge the preview is at '$(overlays)'"
pointer_release
expect_in_zone "$foot" 0 0 640 380 "the drop at the screen edge, where KWin tiles too"
corvane_settle
wait_for 5 untiled "$foot" || fail "KWin still holds the window in its tile"
expect_in_zone "$foot" 0 0 640 380 "the zone, still, once KWin is done"
echo "ok - KWin's tile let go of the window"
corvane_stop >/dev/null
