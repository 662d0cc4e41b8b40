#!/usr/bin/env bash
# End to end with a session bus of the run's own: the command line places the xterm in zone 3 of
# "Six Pack" and steps on with `cycle next`, then spans zones 5 and 1; the frame the xterm had first stays on the window as
# _CORVANE_RESTORE_FRAME across a restart of Corvane, and `restore` brings it back once; with Corvane
# stopped a command says so with status 3.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
start_session_bus
a=$(start_xterm alpha 80x24+100+100)
corvane_start "$corvane"
xdotool windowactivate --sync "$a"
read -r fx fy fw fh <<<"$(outer_frame "$a")"

run layouts
[ $status = 0 ] && grep -qP '^6\tSix Pack$' <<<"$said" || fail "corvane layouts ($status): $said"
echo "ok - corvane layouts lists Six Pack with its six zones"

run zone "Six Pack" 3
[ $status = 0 ] || fail "corvane zone 'Six Pack' 3 ($status): $said"
expect_frame "corvane zone 'Six Pack' 3: the top-right sixth" "$a" 960 0 480 450
run cycle next
[ $status = 0 ] || fail "corvane cycle next ($status): $said"
expect_frame "corvane cycle next: the bottom-left sixth" "$a" 0 450 480 450
run zone "Six Pack" 5-1
[ $status = 0 ] || fail "corvane zone 'Six Pack' 5-1 ($status): $said"
expect_frame "corvane zone 'Six Pack' 5-1: the left two columns" "$a" 0 0 960 900
run zone Thirds 2-4
[ $status = 1 ] && [ "$said" = "corvane: \"Thirds\" has zones 1 to 3; there is no zone 4." ] ||
  fail "a span past the last zone ($status): $said"
echo "ok - a span past the last zone fails with status 1 and says why"

remembered() { xprop -id "$a" _CORVANE_RESTORE_FRAME | grep -qF "= $fx, $fy, $fw, $fh"; }
remembered || fail "the first frame is not on the window: $(xprop -id "$a" _CORVANE_RESTORE_FRAME)"
kill "$CORVANE_PID"
wait "$CORVANE_PID" 2>/dev/null
run restore
[ $status = 3 ] && [ "$said" = "Corvane is not running on display $DISPLAY." ] || fail "a command with Corvane stopped ($status): $said"
echo "ok - with Corvane stopped a command says so, with status 3"
remembered || fail "the remembered frame went with Corvane"
corvane_start "$corvane"
xdotool windowactivate --sync "$a"
run restore
[ $status = 0 ] || fail "corvane restore ($status): $said"
expect_frame "corvane restore after a restart: the frame the xterm had first" "$a" "$fx" "$fy" "$fw" "$fh"
xprop -id "$a" _CORVANE_RESTORE_FRAME | grep -q 'not found' || fail "restore left the property on the window"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end commands: all passed"
