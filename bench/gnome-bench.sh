#!/usr/bin/env bash
# The GNOME rows of `make bench`, run inside the Debian 13 root (scripts/in-debian13) on a headless GNOME
# Shell with one monitor. First the extension's own figures, with one foot window and the fake daemon of
# tests/gnome: a Run call's round trip (a command that reports nothing); a frame command from the call to
# the frame event at the requested place (the window alternates between two places, times from the fake
# daemon's one clock); and the Shell's wake-ups (voluntary context switches) and CPU over IDLE seconds
# with nothing moving, with the extension off, on with no daemon, and on with a daemon attached that asked
# for moves. Then Corvane itself: Control+Alt+1 to the window settled at its zone, beside GNOME's own
# Super+Left measured the same way in the same run, RUNS each; and Corvane's CPU and wake-ups over IDLE
# seconds with nothing moving.
# Usage: bench/gnome-bench.sh BUILD [RUNS [IDLE]]   (BUILD: a build of the root with the program and the
# GNOME tests' helpers)
set -u
build=$1 runs=${2:-50} idle=${3:-20}
GNOME_REMOTE_INPUT=$build/tests/gnome/corvane_remote_input GNOME_FAKE_DAEMON=$build/tests/gnome/corvane_fake_daemon
source "$(dirname "$0")/../tests/gnome/session.sh"

