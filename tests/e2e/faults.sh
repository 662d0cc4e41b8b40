#!/usr/bin/env bash
# End to end under faults: a target that stops answering, a window destroyed in the middle of a
# drag, a monitor unplugged during a drag, a settings file that cannot be written or is overwritten,
# and the X server going away. Each step says what it checked: Corvane neither crashes nor hangs
# beyond its bounds, and no setting is lost.
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
start_session_bus # for corvane_settle
a=$(start_xterm alpha 80x24+300+300)
b=$(start_xterm beta 80x24+600+200)
mkdir -p "$(dirname "$settings")"
corvane_start "$corvane"

# A target that stops answering: the window manager still moves its frame, Corvane does not hang,
# and the next hotkey on another window works at once.
kill -STOP "$(xprop -id "$a" _NET_WM_PID | awk '{print $NF}')"
xdotool windowactivate "$a" 2>/dev/null; xdotool key ctrl+alt+1
responds "$b" 0 0 720 450 ctrl+alt+2 || fail "Corvane hung after a hotkey on a stopped client"
kill -CONT "$(xprop -id "$a" _NET_WM_PID | awk '{print $NF}')"
echo "ok - a stopped target does not hang Corvane"

# A window destroyed between press and release of a drag.
mkdir -p "$E2E_TMP/drag"
kill "$CORVANE_PID"; wait "$CORVANE_PID" 2>/dev/null
cat >"$settings" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>dragSnapEnabled</key><true/>
<key>hotkeyAssignments</key><dict><key>1</key><string>Thirds</string></dict></dict></plist>
PLIST
corvane_start "$corvane"
c=$(start_xterm gamma 80x24+200+500)
xdotool windowactivate --sync "$c"
set -- $(outer_frame "$c")
gx=$(($1 + $3 / 2)) gy=$(($2 + 8))
"$pointer" move "$gx" "$gy" 1 10 down 1 move $((gx - 150)) $((gy - 100)) 10 20 move 60 60 10 20
kill "$(xprop -id "$c" _NET_WM_PID | awk '{print $NF}')"
wait_for 3 sh -c "! xwininfo -id $c" || fail "the dragged window did not go away"
"$pointer" up 1
wait_for 2 sh -c "! xdotool search --onlyvisible --name '^Corvane Snap Preview\$'" || fail "the preview stayed after the release"
kill -0 "$CORVANE_PID" || fail "Corvane died when the dragged window went away"
responds "$b" 0 0 480 900 ctrl+alt+1 || fail "Corvane stopped answering after the destroyed drag"
echo "ok - a window destroyed mid-drag leaves no preview and Corvane answers"

# A monitor unplugged while the preview shows on it: two monitors side by side, the right one
# removed in the middle of a drag over it. The preview does not stay behind on the lost monitor,
# and the next hotkey uses the monitors that are left.
# The left monitor takes over the screen's output, so the whole-screen monitor goes.
xrandr --setmonitor left 720/190x900/240+0+0 screen >/dev/null &&
  xrandr --setmonitor right 720/190x900/240+720+0 none || fail "could not split the screen into two monitors"
