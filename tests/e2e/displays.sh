#!/usr/bin/env bash
# End to end with two X displays on one session bus, a Corvane on each: a command acts on the window
# of its own display only (":N" and ":N.0" alike), a second start brings forward only its display's
# Corvane, and with DISPLAY unset a command names both displays and exits 2. Failing commands print
# their own words and nothing else; a long name is echoed short or refused. SIGTERM and SIGHUP end Corvane as its Quit does: status 0,
# lock file gone, and the usual bus name passes to the Corvane still running.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_corvane_on() {
  local display=$1 log="$E2E_TMP/corvane-$2.log"
  : >"$log"
  DISPLAY=$display QT_LOGGING_RULES="app.corvane.*.debug=true" "$corvane" >>"$log" 2>&1 &
  E2E_PIDS+=($!)
  started=$!
  wait_for 10 grep -q "Corvane is running." "$log" || { cat "$log"; fail "Corvane did not start on $display"; }
  ! grep -q "Not on the session bus" "$log" || fail "Corvane on $display is not on the session bus: $(cat "$log")"
}
left_edge_is() { [ "$(DISPLAY=$1 outer_frame "$2" | awk '{print $1}')" = "$3" ]; }
settings_shown() { DISPLAY=$1 xdotool search --onlyvisible --name '^Corvane Settings$' | grep -q .; }
name_owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner "string:$1" 2>/dev/null | awk -F'"' '/string/ {print $2}'
}
call_corvane() { dbus-send --session --print-reply --dest="$dest" /app/corvane/Corvane "$@" 2>&1; }

# Each server under a name of its own: the name keys the file its display number is read from.
start_display() {
  start_x_server "Xvfb-$1" Xvfb -screen 0 1440x900x24
  start_window_manager
}

start_session_bus
start_display a
A=$DISPLAY
start_tray
a=$(start_xterm alpha 80x24+100+100)
start_display b
B=$DISPLAY
start_tray
b=$(start_xterm beta 80x24+100+100)
[ "$A" != "$B" ] || fail "one display twice"
start_corvane_on "$A" a
pid_a=$started
start_corvane_on "$B" b
pid_b=$started
DISPLAY=$A xdotool windowactivate --sync "$a"
DISPLAY=$B xdotool windowactivate --sync "$b"

frame_a=$(DISPLAY=$A outer_frame "$a")
DISPLAY=$B run zone Split 2
[ $status = 0 ] || fail "DISPLAY=$B corvane zone Split 2 ($status): $said"
wait_for 3 left_edge_is "$B" "$b" 720 || fail "the window on $B is at $(DISPLAY=$B outer_frame "$b")"
[ "$(DISPLAY=$A outer_frame "$a")" = "$frame_a" ] || fail "a command for $B moved the window on $A"
frame_b=$(DISPLAY=$B outer_frame "$b")
DISPLAY=$A.0 run zone Split 2
[ $status = 0 ] || fail "DISPLAY=$A.0 corvane zone Split 2 ($status): $said"
wait_for 3 left_edge_is "$A" "$a" 720 || fail "the window on $A is at $(DISPLAY=$A outer_frame "$a")"
[ "$(DISPLAY=$B outer_frame "$b")" = "$frame_b" ] || fail "a command for $A.0 moved the window on $B"
echo "ok - a command acts on its own display's window only"

displays=$(printf '%s\n' "$A" "$B" | LC_ALL=C sort | paste -sd, - | sed 's/,/, /')
said=$(env -u DISPLAY "$corvane" layouts 2>&1)
status=$?
[ $status = 2 ] && [ "$said" = "Corvane runs on displays $displays: set DISPLAY to the one to act on." ] ||
  fail "a command with DISPLAY unset and two Corvanes ($status): $said"
echo "ok - with DISPLAY unset and two Corvanes a command names both displays and exits 2"

# ":N.0" is display ":N": one lock, one Corvane.
DISPLAY=$B.0 run
[ $status = 0 ] && [ "$said" = "Corvane is already running." ] || fail "a second start on $B.0 ($status): $said"
wait_for 3 settings_shown "$B" || fail "a second start on $B did not open its settings window"
! settings_shown "$A" || fail "a second start on $B opened the settings window on $A"
echo "ok - a second start brings forward only its own display's Corvane"

DISPLAY=$A run restore
[ $status = 0 ] || fail "corvane restore ($status): $said"
for round in $(seq 30); do
  DISPLAY=$A run apply Nope
  [ $status = 1 ] && [ "$said" = 'corvane: No layout or preset is named "Nope".' ] ||
    fail "corvane apply Nope, round $round ($status): $said"
  DISPLAY=$A run restore
  [ $status = 1 ] &&
    [ "$said" = "corvane: The window has no earlier frame to go back to: Corvane has not placed it." ] ||
    fail "corvane restore, round $round ($status): $said"
done
echo "ok - 60 failing commands print their own words and nothing else"

dest=app.corvane.Corvane.d${A#:}
long=$(head -c 200 /dev/zero | tr '\0' x)
said=$(call_corvane app.corvane.Corvane1.ApplyLayout "string:$long")
grep -q "^Error app.corvane.Error.UnknownLayout" <<<"$said" && grep -q "\"$(head -c 64 /dev/zero | tr '\0' x)…\"" <<<"$said" ||
  fail "a 200-character name: $said"
huge=$(head -c 120000 /dev/zero | tr '\0' x)
said=$(call_corvane app.corvane.Corvane1.ApplyLayout "string:$huge")
grep -q "^Error org.freedesktop.DBus.Error.InvalidArgs" <<<"$said" && [ ${#said} -lt 300 ] ||
  fail "a 120000-character name ($(wc -c <<<"$said") bytes back): ${said:0:300}"
echo "ok - a long name comes back cut to 64 characters, one over 1 KiB is refused"

lock() { echo "$XDG_RUNTIME_DIR/corvane-d${1#:}.lock"; }
[ -e "$(lock "$A")" ] && [ -e "$(lock "$B")" ] || fail "no lock files: $(ls "$XDG_RUNTIME_DIR")"
owner_b=$(name_owner "app.corvane.Corvane.d${B#:}")
[ "$(name_owner app.corvane.Corvane)" = "$(name_owner "$dest")" ] || fail "the first Corvane does not own the usual name"
ended() { ! kill -0 "$1" 2>/dev/null; }
usual_name_owned_by() { [ "$(name_owner app.corvane.Corvane)" = "$1" ]; }
for quit in "TERM $pid_a $A a" "HUP $pid_b $B b"; do
  set -- $quit
  kill -"$1" "$2"
  wait_for 10 ended "$2" || fail "SIG$1: Corvane on $3 did not quit"
  wait "$2"
  code=$?
  [ $code = 0 ] || fail "SIG$1: Corvane on $3 exited with $code: $(cat "$E2E_TMP/corvane-$4.log")"
  [ ! -e "$(lock "$3")" ] || fail "SIG$1: the lock file of $3 stayed"
  if [ "$1" = TERM ]; then
    wait_for 3 usual_name_owned_by "$owner_b" || fail "the usual name did not pass to the Corvane on $B"
  fi
  echo "ok - SIG$1 quits Corvane as its Quit does: status 0, lock file removed"
done
echo "end-to-end displays: all passed"
