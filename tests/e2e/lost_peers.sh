#!/usr/bin/env bash
# Peers that go away under Corvane, round after round. The X server stopped (SIGTERM) or killed
# (SIGKILL) while Corvane is idle, during a burst of hotkeys, in the middle of a drag with the button
# held, while the writer waits on a window to take its frame, and while hotkeys wait for Corvane to
# read them: each ends with exit status 1 and
# Corvane's own words, the settings file as it was and the display's lock removed, never with a signal,
# a hang or a sanitizer report. A command client killed before its reply and the session bus killed
# end nothing: Corvane runs on and answers the next hotkey.
# Usage: lost_peers.sh CORVANE POINTER [ROUNDS]
set -u
corvane=$1 pointer=$2 rounds=${3:-3}
source "$(dirname "$0")/desktop.sh"

# The rounds run without a session bus to reach (none is started for lack of an address either): once
# connected, libdbus ignores SIGPIPE for the whole process, which would hide a death by it.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"
corvane_settings "<key>dragSnapEnabled</key><true/>
<key>hotkeyAssignments</key><dict><key>1</key><string>Split</string><key>2</key><string>Quadrant</string>
<key>3</key><string>Thirds</string></dict>"
settings="$E2E_TMP/config/corvane/app.corvane.plist"

at_origin() { set -- $(outer_frame "$xterm"); [ "${1:-}" = 0 ] && [ "${2:-}" = 0 ]; }
preview_shows() { xdotool search --onlyvisible --name '^Corvane Snap Preview$'; }
# Until the writer thread sits in one of its own bounded waits on the X server (ppoll, system call
# 271), not in its event loop's idle poll (poll, 7): a frame request is in flight. It is for some tens of
# milliseconds, so this looks with the shell's own reads, a millisecond apart, for 5 s at most.
await_writer_wait() {
  local task comm call deadline=$((SECONDS + 5))
  while [ $SECONDS -lt $deadline ]; do
    for task in /proc/"$CORVANE_PID"/task/*; do
      read -r comm <"$task/comm" 2>/dev/null && [ "$comm" = "X11 writer" ] &&
        read -r call _ <"$task/syscall" 2>/dev/null && [ "$call" = 271 ] && return 0
    done
    sleep 0.001
  done
  return 1
}
responds() { # a hotkey on the xterm moves it
  local key=$1; shift
  xdotool windowactivate --sync "$xterm" && xdotool key "$key"
  wait_for 5 frame_is "$xterm" "$@"
}

# Whether Corvane ignores SIGPIPE. xcb writes with plain writev, and a thread may write into a
# connection the server has closed before any thread has read that it closed (Qt's xcb plugin reads on
# a thread of its own, and xcb then lets the writing thread only write): too rare a race to catch by
# chance in a few rounds, but fatal when it comes, so the disposition is checked itself.
ignores_sigpipe() {
  local mask
  mask=$(awk '/^SigIgn:/ {print $2}' /proc/"$CORVANE_PID"/status) && (((16#$mask >> 12) & 1))
}

# One round on a desktop of its own: the scene set up, then the X server sent the signal.
qt_first=0 own_first=0 servers=0
# Each server its own name: the file a server writes its display number to is its name's.
start_server() {
  servers=$((servers + 1))
  start_x_server "Xvfb$servers" Xvfb -screen 0 1440x900x24
}
round() {
  local scene=$1 signal=$2 first=${#E2E_PIDS[@]}
  start_server
  local server=${E2E_PIDS[$first]}
  start_window_manager
  xterm=$(start_xterm "target" 80x24+300+300)
  corvane_start "$corvane"
  ignores_sigpipe || fail "Corvane does not ignore SIGPIPE: a write to a closed connection would kill it"
  xdotool windowactivate --sync "$xterm"
  case $scene in
  idle) ;;
  burst)
    xdotool key --delay 5 $(printf 'ctrl+alt+1 ctrl+alt+2 %.0s' $(seq 40)) 2>/dev/null &
    E2E_PIDS+=($!)
    wait_for 5 at_origin || fail "$scene: the burst moved nothing"
    ;;
  drag)
    set -- $(title_bar_point "$xterm")
    "$pointer" move "$1" "$2" 1 10 down 1 move $(($1 + 100)) $(($2 + 100)) 10 20 move 200 450 10 20
    wait_for 5 preview_shows || fail "$scene: no preview while the button is held"
    ;;
  writer)
    # The window manager stopped, the writer's waits for the frame run to their bounds.
    kill -STOP "$E2E_WM_PID"
    xdotool key ctrl+alt+3
    await_writer_wait || fail "$scene: the writer never waited on the window"
    ;;
  queued)
    # Hotkeys wait in the socket of a Corvane stopped meanwhile; another client's round trip makes
    # sure the server has sent them.
    kill -STOP "$CORVANE_PID"
    xdotool key ctrl+alt+1 ctrl+alt+2 ctrl+alt+3
    xprop -root _NET_ACTIVE_WINDOW >/dev/null || fail "$scene: the server did not answer"
    ;;
  esac
  cp "$settings" "$E2E_TMP/settings.before"
  kill -"$signal" "$server"
  if [ "$scene" = queued ]; then
    # Once the server has gone, Corvane wakes to the hotkeys first: it acts on them, and writes to
    # the closed connections, before it reads that they closed.
    wait "$server" 2>/dev/null
    kill -CONT "$CORVANE_PID"
  fi
  local deadline=$((SECONDS + 10))
  while is_running "$CORVANE_PID" && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  is_running "$CORVANE_PID" && fail "$scene, SIG$signal: Corvane still runs 10 s after the X server went away"
  wait "$CORVANE_PID"
  local status=$?
  [ "$status" = 1 ] || { cat "$CORVANE_LOG" >&2; fail "$scene, SIG$signal: exit status $status after the X server went away, expected 1"; }
  grep -qx "Corvane lost its connection to the X server and stops." "$CORVANE_LOG" ||
    { tail -5 "$CORVANE_LOG" >&2; fail "$scene, SIG$signal: Corvane did not say it lost the X server"; }
  if grep -E 'Sanitizer|runtime error' "$CORVANE_LOG" >&2; then fail "$scene, SIG$signal: a sanitizer report"; fi
  cmp -s "$settings" "$E2E_TMP/settings.before" || fail "$scene, SIG$signal: the settings file changed"
  compgen -G "$XDG_RUNTIME_DIR/corvane-d${DISPLAY#:}.lock" >/dev/null && fail "$scene, SIG$signal: the display's lock was left behind"
  if grep -q "The X11 connection broke" "$CORVANE_LOG"; then qt_first=$((qt_first + 1)); else own_first=$((own_first + 1)); fi
  kill -CONT "$E2E_WM_PID" 2>/dev/null
  stop_processes "${E2E_PIDS[@]:$first}"
  E2E_PIDS=("${E2E_PIDS[@]:0:$first}")
}

for ((n = 1; n <= rounds; n++)); do
  for scene in idle burst drag writer queued; do
    for signal in TERM KILL; do round "$scene" "$signal"; done
  done
  echo "ok - round $n: idle, a burst of hotkeys, mid-drag, a frame request in flight and hotkeys unread, the X server stopped and killed: exit 1 in Corvane's words"
done
echo "ok - Qt's plugin saw the loss first in $qt_first runs, Corvane in $own_first; Corvane's words ended every one"

# Other peers leave Corvane running: a command client killed while its call waits on Corvane, then
# the session bus itself.
start_server
start_window_manager
xterm=$(start_xterm "target" 80x24+300+300)
start_session_bus
corvane_start "$corvane"
dbus-monitor --session >"$E2E_TMP/monitor.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 5 grep -q "member=NameAcquired" "$E2E_TMP/monitor.log" || fail "dbus-monitor did not start"
kill -STOP "$CORVANE_PID"
"$corvane" apply Quadrant >/dev/null 2>&1 &
client=$!
calls=$(grep -c "interface=app.corvane.Corvane1" "$E2E_TMP/monitor.log")
wait_for 10 sh -c "[ \$(grep -c interface=app.corvane.Corvane1 '$E2E_TMP/monitor.log') -gt $calls ]" ||
  fail "the command's call never reached the bus"
kill -KILL "$client"; wait "$client" 2>/dev/null
kill -CONT "$CORVANE_PID"
responds ctrl+alt+1 0 0 720 900 || fail "Corvane stopped answering after a command client went away before its reply"
is_running "$CORVANE_PID" || fail "Corvane died when a command client went away before its reply"
echo "ok - a command client killed before its reply: Corvane runs on"

kill -KILL "$E2E_BUS_PID"
responds ctrl+alt+2 0 0 720 450 || fail "Corvane stopped answering after the session bus went away"
is_running "$CORVANE_PID" || fail "Corvane died when the session bus went away"
grep -E 'Sanitizer|runtime error' "$CORVANE_LOG" >&2 && fail "a sanitizer report after the bus went away"
echo "ok - the session bus killed: Corvane runs on and answers hotkeys"
echo "end-to-end lost peers: all passed"
