#!/usr/bin/env bash
# End to end with files Corvane reads but does not own. _OB_CONFIG_FILE, which any X client may set,
# naming /dev/zero, a FIFO and a sparse 300 MB file; ~/.fluxbox/init replaced by a FIFO: each is
# passed over with one log line, memory stays put and a hotkey still moves a window. A FIFO as the
# settings file: said at start, Corvane runs on its defaults, writes nothing, leaves the FIFO, and
# quitting says nothing was saved (exit 1).
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

settings="$E2E_TMP/config/corvane/app.corvane.plist"
bound=${HOSTILE_GROWTH_KIB:-5120} # KiB: what reading a settings file may add at most
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$CORVANE_PID/status"; }
# A hotkey on a window moved out of its zone puts it back there.
responds() { # window, the first zone's width and height
  xdotool windowmove --sync "$1" 200 200 >/dev/null
  xdotool windowactivate --sync "$1" && xdotool key ctrl+alt+1
  wait_for 3 frame_is "$1" 0 0 "$2" "$3"
}
# Waits for a line in the log, failing at once if Corvane's memory grows beyond the bound meanwhile.
log_line_within_memory() {
  local line=$1 baseline=$2 deadline=$((SECONDS + 5))
  until grep -qF -- "$line" "$CORVANE_LOG"; do
    [ $(($(rss_kib) - baseline)) -lt "$bound" ] || fail "Corvane grew by $(($(rss_kib) - baseline)) KiB waiting for: $line"
    [ $SECONDS -lt $deadline ] || fail "no log line: $line"
    sleep 0.05
  done
}
panel_point() { # a point of the panel (shown without a tray), from its top-left
  local panel px py
  panel=$(xdotool search --onlyvisible --name '^Corvane$' | head -1)
  [ -n "$panel" ] || return 1
  px=$(xwininfo -id "$panel" | awk '/Absolute upper-left X/ {print $NF}')
  py=$(xwininfo -id "$panel" | awk '/Absolute upper-left Y/ {print $NF}')
  echo "$((px + $1)) $((py + $2))"
}
quit_corvane() { # by the panel's Quit Corvane button; sets status to the exit status
  xdotool mousemove $(panel_point 226 475) click 1
  wait_for 5 sh -c "! kill -0 $CORVANE_PID" || fail "Quit Corvane did not quit"
  wait "$CORVANE_PID"
  status=$?
}
settings_window() { xdotool search --onlyvisible --name '^Corvane Settings$' | head -1 | grep .; }
open_settings() { # by the panel's Settings button
  wait_for 5 panel_point 0 0 || fail "no panel"
  xdotool mousemove $(panel_point 226 23) click 1
  wait_for 3 settings_window || fail "the panel's Settings button opened no window"
}

start_desktop 1440 900
a=$(start_xterm alpha 80x24+200+200)
corvane_start "$corvane"
responds "$a" 720 900 || fail "the first hotkey did not move the window"
baseline=$(rss_kib)

# _OB_CONFIG_FILE as a hostile client sets it. A FIFO without a writer blocks a plain open for ever.
mkfifo "$E2E_TMP/rc.fifo"
truncate -s 300M "$E2E_TMP/rc-huge.xml"
for named in /dev/zero "$E2E_TMP/rc.fifo" "$E2E_TMP/rc-huge.xml"; do
  xprop -root -f _OB_CONFIG_FILE 8u -set _OB_CONFIG_FILE "$named"
  log_line_within_memory "Not reading the window manager's settings file $named:" "$baseline"
  responds "$a" 720 900 || fail "no hotkey after _OB_CONFIG_FILE named $named"
  grown=$(($(rss_kib) - baseline))
  [ "$grown" -lt "$bound" ] || fail "Corvane grew by $grown KiB after _OB_CONFIG_FILE named $named"
  [ "$(grep -cF "settings file $named:" "$CORVANE_LOG")" = 1 ] || fail "not one log line for $named"
  echo "ok - _OB_CONFIG_FILE naming $named: one log line, $grown KiB more, the hotkey answers"
done

# A FIFO as the settings file.
kill "$CORVANE_PID"; wait "$CORVANE_PID" 2>/dev/null
mkdir -p "$(dirname "$settings")" && mkfifo "$settings"
corvane_start "$corvane"
grep -qF "The settings file $settings cannot be used (it is a FIFO, not a regular file)" "$CORVANE_LOG" ||
  fail "no message at start about the FIFO: $(cat "$CORVANE_LOG")"
responds "$a" 720 900 || fail "no hotkey with a FIFO for the settings file"
open_settings # a window whose frame Corvane would store
xdotool windowmove --sync "$(settings_window)" 100 80 >/dev/null
quit_corvane
[ "$status" = 1 ] || fail "exit status $status with a FIFO for the settings file, expected 1"
grep -qF "Nothing was saved: $settings is not a regular file" "$CORVANE_LOG" || fail "quitting did not say nothing was saved"
[ -p "$settings" ] || fail "the FIFO was replaced"
[ "$(ls -A "$(dirname "$settings")")" = "app.corvane.plist" ] ||
  fail "files beside the FIFO: $(ls -A "$(dirname "$settings")")"
echo "ok - a FIFO as the settings file: said at start, defaults, nothing written, quit says so and exits 1"

# fluxbox with the user's ~/.fluxbox/init replaced by a FIFO; fluxbox itself has a home of its own.
# Thirds on Control+Alt+1 tells that Corvane read its settings.
rm "$settings"
corvane_settings '<key>hotkeyAssignments</key><dict><key>1</key><string>Thirds</string></dict>'
mkdir -p "$E2E_TMP/user/.fluxbox" && mkfifo "$E2E_TMP/user/.fluxbox/init"
HOME="$E2E_TMP/user" corvane_start "$corvane"
kill "$E2E_WM_PID"; wait "$E2E_WM_PID" 2>/dev/null
E2E_WM=fluxbox start_window_manager
wait_for 10 sh -c "xprop -root _NET_WORKAREA | grep -q '= 0, 0, 1440, 880'" || fail "fluxbox did not reserve its toolbar"
baseline=$(rss_kib)
log_line_within_memory "Not reading the window manager's settings file $E2E_TMP/user/.fluxbox/init:" "$baseline"
wait_for 5 sh -c "xprop -id $a _NET_FRAME_EXTENTS | grep -q ="
responds "$a" 480 880 || fail "no hotkey under fluxbox with a FIFO for ~/.fluxbox/init: $(outer_frame "$a")"
echo "ok - ~/.fluxbox/init as a FIFO: one log line and the hotkey answers"

echo "end-to-end hostile files: all passed"
