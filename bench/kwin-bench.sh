#!/usr/bin/env bash
# The KWin rows of `make bench`, run inside the Debian 13 root (scripts/in-debian13) on a headless KWin with
# one foot window: a shortcut invoked through kglobalaccel to the window settled at its zone, for Corvane
# (Control+Alt+1 and the next-zone chord, alternately: the left and the right half) and, in the same run and
# the same way, for KWin's own "Quick Tile Window to the Left" and "…Right" as the anchor; a `corvane zone`
# command to the window settled; the daemon's and KWin's CPU and the daemon's wake-ups over 60 s with
# nothing moving; and the same over 10 s of the pointer moving a window by its title bar at 100 events a
# second. A placement has settled at the last frame KWin reports before 250 ms without a change; times
# come from one clock (KWin's Date.now() and the shell's), both sides started by qdbus6 alike.
# Usage: bench/kwin-bench.sh BUILD RUNS   (BUILD: a build of the root with the KWin tests' helpers)
set -u
build=$1 runs=${2:-50}
KWIN_FAKE_POINTER=$build/tests/kwin/corvane_fake_pointer KWIN_TEST_PANEL=$build/tests/kwin/corvane_test_panel
source "$(dirname "$0")/../tests/kwin/session.sh"

kwin_start 1
# A panel with a tray, as a Plasma user has: Corvane's panel stays hidden until the icon is clicked.
start_panel 0 40 tray
foot=$(start_foot bench-foot)
frames=$KWIN_TMP/frames.js
cat >"$frames" <<'JS'
function watch(w) {
    w.frameGeometryChanged.connect(() => print("bench-frame", Date.now(), w.internalId));
}
workspace.windowList().forEach(watch);
workspace.windowAdded.connect(watch);
JS
kwin_load_script "$frames" corvane-bench-frames

# Drag to snap on, as a user who drags windows has it: the move below shows the preview zone by zone.
mkdir -p "$XDG_CONFIG_HOME/corvane"
echo '<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>dragSnapEnabled</key><true/></dict></plist>' \
  >"$XDG_CONFIG_HOME/corvane/app.corvane.plist"
XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE QT_QPA_PLATFORM=wayland "$build/corvane" \
  >"$KWIN_TMP/corvane.log" 2>&1 &
corvane=$!
kwin_track $corvane
wait_for 10 grep -q "Corvane is running." "$KWIN_TMP/corvane.log" || fail "Corvane did not start"
kwin_call /KWin org.kde.KWin.activateWindow "$foot" >/dev/null 2>&1 || true

now_ms() { date +%s%3N; }
# Milliseconds from $1 to the last frame change of foot before 250 ms of quiet; none when nothing moved.
settled_after() {
  local start=$1 last=0 seen
  local deadline=$((start + 2000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    seen=$(awk -v s="$start" -v id="$foot" '$2 == "bench-frame" && $3 >= s && $4 == id {t = $3} END {print t + 0}' \
      "$KWIN_LOG")
    if [ "$seen" -gt 0 ] && [ "$(now_ms)" -ge $((seen + 250)) ]; then
      echo $((seen - start))
      return
    fi
    sleep 0.05
  done
}
invoke() { timeout 5 qdbus6 org.kde.kglobalaccel "/component/$1" org.kde.kglobalaccel.Component.invokeShortcut "$2" \
  >/dev/null; }
summary() { # label, then one figure a line on stdin
  sort -n | awk -v label="$1" '{v[NR] = $1} END {if (NR == 0) {print label ": no figure"; exit}
    printf "%s: median %.1f ms, 90th percentile %.1f ms (n = %d)\n", label, v[int((NR + 1) / 2)], v[int(NR * 0.9 + 0.5)], NR}'
}
time_shortcuts() { # component, first action, second action
  local i start
  for ((i = 0; i < runs; i++)); do
    start=$(now_ms)
    if ((i % 2 == 0)); then invoke "$1" "$2"; else invoke "$1" "$3"; fi
    settled_after "$start"
  done
}

time_shortcuts corvane layout-1 throw-next | summary "corvane: shortcut to window settled at its zone"
time_shortcuts kwin "Window Quick Tile Left" "Window Quick Tile Right" |
  summary "kwin quick tile: shortcut to window settled at its zone"
for ((i = 0; i < runs; i++)); do
  start=$(now_ms)
  if ((i % 2 == 0)); then "$build/corvane" zone Split 1; else "$build/corvane" zone Split 2; fi
  settled_after "$start"
done | summary "corvane zone command: start to window settled"

# CPU (user + system, every thread) in milliseconds and voluntary context switches of a process.
cpu_ms() { awk '{print ($14 + $15) * 1000 / '"$(getconf CLK_TCK)"'}' "/proc/$1/stat"; }
# "TID COUNT" a line: each thread's voluntary context switches, its wake-ups.
wakeups() {
  local task
  for task in /proc/"$1"/task/*; do
    echo "${task##*/} $(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status" 2>/dev/null)"
  done
}
# Wake-ups between two readings: a thread that started meanwhile counts from 0, one that ended is left out.
woken() { awk 'NR == FNR {before[$1] = $2; next} {n += $2 - before[$1]} END {print n + 0}' "$1" "$2"; }
measure() { # label, seconds, command run meanwhile
  local label=$1 seconds=$2 c0 k0
  shift 2
  c0=$(cpu_ms "$corvane") k0=$(cpu_ms "$KWIN_PID")
  wakeups "$corvane" >"$KWIN_TMP/wakeups.before"
  "$@"
  wakeups "$corvane" >"$KWIN_TMP/wakeups.after"
  echo "$label: corvane $(awk -v a="$c0" -v b="$(cpu_ms "$corvane")" 'BEGIN {print b - a}') ms of CPU," \
    "$(woken "$KWIN_TMP/wakeups.before" "$KWIN_TMP/wakeups.after") wake-ups" \
    "($(woken <(grep "^$corvane " "$KWIN_TMP/wakeups.before") <(grep "^$corvane " "$KWIN_TMP/wakeups.after"))" \
    "of its main thread), kwin $(awk -v a="$k0" -v b="$(cpu_ms "$KWIN_PID")" 'BEGIN {print b - a}') ms of CPU" \
    "over $seconds s"
}
measure "idle" 60 sleep 60

set -- $(window_frame "$foot")
title_x=$(($1 + 40)) title_y=$(($2 + 12))
drag() {
  local i
  pointer_move "$title_x" "$title_y"
  pointer_press
  for ((i = 0; i < 1000; i++)); do
    pointer_move $((title_x + (i % 200) * 2)) $((title_y + (i % 100)))
    sleep 0.01
  done
  pointer_release
}
measure "pointer moving a window at 100 Hz, drag to snap on" 10 drag
