#!/usr/bin/env bash
# End to end: resting the pointer on the zoom-button spot of a real xterm's title bar opens the
# palette; a click on a zone snaps the xterm there while it keeps the focus.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
a=$(start_xterm alpha 80x24+300+300)
mkdir -p "$E2E_TMP/config/corvane"
cat >"$E2E_TMP/config/corvane/app.corvane.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>zoomPaletteEnabled</key><true/></dict></plist>
PLIST
start_corvane "$corvane"
xdotool windowactivate --sync "$a"
set -- $(outer_frame "$a")
# The zoom button's spot: 16 x 16 at x = 48, y = 2 of the frame.
"$pointer" move $(($1 + 56)) $(($2 + 10)) 10 100

palette_window() { xdotool search --onlyvisible --name '^Corvane Palette$'; }
wait_for 3 palette_window || fail "the palette did not open on the zoom button"
echo "ok - resting on the zoom button opens the palette"
p=$(palette_window | head -1)
eval "$(xdotool getwindowgeometry --shell "$p")"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"

# Into the palette and onto the right half of its first thumbnail ("Split"): the bottom row of
# thumbnails ends 12 above the panel's bottom, each row 55 tall and 10 apart.
zone_x=$((X + 12 + 60)) zone_y=$((Y + HEIGHT - 12 - 55 - 10 - 27))
"$pointer" move "$zone_x" "$zone_y" 10 150
sleep 0.4
palette_window >/dev/null || fail "the palette closed while the pointer moved into it"
echo "ok - the palette stays open while the pointer moves into it"
"$pointer" down 1 up 1
expect_frame "a click on the right half of Split snaps the xterm" "$a" 720 0 720 900
wait_for 2 sh -c '! xdotool search --onlyvisible --name "^Corvane Palette\$"' || fail "the palette stayed open after the pick"
[ "$(xdotool getactivewindow)" = "$a" ] || fail "the xterm lost the focus to the palette"
echo "ok - the xterm keeps the focus"

# Leaving the palette alone closes it after the grace time.
set -- $(outer_frame "$a")
"$pointer" move $(($1 + 56)) $(($2 + 10)) 10 100
wait_for 3 palette_window || fail "the palette did not open a second time"
"$pointer" move 300 600 5 50
wait_for 2 sh -c '! xdotool search --onlyvisible --name "^Corvane Palette\$"' || fail "the palette stayed open with the pointer away"
echo "ok - the palette closes when the pointer leaves"
kill -0 "$E2E_CORVANE_PID" || fail "Corvane died"
echo "end-to-end palette: all passed"
