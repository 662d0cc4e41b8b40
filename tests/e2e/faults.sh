#!/usr/bin/env bash
# End to end under faults: a target that stops answering, a window destroyed in the middle of a
# drag, a damaged settings file at start, and the X server going away. Each step says what it
# checked: Corvane neither crashes nor hangs beyond its bounds, and no setting is lost.
set -u
corvane=$1 pointer=$2
source "$(dirname "$0")/desktop.sh"

settings="$E2E_TMP/config/corvane/app.corvane.plist"
responds() { # a hotkey on the given window moves it within 3 s
  local id=$1 x=$2 y=$3 w=$4 h=$5 key=$6
  xdotool windowactivate --sync "$id" && xdotool key "$key"
  wait_for 3 frame_is "$id" "$x" "$y" "$w" "$h"
}

start_desktop 1440 900
a=$(start_xterm alpha 80x24+300+300)
b=$(start_xterm beta 80x24+600+200)
mkdir -p "$(dirname "$settings")"
# A damaged settings file: moved aside whole, Corvane starts from the defaults.
printf 'not a property list \x00\xff' >"$settings"
cp "$settings" "$E2E_TMP/damaged"
start_corvane "$corvane"
aside=$(ls "$settings".corrupt-* 2>/dev/null | head -1)
[ -n "$aside" ] && cmp -s "$aside" "$E2E_TMP/damaged" || fail "the damaged settings file was not kept aside intact"
grep -q "is not a property list" "$E2E_TMP/corvane.log" || fail "no warning about the damaged settings file"
echo "ok - a damaged settings file is moved aside unchanged and Corvane starts"

# A target that stops answering: the window manager still moves its frame, Corvane does not hang,
# and the next hotkey on another window works at once.
kill -STOP "$(xprop -id "$a" _NET_WM_PID | awk '{print $NF}')"
xdotool windowactivate "$a" 2>/dev/null; xdotool key ctrl+alt+1
sleep 0.5
responds "$b" 0 0 720 450 ctrl+alt+2 || fail "Corvane hung after a hotkey on a stopped client"
kill -CONT "$(xprop -id "$a" _NET_WM_PID | awk '{print $NF}')"
echo "ok - a stopped target does not hang Corvane"

# A window destroyed between press and release of a drag.
mkdir -p "$E2E_TMP/drag"
kill "$E2E_CORVANE_PID"; wait "$E2E_CORVANE_PID" 2>/dev/null
cat >"$settings" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>dragSnapEnabled</key><true/>
<key>hotkeyAssignments</key><dict><key>1</key><string>Thirds</string></dict></dict></plist>
PLIST
start_corvane "$corvane"
c=$(start_xterm gamma 80x24+200+500)
xdotool windowactivate --sync "$c"
set -- $(outer_frame "$c")
gx=$(($1 + $3 / 2)) gy=$(($2 + 8))
"$pointer" move "$gx" "$gy" 1 10 down 1 move $((gx - 150)) $((gy - 100)) 10 20 move 60 60 10 20
kill "$(xprop -id "$c" _NET_WM_PID | awk '{print $NF}')"
sleep 0.3
"$pointer" up 1
sleep 0.3
kill -0 "$E2E_CORVANE_PID" || fail "Corvane died when the dragged window went away"
wait_for 2 sh -c "! xdotool search --onlyvisible --name '^Corvane Snap Preview\$'" || fail "the preview stayed after the release"
responds "$b" 0 0 480 900 ctrl+alt+1 || fail "Corvane stopped answering after the destroyed drag"
echo "ok - a window destroyed mid-drag leaves no preview and Corvane answers"

# The X server goes away: a clear message, exit status 1, the settings file as it was.
cp "$settings" "$E2E_TMP/before"
kill "${E2E_PIDS[0]}" # Xvfb
for _ in $(seq 100); do kill -0 "$E2E_CORVANE_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$E2E_CORVANE_PID" 2>/dev/null && fail "Corvane still runs 5 s after the X server went away"
wait "$E2E_CORVANE_PID"; status=$?
[ "$status" = 1 ] || fail "exit status $status after the X server went away, expected 1"
grep -q "lost its connection to the X server" "$E2E_TMP/corvane.log" || { tail -5 "$E2E_TMP/corvane.log"; fail "no message about the lost X server"; }
cmp -s "$settings" "$E2E_TMP/before" || fail "the settings file changed when the X server went away"
echo "ok - without the X server Corvane exits 1 with a message and the settings intact"
unset DISPLAY
echo "end-to-end faults: all passed"
