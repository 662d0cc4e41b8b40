#!/usr/bin/env bash
# The GNOME Shell extension's figures, run inside the Debian 13 root (scripts/in-debian13) on a headless
# GNOME Shell with one foot window and the fake daemon of tests/gnome: a Run call's round trip (a command
# that reports nothing); a frame command from the call to the frame event at the requested place (the
# window alternates between two places, times from the fake daemon's one clock); and the Shell's
# wake-ups (voluntary context switches) and CPU over IDLE seconds with nothing moving, with the
# extension off, on with no daemon, and on with a daemon attached that asked for moves.
# Usage: bench/gnome-bench.sh BUILD [RUNS [IDLE]]   (BUILD: a build of the root with the GNOME tests' helpers)
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
