#!/usr/bin/env bash
# End to end on Plasma 5's window manager on X11, KWin with its stock decoration, Breeze, and button
# layout (close, maximize, minimize at the right, read from kwinrc or KWin's defaults): resting on a real
# xterm's maximize button opens the palette below it, the title and the close button open nothing, and a
# pick snaps the xterm; a layout written to kwinrc, as Plasma's settings write it before they have KWin
# reconfigure itself, is followed at once.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/palette_desktop.sh"

# The left edge of the window's Nth button from the right. Breeze's buttons: 24 x 24, 10 apart, 8
# pixels from the frame's right edge and its top.
button_x() {
  local n=$2
  set -- $(outer_frame "$1") && echo $(($1 + $3 - 8 - 34 * n + 10))
}

E2E_WM=kwin_x11 start_palette_desktop
set -- $(outer_frame "$a")
expect_no_palette_on "resting on Breeze's title or close button opens nothing" \
  $(($1 + $3 / 2)) $(($2 + 20)) $(($1 + $3 - 20)) $(($2 + 20))
expect_palette_below "resting on Breeze's maximize button opens the palette below it" \
  "$(button_x "$a" 2)" $(($2 + 8)) 24 24
pick_right_half
expect_frame "a pick under KWin snaps the xterm" "$a" 720 0 720 900

# Maximize now last, in KWin's own file: both KWin and Corvane follow it.
mkdir -p "$XDG_CONFIG_HOME"
printf '[org.kde.kdecoration2]\nButtonsOnRight=IXA\n' >>"$XDG_CONFIG_HOME/kwinrc"
dbus-send --session --print-reply --dest=org.kde.KWin /KWin org.kde.KWin.reconfigure >/dev/null ||
  fail "KWin did not reconfigure itself"
corvane_settle
set -- $(outer_frame "$a")
expect_palette_below "after kwinrc's button layout changes, the palette opens on maximize's new place" \
  "$(button_x "$a" 1)" $(($2 + 8)) 24 24
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette on KWin (X11): all passed"
