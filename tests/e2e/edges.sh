#!/usr/bin/env bash
# End to end: a drag that ends with the pointer on the very top row of the monitor, the most
# natural gesture towards the top, previews the zone there and snaps the window into it.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

start_desktop 1440 900
a=$(start_xterm alpha 80x24+300+300)
mkdir -p "$E2E_TMP/config/corvane"
cat >"$E2E_TMP/config/corvane/app.corvane.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>dragSnapEnabled</key><true/></dict></plist>
PLIST
start_corvane "$corvane"
xdotool windowactivate --sync "$a"
set -- $(outer_frame "$a")
grab_x=$(($1 + $3 / 2)) grab_y=$(($2 + 8))

# Into the bottom-left quarter first, then in one step onto the top row: only the top row's own event
# can show the top-right quarter.
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move 300 700 10 20 move 1000 0 1 20
expect_window_near "the pointer on the top row previews the top-right quarter" "Corvane Snap Preview" "720 0 720 450"
"$pointer" up 1
expect_frame "the drop on the top row fills the top-right quarter" "$a" 720 0 720 450
kill -0 "$E2E_CORVANE_PID" || fail "Corvane died"
echo "end-to-end edges: all passed"
