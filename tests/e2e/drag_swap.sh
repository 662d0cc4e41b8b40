#!/usr/bin/env bash
# End to end on openbox with swapping on: a real xterm dragged by its title bar onto the half another
# xterm fills shows two previews, the half and the frame the other xterm will take, and the drop trades
# their places: the other xterm takes the dragged one's frame from before the drag, or its zone where
# it had one.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

start_desktop 1440 900
start_session_bus
a=$(start_xterm alpha 80x24+300+300)
b=$(start_xterm beta 80x24+200+100)
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapLayoutName</key><string>Split</string>
<key>dragSnapSwaps</key><true/>'
corvane_start "$corvane"
xdotool windowactivate --sync "$b"
run zone Split 2
[ "$status" = 0 ] || fail "corvane zone Split 2 failed ($status): $said"
expect_frame "beta in the right half" "$b" 720 0 720 900

# Alpha, in no zone, onto the right half.
xdotool windowactivate --sync "$a"
read -r ax ay aw ah <<<"$(outer_frame "$a")"
read -r grab_x grab_y <<<"$(title_bar_point "$a")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x + 150)) $((grab_y + 50)) 10 20 move 1100 400 10 20
expect_window_near "the pointer on the right half previews it" "Corvane Snap Preview" "720 0 720 900"
expect_window_near "and where beta goes: alpha's frame from before the drag" "Corvane Swap Preview" "$ax $ay $aw $ah"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
"$pointer" up 1
expect_frame "the drop puts alpha in the right half" "$a" 720 0 720 900
expect_frame "and beta where alpha was" "$b" "$ax" "$ay" "$aw" "$ah"
wait_for 3 sh -c "! xdotool search --onlyvisible --name '^Corvane Swap Preview\$'" || fail "the swap preview stayed after the drop"
echo "ok - both previews go with the drop"

# Beta, now in the left half, onto the right one: alpha takes the left half.
xdotool windowactivate --sync "$b"
run zone Split 1
expect_frame "beta in the left half" "$b" 0 0 720 900
read -r grab_x grab_y <<<"$(title_bar_point "$b")"
"$pointer" move "$grab_x" "$grab_y" 1 10 down 1 move $((grab_x + 150)) $((grab_y + 50)) 10 20 move 1100 400 10 20
expect_window_near "beta over the right half previews alpha in the left one" "Corvane Swap Preview" "0 0 720 900"
"$pointer" up 1
expect_frame "the drop puts beta in the right half" "$b" 720 0 720 900
expect_frame "and alpha in the left half" "$a" 0 0 720 900
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end drag with swapping: all passed"
