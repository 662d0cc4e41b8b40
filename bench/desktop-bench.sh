#!/usr/bin/env bash
# End-to-end figures on a throw-away desktop (Xvfb, openbox, one xterm): start-up to hotkeys armed,
# hotkey to window moved for three kinds of placement (the first also by D-Bus call and by command
# line, all three by xbindkeys running xdotool), idle CPU with the pointer still, CPU and wake-ups
# with the pointer moving at 100 and at 1,000 events a second beside a bare paced reader of the same
# events, resident memory. With MOTION_ONLY=1 in the environment, only the motion rows (a minute
# instead of four, to compare one change to the pointer's path).
# Usage: bench/desktop-bench.sh CORVANE LATENCY_TOOL POINTER_TOOL PACED_READER [PRESSES]
set -u
motion_only=${MOTION_ONLY:-0}
corvane=$1 tool=$2 pointer=$3 reader=$4 presses=${5:-50}
source "$(dirname "$0")/../tests/e2e/desktop.sh"
start_desktop 1440 900
start_session_bus # for the placements by command
a=$(start_xterm target 80x24+100+100)
# Hotkeys 1 and 2 (Split, Quadrant) share their top-left corner, so only the size changes; hotkey 3 is
# a centred size preset, so alternating 1 and 3 also moves the window, through the writer's pause.
presets=$(printf '[{"id":"0E6A2F7C-3D7B-4C1E-9F4A-2B8D5C6E7F10","name":"Centred","width":1000,"height":640}]' | base64 -w0)
corvane_settings "<key>dragSnapEnabled</key><true/><key>zoomPaletteEnabled</key><true/>
<key>corvanePresets</key><data>$presets</data>
<key>hotkeyAssignments</key><dict><key>1</key><string>Split</string><key>2</key><string>Quadrant</string>
<key>3</key><string>Centred</string></dict>"
code() { xmodmap -pke | awk -v k="$1" '$0 ~ "= "k"( |$)" {print $2; exit}'; }
keys="$(code Control_L) $(code Alt_L) $(code 1) $(code 2)"
moving_keys="$(code Control_L) $(code Alt_L) $(code 1) $(code 3)"
# After hotkey 1 (Split), Control+Alt+Right and Left step the window between the halves: moves only.
cycle_keys="$(code Control_L) $(code Alt_L) $(code Right) $(code Left)"
# CPU time of every thread alive now, in microseconds: the scheduler's own count, where the clock
# ticks of /proc/PID/stat come in steps of 10 ms, as large as the figures compared. A thread that
# both started and ended between two readings is not counted.
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s / 1000}'; }
# Voluntary context switches of every thread, one "thread count" line each: each is a sleep that
# something had to end. wakeups_since counts those since a snapshot, in the threads alive now.
wakeups() { grep -H '^voluntary_ctxt_switches' /proc/"$1"/task/*/status | awk -F'[/:]' '{print $5, $NF}'; }
wakeups_since() { wakeups "$2" | awk -v before="$1" 'BEGIN {n = split(before, l, "\n");
  for (i = 1; i <= n; i++) {split(l[i], f, " "); b[f[1]] = f[2]}} {s += $2 - b[$1]} END {print s + 0}'; }

# Start-up: from launch to the line printed once the hotkeys are armed.
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# Each line of Corvane's output is stamped as it arrives; polling the log would add its own delay.
stamp() { while IFS= read -r line; do echo "$(date +%s%N) $line"; done; }
t0=$(date +%s%N)
"$corvane" > >(stamp >"$E2E_TMP/corvane.log") 2>&1 &
E2E_CORVANE_PID=$!
E2E_PIDS+=($E2E_CORVANE_PID)
wait_for 10 grep -q "Corvane is running." "$E2E_TMP/corvane.log"
armed=$(awk '/Corvane is running./ {print $1; exit}' "$E2E_TMP/corvane.log")
echo "start-up to hotkeys armed: $(( (armed - t0) / 1000000 )) ms"

# The three placements, measured the same way for Corvane and for the xdotool binding.
at_origin() { set -- $(outer_frame "$a"); [ "${1:-}" = 0 ] && [ "${2:-}" = 0 ]; }
placements() {
  xdotool windowactivate --sync "$a"
  "$tool" "$a" "$presses" $keys | sed "s/^/$1: /"
  "$tool" "$a" "$presses" $moving_keys | sed "s/^/$1, moving: /"
  xdotool key ctrl+alt+1
  wait_for 3 at_origin || echo "$1: hotkey 1 did not place the window at the top left"
  "$tool" "$a" "$presses" $cycle_keys | sed "s/^/$1, cycle step: /"
}
if [ "$motion_only" != 1 ]; then
  placements corvane
  # The same size-only placements by command: a D-Bus call (dbus-send), and the command line.
  call="dbus-send --session --type=method_call --dest=app.corvane.Corvane /app/corvane/Corvane app.corvane.Corvane1.ApplyLayout"
  "$tool" "$a" "$presses" --run "$call string:Split" "$call string:Quadrant" | sed 's/^/corvane, d-bus: /'
  "$tool" "$a" "$presses" --run "$corvane apply Split" "$corvane apply Quadrant" | sed 's/^/corvane, command line: /'
  sleep 1
  echo "resident memory after start: $(awk '/VmRSS/ {print $2, $3}' /proc/$E2E_CORVANE_PID/status)"

  # Idle: 60 s with the pointer still; then 10 s of continuous motion over the desktop.
  before=$(cpu_us $E2E_CORVANE_PID) switches=$(wakeups $E2E_CORVANE_PID)
  sleep 60
  after=$(cpu_us $E2E_CORVANE_PID)
  echo "idle for 60 s: $(( (after - before) / 1000 )) ms of CPU, $(wakeups_since "$switches" $E2E_CORVANE_PID) wake-ups"
fi
# Ten seconds of motion over other applications and the desktop, across the xterm and its title-bar
# corner, clear of Corvane's own panel (open at start without a tray, at the right): 1,000 XTEST
# motion events 10 ms apart (an ordinary mouse), then 10,000 events 1 ms apart (a gaming mouse). The
# bare paced reader records the same events meanwhile: the floor for any program reading them.
motion() {
  local steps=$1 ms=$2 t0 t1 reader_pid reader_before
  "$reader" 2>>"$E2E_TMP/reader.log" &
  reader_pid=$!
  E2E_PIDS+=($reader_pid)
  sleep 0.5 # the reader has started recording
  before=$(cpu_us $E2E_CORVANE_PID) switches=$(wakeups $E2E_CORVANE_PID) t0=$(date +%s%N)
  reader_before=$(cpu_us $reader_pid)
  for _ in 1 2 3 4 5; do "$pointer" move 800 850 "$steps" "$ms" move 100 100 "$steps" "$ms"; done
  sleep 0.2 # what is still queued is handled
  after=$(cpu_us $E2E_CORVANE_PID) t1=$(date +%s%N)
  echo "pointer moving at $((1000 / ms)) Hz: $(( (after - before) / 1000 )) ms of CPU," \
    "$(wakeups_since "$switches" $E2E_CORVANE_PID) wake-ups for $((10 * steps)) motion events in" \
    "$(( (t1 - t0) / 1000000 )) ms"
  echo "bare paced reader at $((1000 / ms)) Hz: $(( ($(cpu_us $reader_pid) - reader_before) / 1000 )) ms of CPU"
  kill "$reader_pid"; wait "$reader_pid" 2>/dev/null
}
motion 100 10
motion 1000 1
[ "$motion_only" = 1 ] && exit 0

# The same placements the way many do it today: a key binding that runs xdotool.
kill "$E2E_CORVANE_PID"; wait "$E2E_CORVANE_PID" 2>/dev/null
if command -v xbindkeys >/dev/null; then
  cat >"$E2E_TMP/xbindkeysrc" <<'RC'
"xdotool getactivewindow windowmove 0 0 windowsize 720 900"
  control+alt + 1
"xdotool getactivewindow windowmove 0 0 windowsize 720 450"
  control+alt + 2
"xdotool getactivewindow windowmove 220 130 windowsize 1000 640"
  control+alt + 3
"xdotool getactivewindow windowmove 720 0"
  control+alt + Right
"xdotool getactivewindow windowmove 0 0"
  control+alt + Left
RC
  xbindkeys -n -f "$E2E_TMP/xbindkeysrc" &
  E2E_PIDS+=($!)
  sleep 1
  placements "xbindkeys + xdotool"
else
  echo "xbindkeys + xdotool: not installed"
fi
