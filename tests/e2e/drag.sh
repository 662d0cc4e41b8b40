#!/usr/bin/env bash
# End to end: dragging a real xterm by its title bar with XTEST motion previews the zone under the
# pointer and drops the window into it on release.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"

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
grab_x=$(($1 + $3 / 2)) grab_y=$(($2 + 8)) # on the title bar

"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x - 200)) $((grab_y - 150)) 10 20 move 100 100 10 20
wait_for 3 xdotool search --onlyvisible --name '^Corvane Snap Preview$' || fail "no preview while the button is held"
echo "ok - the preview shows while the button is held"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
"$pointer" up 1
expect_frame "a title-bar drag to the top-left drops the xterm into the top-left quarter" "$a" 0 0 720 450
kill -0 "$E2E_CORVANE_PID" || fail "Corvane died"
echo "end-to-end drag: all passed"