# "median / 90th" of the numbers on standard input, in milliseconds from microseconds.
percentiles() {
  python3 -c 'import sys
v = sorted(float(x) / 1000 for x in sys.stdin.read().split())
print("%.2f / %.2f ms (n = %d)" % (v[len(v) // 2], v[min(len(v) - 1, int(len(v) * 0.9))], len(v)))'
}

# The Shell's voluntary context switches and CPU ticks (user + system) now.
shell_counters() {
  echo "$(awk '/^voluntary_ctxt_switches/ {print $2}' /proc/$GNOME_PID/status) \
$(awk '{print $14 + $15}' /proc/$GNOME_PID/stat)"
}
idle_row() {
  local before after
  sleep 2 # what the last step set going settles
  before=($(shell_counters))
  sleep "$idle"
  after=($(shell_counters))
  echo "$1: $((after[0] - before[0])) wake-ups, $(((after[1] - before[1]) * 10)) ms CPU in $idle s"
}

gnome_start 1
foot=$(start_foot bench-foot)

gdbus_ext() {
  timeout 5 gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method "org.gnome.Shell.Extensions.$1" "$GNOME_UUID" >/dev/null
}
gdbus_ext DisableExtension
wait_for 5 shell_is "Main.extensionManager.lookup('$GNOME_UUID').state" 2 || fail "the extension did not turn off"
idle_row "idle, the extension off"
gdbus_ext EnableExtension
wait_for 5 shell_is "Main.extensionManager.lookup('$GNOME_UUID').state" 1 || fail "the extension did not turn on"
idle_row "idle, the extension on, no daemon"

daemon_start
daemon_ok '[{"c":"moves","report":true},{"c":"regions","regions":[]}]'
reports=$(wc -l <"$DAEMON_EVENTS")
idle_row "idle, a daemon attached that asked for moves"
echo "reports to the daemon while idle: $(($(wc -l <"$DAEMON_EVENTS") - reports))"

for _ in $(seq "$runs"); do
  daemon_run '[{"c":"moves","report":true}]' | awk '$1 == "ok" {print $2}'
done | percentiles | sed 's/^/Run round trip: /'

# The frame event at the requested place, after the call was sent: the first such event after it.
first_time_at() {
  python3 -c '
import json, sys
events, times, after, x = open(sys.argv[1]).readlines(), open(sys.argv[1] + ".times").readlines(), int(sys.argv[2]), int(sys.argv[3])
for line, time in list(zip(events, times))[after:]:
    e = json.loads(line)
    if e["e"] == "frame" and e["id"] == sys.argv[4] and e["frame"][0] == x:
        print(time.strip())
        sys.exit(0)
sys.exit(1)' "$DAEMON_EVENTS" "$1" "$2" "$foot"
}
for i in $(seq "$runs"); do
  x=$((i % 2 ? 400 : 100))
  before=$(wc -l <"$DAEMON_EVENTS")
  sent=$(daemon_run '[{"c":"frame","id":"'"$foot"'","frame":['"$x"',100,600,400]}]' | awk '$1 == "ok" {print $3}')
  wait_for 5 first_time_at "$before" "$x" || fail "the frame event at $x did not come"
  echo $(($(first_time_at "$before" "$x") - sent))
done | percentiles | sed 's/^/frame command to the frame event at the place: /'

# Corvane itself against GNOME's own tiling, on a window of their own: foot sizing to any size, so that
# both reach their frame exactly. Control+Alt+1 (Split's first zone, the left half of the work area) and
# Super+Left (GNOME's tile to the left half) are typed through mutter's remote desktop, from the same
# start places, taken in turns so that every run moves the window; a run is timed from just before the
# chord's last key goes down (the shell's clock) to the Shell's frame change that brought the window to
# the left half (the Shell's clock: both are the system's real-time clock), once the frame has stayed
# there for 250 ms.
daemon_stop
CORVANE=$build/corvane
source "$(dirname "$0")/../tests/gnome/corvane.sh"
win=$(start_foot bench-chord --override resize-by-cells=no)
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
activate "$win"
read -r ax ay aw ah <<<"$(work_area 0)"
target="$ax $ay $((aw / 2)) $ah"
starts=("400 200 520 360" "560 260 600 400")
find_win="global.display.list_all_windows().find(w => String(w.get_id()) === '$win')"
shell_eval "const w = $find_win; globalThis.corvaneBench = [];
for (const signal of ['position-changed', 'size-changed'])
    w.connect(signal, () => { const r = w.get_frame_rect(); globalThis.corvaneBench.push([GLib.get_real_time(), r.x, r.y, r.width, r.height]); });
true" >/dev/null || fail "the Shell did not record the window's frames"

frame_is() { [ "$(window_frame "$win")" = "$1" ]; }
# Out of any tiling, at start place $1, with nothing of the change left to come.
place() {
  [ "$(window_maximized "$win")" = 0 ] || shell_eval "const w = $find_win;
w.set_unmaximize_flags ? w.set_unmaximize_flags(Meta.MaximizeFlags.BOTH) : w.unmaximize(Meta.MaximizeFlags.BOTH); true" >/dev/null
  shell_eval "$find_win.move_resize_frame(true, ${1// /, }); true" >/dev/null
  wait_for 5 frame_is "$1" || fail "the window did not go to $1: $(window_frame "$win")"
  sleep 0.3
  shell_eval "globalThis.corvaneBench.length = 0; true" >/dev/null
}
# Milliseconds from $1 (microseconds of the real-time clock) to the frame change that brought the window
# to the target, once it has stayed there 250 ms; nothing while it has not.
settled_since() {
  python3 -c '
import json, sys, time
changes, start, target = json.loads(sys.argv[1]), int(sys.argv[2]), [int(v) for v in sys.argv[3].split()]
if changes and changes[-1][1:] == target and time.time() * 1e6 - changes[-1][0] >= 250000:
    print("%.2f" % ((changes[-1][0] - start) / 1000))
else:
    sys.exit(1)' "$(shell_eval 'globalThis.corvaneBench')" "$1" "$target"
}
# Holds the modifiers (evdev codes $2...), types the key $1, and prints how long the window took.
time_chord() {
  local key=$1 code start took
  shift
  for code in "$@"; do pointer_key "$code" down; done
  start=${EPOCHREALTIME/./}
  pointer_key "$key" down && pointer_key "$key" up
  for code in "$@"; do pointer_key "$code" up; done
  wait_for 3 settled_since "$start" || fail "the window did not settle at $target: $(window_frame "$win")"
  settled_since "$start"
}
median_p90() {
  python3 -c 'import sys
v = sorted(float(x) for x in sys.stdin.read().split())
print("median %.1f ms, 90th percentile %.1f ms (n = %d)" % (v[len(v) // 2], v[min(len(v) - 1, int(len(v) * 0.9))], len(v)))'
}
for i in $(seq "$runs"); do
  place "${starts[i % 2]}"
  time_chord 2 29 56 >>"$GNOME_TMP/corvane.times"
  place "${starts[i % 2]}"
  time_chord 105 125 >>"$GNOME_TMP/gnome.times"
done
echo "corvane: Control+Alt+1 to window settled at its zone: $(median_p90 <"$GNOME_TMP/corvane.times")"
echo "gnome tiling: Super+Left to window settled at its half: $(median_p90 <"$GNOME_TMP/gnome.times")"

# Corvane's CPU and wake-ups (voluntary context switches of every thread, of the main thread in
# brackets) over IDLE seconds with nothing moving.
corvane_cpu_ms() { awk '{print ($14 + $15) * 1000 / '"$(getconf CLK_TCK)"'}' "/proc/$CORVANE_PID/stat"; }
corvane_switches() { # "TID COUNT" a line
  local task
  for task in /proc/"$CORVANE_PID"/task/*; do
    echo "${task##*/} $(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status" 2>/dev/null)"
  done
}
# Wake-ups between two readings: a thread that started meanwhile counts from 0, one that ended is left out.
woken() { awk 'NR == FNR {before[$1] = $2; next} {n += $2 - before[$1]} END {print n + 0}' "$1" "$2"; }
sleep 2
cpu_before=$(corvane_cpu_ms)
corvane_switches >"$GNOME_TMP/switches.before"
sleep "$idle"
corvane_switches >"$GNOME_TMP/switches.after"
echo "corvane idle: $(awk -v a="$cpu_before" -v b="$(corvane_cpu_ms)" 'BEGIN {print b - a}') ms of CPU," \
  "$(woken "$GNOME_TMP/switches.before" "$GNOME_TMP/switches.after") wake-ups" \
  "($(woken <(grep "^$CORVANE_PID " "$GNOME_TMP/switches.before") <(grep "^$CORVANE_PID " "$GNOME_TMP/switches.after"))" \
  "of its main thread) in $idle s"
