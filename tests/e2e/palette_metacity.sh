#!/usr/bin/env bash
# End to end on metacity: Debian's stock button layout ("appmenu:close") has no maximize button, and
# no palette opens anywhere on the title bar; once its GSettings key gains maximize, metacity draws
# the button and the palette opens below it, without restarting anything, and a pick snaps the xterm.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/palette_desktop.sh"

E2E_WM=metacity start_palette_desktop
set -- $(outer_frame "$a")
x=$1 y=$2 w=$3
# Where the buttons would be, the title, and the close button; the fallback's spot among them.
expect_no_palette_on "metacity's stock layout draws no maximize: nothing opens on its title bar" \
  $((x + 56)) $((y + 18)) $((x + w / 2)) $((y + 18)) $((x + w - 52)) $((y + 18)) $((x + w - 18)) $((y + 18))

gsettings set org.gnome.desktop.wm.preferences button-layout 'appmenu:minimize,maximize,close'
# Corvane has read the new layout before the pointer goes there: a corner list read just before would
# stand for a second, while the pointer arrives and rests.
wait_for 5 grep -q "from the right edge: close,maximize,minimize" "$CORVANE_LOG" ||
  fail "Corvane did not read metacity's new button layout"
# The GTK theme's round buttons: 28 x 28, 6 apart, 4 pixels from the frame's right edge and its top.
expect_palette_below "with maximize in its GSettings key, resting on the button opens the palette below it" \
  $((x + w - 66)) $((y + 4)) 28 28
pick_right_half
expect_frame "a pick under metacity snaps the xterm" "$a" 720 0 720 900
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette on metacity: all passed"
