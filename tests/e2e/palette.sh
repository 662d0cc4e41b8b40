#!/usr/bin/env bash
# End to end on openbox: resting the pointer on a real xterm's maximize button, at the top right where
# openbox draws it, opens the palette below it, and resting anywhere else on the title bar (the old
# spot at the top left included) opens nothing. A click on a zone snaps the xterm there while it keeps
# the focus; leaving the palette alone closes it; a new layout in openbox's rc.xml is followed.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"
source "$(dirname "$0")/palette_desktop.sh"

start_palette_desktop
set -- $(outer_frame "$a")
expect_no_palette_on "resting on the old spot at the top left, the title or the close button opens nothing" \
  $(($1 + 56)) $(($2 + 10)) $(($1 + $3 / 2)) $(($2 + 10)) $(($1 + $3 - 11)) $(($2 + 10))
expect_palette_below "resting on openbox's maximize button opens the palette below it" $(openbox_maximize "$a")
pick_right_half
expect_frame "a click on the right half of Split snaps the xterm" "$a" 720 0 720 900
[ "$(xdotool getactivewindow)" = "$a" ] || fail "the xterm lost the focus to the palette"
echo "ok - the xterm keeps the focus"

# The button moved with the window; leaving the palette alone closes it after the grace time.
expect_palette_below "the palette opens on the button where the window now is" $(openbox_maximize "$a")
"$pointer" move 300 600 5 50
wait_for 2 no_palette || fail "the palette stayed open with the pointer away"
echo "ok - the palette closes when the pointer leaves"

# A new titleLayout in the rc.xml openbox uses, maximize now last: Corvane reads the file again.
sed -i 's|<titleLayout>NLIMC</titleLayout>|<titleLayout>NLICM</titleLayout>|' "$(openbox_config)"
openbox --reconfigure
# Resting before Corvane has read the file again would find the old button there: a rest is looked at
# once, as a hand that stays still is.
wait_for 5 grep -q "from the right edge: maximize,close,minimize" "$CORVANE_LOG" ||
  fail "Corvane did not read the new titleLayout"
set -- $(outer_frame "$a")
expect_palette_below "after openbox's titleLayout changes, the palette opens on maximize's new place" \
  $(($1 + $3 - 17)) $(($2 + 4)) 12 12
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette: all passed"
