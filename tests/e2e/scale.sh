#!/usr/bin/env bash
# End to end on a scaled display: Qt lays our own windows out in logical pixels, the desktop is in
# X pixels. The drag preview must cover its zone, the palette open beside the maximize button and the
# tray panel beside the tray icon, all on screen. The scale comes from Xft.dpi 192, as a HiDPI
# session sets it ("xft", twice the scale), or from QT_SCALE_FACTOR ("factor", 1.5).
set -u
corvane=$1 pointer=$2 how=$3
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

start_desktop 1920 1200
case $how in
  xft) echo "Xft.dpi: 192" | xrdb -merge; scale_percent=200 ;;
  factor) export QT_SCALE_FACTOR=1.5; scale_percent=150 ;;
esac
# A 30-pixel panel along the bottom, with a system tray.
start_tray
wait_for 5 sh -c "xprop -root _NET_WORKAREA | grep -q ', 1170'" || fail "tint2 reserved no strip"
a=$(start_xterm alpha 80x24+300+300)
corvane_settings '<key>dragSnapEnabled</key><true/><key>zoomPaletteEnabled</key><true/>'
corvane_start "$corvane"

# The preview of the top-left quarter of the work area (1920 x 1170).
xdotool windowactivate --sync "$a"
read -r grab_x grab_y <<<"$(title_bar_point "$a")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x - 200)) $((grab_y - 150)) 10 20 move 100 100 10 20
expect_window_near "the preview covers the top-left quarter" "Corvane Snap Preview" "0 0 960 585"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
"$pointer" up 1
expect_frame "the drop fills the top-left quarter" "$a" 0 0 960 585

# The palette: 8 pixels left of openbox's maximize button, 6 below it.
read -r bx by bw bh <<<"$(openbox_maximize "$a")"
"$pointer" move $((bx + bw / 2)) $((by + bh / 2)) 10 100
wait_for 3 visible_window "Corvane Palette" || fail "the palette did not open"
set -- $(window_geometry "$(visible_window "Corvane Palette")")
within 3 "$1 $2" "$((bx - 8)) $((by + bh + 6))" ||
  fail "the palette is at $1,$2, not beside the button at $bx,$by"
[ $(($1 + $3)) -le 1920 ] && [ $(($2 + $4)) -le 1170 ] || fail "the palette ($*) reaches off the work area"
echo "ok - the palette opens beside the maximize button, on screen"
"$pointer" move 900 900 5 50
wait_for 2 sh -c '! xdotool search --onlyvisible --name "^Corvane Palette\$"' || fail "the palette stayed open"

# The tray panel: above the tray icon, its bottom on the panel strip's top edge, inside the screen.
tray=$(xwininfo -root -tree | awk '/\("corvane" "Corvane"\)/ && / 22x22\+/ {print $NF; exit}')
[ -n "$tray" ] || fail "no tray icon"
IFS=+ read -r _ tx ty <<<"$tray"
xdotool mousemove $((tx + 11)) $((ty + 11)) click 1
w=$((280 * scale_percent / 100)) h=$((500 * scale_percent / 100))
panel_at() { xwininfo -root -tree | awk -v size="${w}x${h}+" '/"Corvane": \("corvane"/ && index($0, " " size) {print $NF; exit}'; }
wait_for 3 panel_at || fail "no ${w}x$h panel after a click on the tray icon"
IFS=+ read -r _ px py <<<"$(panel_at)"
x=$((tx + 11 - w / 2)) && [ $x -gt $((1920 - w)) ] && x=$((1920 - w))
within 2 "$px $py" "$x $((1170 - h))" || fail "the panel is at $px,$py, expected $x,$((1170 - h))"
echo "ok - the tray panel opens above its icon, inside the screen"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end scale ($how): all passed"
