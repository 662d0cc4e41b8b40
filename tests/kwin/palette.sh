#!/usr/bin/env bash
# Quick Snap on a real KWin: resting the pointer on the maximize button KWin draws (where kwinrc's
# layout puts it) opens the palette, a layer-shell surface of Corvane's, just below the button, without
# taking the keyboard from the window; a pick fills the zone and closes the palette; resting on the
# title bar beside the button opens nothing.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

palette_shown() { [ -n "$(overlays)" ]; }
no_palette() { [ -z "$(overlays)" ]; }
active_is() {
  [ "$(kwin_eval 'say(workspace.activeWindow ? workspace.activeWindow.internalId : "none")')" = "$1" ]
}

kwin_start 1
corvane_settings '<key>zoomPaletteEnabled</key><true/>'
foot=$(start_foot palette-foot)
corvane_start
active_window "$foot"

# KWin's stock layout puts maximize second from the right: Breeze's 24-pixel buttons 6 apart, the
# outermost 6 in from the client area's side, 6 below the frame's top, and the title bar ending 6 below
# them, where the client area starts. At a fractional scale the client area's edges fall between
# logical pixels: they are taken to the nearest, as a surface is placed.
client=($(kwin_eval 'for (const w of workspace.windowList()) if (w.internalId.toString() === "'"$foot"'") {
  const g = w.clientGeometry; say(Math.round(g.x + g.width), Math.round(g.y)); }'))
frame=($(window_frame "$foot"))
button_x=$((client[0] - 6 - 24 - 6 - 24)) button_y=$((frame[1] + 6)) title_bar_end=${client[1]}

pointer_move $((button_x - 40)) $((button_y + 12))
corvane_settle
no_palette || fail "resting on the title bar beside the button opened the palette: '$(overlays)'"
echo "ok - resting beside the button opens nothing"

pointer_move $((button_x + 12)) $((button_y + 12))
wait_for 3 palette_shown || fail "resting on the maximize button opened no palette"
palette=($(overlays))
# 8 left of the button unless that would cross the screen's right edge less 8.
[ "${palette[1]}" = "$title_bar_end" ] &&
  { [ "${palette[0]}" = $((button_x - 8)) ] || [ $((palette[0] + palette[2])) = $((1280 - 8)) ]; } ||
  fail "the palette is at ${palette[*]}, expected 6 below the button at $button_x,$button_y (at $title_bar_end), 8 left of it"
echo "ok - the palette opens just below the button: ${palette[*]}"
active_is "$foot" || fail "the palette took the keyboard from the window"
echo "ok - the window keeps the keyboard"

# The first thumbnail of the last row, "Split": its right half.
pointer_move $((palette[0] + 12 + 60)) $((palette[1] + palette[3] - 12 - 55 - 10 - 27))
corvane_settle
palette_shown || fail "the palette closed while the pointer moved into it"
pointer_press
pointer_release
expect_in_zone "$foot" 640 0 640 800 "the pick of Split's right half"
wait_for 3 no_palette || fail "the palette stayed open after the pick"
active_is "$foot" || fail "the pick took the keyboard from the window"
echo "ok - the pick closes the palette and the window keeps the keyboard"
corvane_stop >/dev/null