xdotool windowactivate --sync "$b"
set -- $(outer_frame "$b")
gx=$(($1 + $3 / 2)) gy=$(($2 + 8))
"$pointer" move "$gx" "$gy" 1 10 down 1 move $((gx + 100)) $((gy + 100)) 10 20 move 1300 450 10 20
wait_for 2 xdotool search --onlyvisible --name '^Corvane Snap Preview$' || fail "no preview on the right monitor"
preview=$(xdotool search --onlyvisible --name '^Corvane Snap Preview$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$preview")"
[ "$X" -ge 720 ] || fail "the preview is at x = $X, not on the right monitor"
xrandr --delmonitor right
"$pointer" move 1310 460 5 40 move 1320 470 5 40
corvane_settle
if xdotool search --onlyvisible --name '^Corvane Snap Preview$' >/dev/null; then
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Corvane Snap Preview$' | head -1)")"
  [ $((X + WIDTH)) -le 720 ] || fail "the preview stayed on the unplugged monitor (x = $X, width $WIDTH)"
fi
"$pointer" up 1
wait_for 2 sh -c "! xdotool search --onlyvisible --name '^Corvane Snap Preview\$'" || fail "the preview stayed after the release"
kill -0 "$CORVANE_PID" || fail "Corvane died when the monitor went away mid-drag"
responds "$b" 0 0 240 900 ctrl+alt+1 || fail "the hotkey after the unplug did not use the left monitor: $(outer_frame "$b")"
echo "ok - a monitor unplugged mid-drag leaves no preview on it, and the next hotkey uses the monitor left"

# The settings file made read-only, then replaced with garbage, while Corvane runs. Moving the
# settings window is a change Corvane stores (its frame). A failed write is reported once and kept;
# the next write after the folder is writable again brings the file up to date with every setting,
# and a file overwritten with garbage is rewritten whole from what Corvane holds.
folder=$(dirname "$settings")
lock_settings() { if [ "$(id -u)" = 0 ]; then chattr +i "$folder" "$settings"; else chmod a-w "$folder" "$settings"; fi; }
unlock_settings() { chattr -i "$folder" "$settings" 2>/dev/null; chmod u+w "$folder" "$settings" 2>/dev/null; true; }
trap 'unlock_settings; e2e_cleanup' EXIT
stored_frame() { # the settings window's stored frame; fails unless every other setting is there too
  python3 - "$settings" <<'PY'
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    values = plistlib.load(f)
assert values["dragSnapEnabled"] is True and values["hotkeyAssignments"]["1"] == "Thirds", values
print(values.get("CorvaneSettings", ""))
PY
}
stored_frame_is_not() { local frame; frame=$(stored_frame 2>/dev/null) && [ "$frame" != "$1" ]; }
panel=$(xdotool search --onlyvisible --name '^Corvane$' | head -1)
# xwininfo, not xdotool: xdotool counts the title bar twice in a decorated window's position.
px=$(xwininfo -id "$panel" | awk '/Absolute upper-left X/ {print $NF}')
py=$(xwininfo -id "$panel" | awk '/Absolute upper-left Y/ {print $NF}')
xdotool mousemove $((px + 226)) $((py + 23)) click 1
wait_for 3 xdotool search --onlyvisible --name '^Corvane Settings$' || fail "the panel's Settings button opened no window"
sw=$(xdotool search --onlyvisible --name '^Corvane Settings$' | head -1)
corvane_settle # a frame stored as the window opens is written by now
before=$(stored_frame 2>/dev/null)
lock_settings 2>/dev/null
if touch "$folder/probe" 2>/dev/null; then
  rm -f "$folder/probe"; unlock_settings
  echo "skipped - the read-only settings file: this file system cannot be made read-only here"
  skipped=1
else
  xdotool windowmove "$sw" 40 60
  wait_for 3 grep -q "Cannot write the settings file" "$CORVANE_LOG" || fail "no warning about the unwritable settings file"
  responds "$a" 0 0 240 900 ctrl+alt+1 || fail "Corvane stopped answering with its settings file read-only"
  unlock_settings
  xdotool windowmove "$sw" 60 80
  wait_for 3 stored_frame_is_not "$before" || fail "the frame was not stored once the file was writable: $(cat "$settings")"
  first=$(stored_frame) || fail "the settings file lost a setting after it was read-only: $(cat "$settings")"
  echo "ok - a read-only settings file is reported, Corvane answers, and the next write stores everything"

  printf 'garbage \x00\x01' >"$settings"
  xdotool windowmove "$sw" 90 110
  wait_for 3 stored_frame_is_not "$first" ||
    fail "the settings file overwritten with garbage was not rewritten whole: $(head -c 200 "$settings")"
  echo "ok - a settings file replaced with garbage while running is rewritten with every setting"

  # Quitting while a change could not be written says so and exits 1; the file keeps what it had.
  lock_settings
  xdotool windowmove "$sw" 120 140
  wait_for 3 sh -c "[ \$(grep -c 'Cannot write the settings file' '$CORVANE_LOG') -ge 2 ]" || fail "no warning for the second failed write"
  xdotool windowactivate --sync "$panel" 2>/dev/null
  xdotool mousemove $((px + 226)) $((py + 475)) click 1
  wait_for 5 corvane_exited || fail "Quit Corvane did not quit"
  wait "$CORVANE_PID"; status=$?
  unlock_settings
  [ "$status" = 1 ] || fail "exit status $status when the last change could not be saved, expected 1"
  grep -q "could not write its settings file" "$CORVANE_LOG" || fail "no message about the unsaved change at quit"
  stored_frame >/dev/null || fail "the settings file lost a setting at quit"
  echo "ok - quitting with an unsaved change says so and exits 1, the file keeps every setting"
  corvane_start "$corvane"
fi

# The X server goes away: a clear message, exit status 1, the settings file as it was.
cp "$settings" "$E2E_TMP/before"
kill "${E2E_PIDS[0]}" # Xvfb
wait_for 5 corvane_exited || fail "Corvane still runs 5 s after the X server went away"
wait "$CORVANE_PID"; status=$?
[ "$status" = 1 ] || fail "exit status $status after the X server went away, expected 1"
grep -q "lost its connection to the X server" "$CORVANE_LOG" || { tail -5 "$CORVANE_LOG"; fail "no message about the lost X server"; }
cmp -s "$settings" "$E2E_TMP/before" || fail "the settings file changed when the X server went away"
echo "ok - without the X server Corvane exits 1 with a message and the settings intact"
unset DISPLAY
# Reported to ctest as skipped (SKIP_RETURN_CODE), every other check having passed.
[ -z "${skipped:-}" ] || { echo "end-to-end faults: all passed but the read-only settings file, skipped"; exit 77; }
echo "end-to-end faults: all passed"
