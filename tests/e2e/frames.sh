#!/usr/bin/env bash
# End to end: a remembered frame another client wrote (_CORVANE_RESTORE_FRAME) that no window can
# have makes `corvane restore` fail with status 1 and a message, leaves the window where it is and
# removes the property; a frame off every monitor comes back with its title bar on screen; and a
# size larger than the screen keeps the title bar on it.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

# Runs a command of corvane, leaving its status in $status and what it wrote in $said.
run() {
  said=$("$corvane" "$@" 2>&1)
  status=$?
}

start_desktop 1440 900
start_session_bus
a=$(start_xterm alpha 80x24+100+100)
corvane_start "$corvane"
xdotool windowactivate --sync "$a"

for garbage in "10,20,-300,-200" "10,20,2147483648,300" "100000,100000,400,300" "0,0,0,300"; do
  before=$(outer_frame "$a")
  xprop -id "$a" -f _CORVANE_RESTORE_FRAME 32c -set _CORVANE_RESTORE_FRAME "$garbage"
  xprop -id "$a" _CORVANE_RESTORE_FRAME | grep -q = || fail "$garbage: the property was not set"
  run restore
  [ $status = 1 ] && grep -q "not one a window can have" <<<"$said" ||
    fail "corvane restore with $garbage remembered ($status): $said"
  xprop -id "$a" _CORVANE_RESTORE_FRAME | grep -q 'not found' || fail "$garbage: the property was left on the window"
  [ "$(outer_frame "$a")" = "$before" ] || fail "$garbage: the window moved to $(outer_frame "$a") from $before"
  echo "ok - a remembered $garbage is refused with status 1, removed, and the window stays"
done

# A frame from a monitor that is gone (right of this one) comes back onto this one.
xprop -id "$a" -f _CORVANE_RESTORE_FRAME 32c -set _CORVANE_RESTORE_FRAME "3000,200,500,400"
run restore
[ $status = 0 ] || fail "corvane restore to a frame off every monitor ($status): $said"
expect_frame "a frame off every monitor comes back onto the screen" "$a" 940 200 500 400

# Taller than the screen: the title bar stays on it.
top_on_screen() { set -- $(outer_frame "$a"); [ "$1" = 0 ] && [ "$2" = 0 ]; }
run resize 3000 3000
[ $status = 0 ] || fail "corvane resize 3000 3000 ($status): $said"
wait_for 3 top_on_screen || fail "corvane resize 3000 3000 left the frame at $(outer_frame "$a")"
echo "ok - corvane resize 3000 3000 keeps the title bar on screen"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end remembered frames: all passed"
