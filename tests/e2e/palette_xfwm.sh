#!/usr/bin/env bash
# End to end on xfwm4 in its stock configuration (button layout "O|SHMC", read from xfconf): resting on
# a real xterm's maximize button opens the palette below it, the title and the close button open
# nothing, and a pick snaps the xterm; a layout changed in xfconf is followed at once.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/palette_desktop.sh"

E2E_WM=xfwm4 start_palette_desktop
# The Default theme: 21 x 21 buttons 2 apart, 5 pixels from the frame's right edge and its top.
set -- $(outer_frame "$a")
expect_no_palette_on "resting on xfwm4's title or close button opens nothing" \
  $(($1 + $3 / 2)) $(($2 + 15)) $(($1 + $3 - 15)) $(($2 + 15))
expect_palette_below "resting on xfwm4's maximize button opens the palette below it" \
  $(($1 + $3 - 49)) $(($2 + 5)) 21 21
pick_right_half
expect_frame "a pick under xfwm4 snaps the xterm" "$a" 720 0 720 900

# A new layout in xfconf, maximize now last: Corvane follows it at once.
xfconf-query -c xfwm4 -p /general/button_layout -s 'O|HCM'
set -- $(outer_frame "$a")
expect_palette_below "after xfconf's button layout changes, the palette opens on maximize's new place" \
  $(($1 + $3 - 26)) $(($2 + 5)) 21 21
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette on xfwm4: all passed"
