#!/usr/bin/env bash
# Runs every benchmark and prints one table: each figure next to its target. The full output of each
# run goes to BUILD/bench.log. Usage: bench/run.sh BUILD [PRESSES]
set -u
build=$1 presses=${2:-50}
here=$(dirname "$0")
log=$build/bench.log
: >"$log"
step() { echo "bench: $*" >&2; }

step "Google Benchmark: the model and the two features"
csv=$({ "$build/bench/corvane_bench" --benchmark_format=csv
        "$build/bench/corvane_feature_bench" --benchmark_format=csv; } 2>>"$log" | tee -a "$log")
step "callgrind: instructions per event"
instructions=$("$here/instructions.sh" "$build/bench/corvane_feature_bench" 2>>"$log" | tee -a "$log")
step "the throw-away desktop: start-up, $presses hotkey presses, memory, 60 s idle, 10 s of motion at 100 and at 1,000 Hz, xbindkeys"
desktop=$("$here/desktop-bench.sh" "$build/corvane" "$build/bench/corvane_hotkey_latency" \
  "$build/tests/corvane_xtest_pointer" "$build/bench/corvane_paced_reader" "$presses" 2>>"$log" | tee -a "$log")

step "the Wayland benchmarks' build, in the Debian 13 root"
extension=build-bench-debian13/data/gnome/corvane@corvane.app
"$here/../scripts/in-debian13" bash -c "cmake -S . -B build-bench-debian13 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCORVANE_CHECK_SOURCES=OFF >/dev/null &&
  cmake --build build-bench-debian13 -j $(nproc) --target corvane corvane_fake_pointer corvane_test_panel \
    corvane_remote_input corvane_fake_daemon corvane_agent_protocol corvane_gnome_extension >/dev/null" 2>>"$log"

# The same build on the newer desktops of Debian forky (KWin 6.7, GNOME Shell 50), in its test root.
kwin_bench() { "$here/../scripts/in-root" "$1" bench/kwin-bench.sh build-bench-debian13 "$presses" 2>>"$log" | tee -a "$log"; }
gnome_bench() {
  "$here/../scripts/in-root" "$1" env GNOME_EXTENSION_BUILT="$PWD/$extension" \
    bench/gnome-bench.sh build-bench-debian13 "$presses" 20 2>>"$log" | tee -a "$log"
}
step "KDE Plasma: a headless KWin 6.3 (Debian 13) and 6.7 (forky), $presses shortcuts each for Corvane and KWin's quick tile, 60 s idle, 10 s of a window moved by the pointer"
kwin=$(kwin_bench trixie)
kwin67=$(kwin_bench forky)
step "GNOME Shell: a headless GNOME Shell 48 (Debian 13) and 50 (forky), the extension's bridge, $presses chords each for Corvane and GNOME's own tiling, 20 s idle"
gnome=$(gnome_bench trixie)
gnome50=$(gnome_bench forky)

# CPU time of a Google Benchmark in nanoseconds.
ns() { awk -F, -v n="$1" '{gsub(/"/, "", $1)} $1 == n {f = ($5 == "us") ? 1000 : ($5 == "ms") ? 1e6 : 1; print $4 * f}' <<<"$csv"; }
count() { awk -v n="$1" '$1 == n {print $2}' <<<"$instructions"; }
# The number after a label in the desktop run's output ("label ... <number> <unit>").
field() { grep -m1 "^$1" <<<"$desktop" | sed -E "s/^$1[^0-9]*//; s/$2.*//"; }
pretty_ns() { awk -v t="$1" 'BEGIN {if (t == "") print "—"; else if (t >= 1e6) printf "%.2f ms", t / 1e6;
  else if (t >= 1000) printf "%.2f us", t / 1000; else printf "%.1f ns", t}'; }
# "met" when the figure is below the limit (or, with "<=" or ">=", at most or at least the limit).
verdict() { awk -v v="$1" -v limit="$2" -v op="${3:-<}" 'BEGIN {if (v == "" || limit == "") print "no figure";
  else {v += 0; limit += 0; ok = op == "<" ? v < limit : op == "<=" ? v <= limit : v >= limit;
  print ok ? "met" : "NOT met"}}'; }
# Median and 95th percentile of one latency row of the desktop run ("<who>: hotkey ... median M ms, 95th percentile P ms").
latency() { awk -v who="$1: " 'index($0, who) == 1 && / to window moved:/ {print; exit}' <<<"$desktop"; }
median() { latency "$1" | sed -E 's/.*, median ([0-9.]+) ms, 95th.*/\1/'; }
p95() { latency "$1" | sed -E 's/.*percentile ([0-9.]+) ms.*/\1/'; }
ratio() { awk -v x="$1" -v c="$2" 'BEGIN {if (x != "" && c > 0) printf "%.2f", x / c}'; }
# CPU, wake-ups and motion events of one motion row ("pointer moving at N Hz: C ms of CPU, W wake-ups for E ...").
motion_field() { grep -m1 "^pointer moving at $1 Hz" <<<"$desktop" | sed -E "s/.* ([0-9]+) $2.*/\1/"; }

row() { printf '| %-52s | %-16s | %-18s | %-9s |\n' "$1" "$2" "$3" "$4"; }
within=$(ns BM_ConfirmedDragEventWithinAZone) across=$(ns BM_ConfirmedDragEventAcrossAZoneBorder)
own=$(ns BM_ConfirmedDragEventWithinAZoneOfAMonitorsOwnLayout)
corner=$(ns BM_MouseMoveOutsideEveryCorner)
c_median=$(median corvane) c_p95=$(p95 corvane)
m_median=$(median "corvane, moving") m_p95=$(p95 "corvane, moving")
s_median=$(median "corvane, cycle step") s_p95=$(p95 "corvane, cycle step")
x_median=$(median "xbindkeys + xdotool") x_p95=$(p95 "xbindkeys + xdotool")
xm_median=$(median "xbindkeys + xdotool, moving") xm_p95=$(p95 "xbindkeys + xdotool, moving")
xs_median=$(median "xbindkeys + xdotool, cycle step") xs_p95=$(p95 "xbindkeys + xdotool, cycle step")
d_median=$(median "corvane, d-bus") d_p95=$(p95 "corvane, d-bus")
l_median=$(median "corvane, command line") l_p95=$(p95 "corvane, command line")
startup=$(field "start-up to hotkeys armed" " ms")
rss_kib=$(field "resident memory after start" " kB")
rss_mib=$(awk -v k="$rss_kib" 'BEGIN {if (k != "") printf "%.1f", k / 1024}')
idle_ms=$(field "idle for 60 s" " ms") wakeups=$(grep -m1 '^idle for 60 s' <<<"$desktop" | sed -E 's/.*, ([0-9]+) wake-ups/\1/')
cpu100=$(motion_field 100 "ms of CPU") cpu1000=$(motion_field 1000 "ms of CPU")
per_event() { awk -v w="$(motion_field "$1" wake-ups)" -v n="$(motion_field "$1" "motion events")" \
  'BEGIN {if (w != "" && n > 0) printf "%.2f", w / n}'; }
wake100=$(per_event 100) wake1000=$(per_event 1000)
reader100=$(grep -m1 '^bare paced reader at 100 Hz' <<<"$desktop" | sed -E 's/.*: ([0-9]+) ms.*/\1/')
limit100=$(awk -v r="$reader100" 'BEGIN {if (r != "") print 1.5 * r}')
limit1000=$(awk -v c="$cpu100" 'BEGIN {if (c != "") print 1.1 * c}')
speedup=$(ratio "$xm_median" "$m_median")

echo
row "what" "measured" "target" "verdict"
row "----" "--------" "------" "-------"
row "a zone to a screen rectangle, six zones" "$(pretty_ns "$(ns BM_ScreenRectForEveryZoneOfSixPack)")" "" ""
row "tiling a 5 x 5 grid with three merges" "$(pretty_ns "$(ns BM_CellSpansOfAFiveByFiveGridWithMerges)")" "" ""
row "a grid preset to its layout" "$(pretty_ns "$(ns BM_GridLayoutOfAPreset)")" "" ""
row "confirmed drag event, within a zone" "$(pretty_ns "$within")" "< 2 us" "$(verdict "$within" 2000)"
row "confirmed drag event, across a zone border" "$(pretty_ns "$across")" "< 2 us" "$(verdict "$across" 2000)"
spaced=$(ns BM_ConfirmedDragEventWithinAZoneWithSpacing)
row "  within a zone, a gap and a margin around zones" "$(pretty_ns "$spaced")" "< 2 us" "$(verdict "$spaced" 2000)"
row "  the same in instructions per event" "$(count drag-within-zone-spaced)" "" ""
row "  within a zone of a monitor's own layout" "$(pretty_ns "$own")" "< 2 us" "$(verdict "$own" 2000)"
row "mouse move outside every corner, palette on" "$(pretty_ns "$corner")" "< 300 ns" "$(verdict "$corner" 300)"
row "  the same three in instructions per event" \
  "$(count drag-within-zone) / $(count drag-across-border) / $(count move-outside-corners)" "" ""
follow=$(ns BM_NeighbourFollowAmong50Windows)
row "a neighbour's follow of one resize step, 50 windows" "$(pretty_ns "$follow")" "<= 16 ms" "$(verdict "$follow" 16000000 "<=")"
row "press lookup among 500 windows" "$(pretty_ns "$(ns BM_PressLookupAmong500Windows)")" "" ""
row "corner-list fetch of 500 windows" "$(pretty_ns "$(ns BM_CornerListFetchOf500Windows)")" "" ""
row "start-up to hotkeys armed" "${startup:-—} ms" "< 150 ms" "$(verdict "$startup" 150)"
row "hotkey to window moved, size only, median of $presses" "${c_median:-—} ms" "<= 3 ms" "$(verdict "$c_median" 3 "<=")"
row "  95th percentile" "${c_p95:-—} ms" "" ""
row "  xbindkeys + xdotool, median / 95th" "${x_median:-—} / ${x_p95:-—} ms" "" ""
row "  1 and 2 as D-Bus calls (dbus-send): median / 95th" "${d_median:-—} / ${d_p95:-—} ms" "" ""
row "  1 and 2 as corvane apply: median / 95th" "${l_median:-—} / ${l_p95:-—} ms" "" ""
row "hotkey to window moved, moving, median" "${m_median:-—} ms" "<= 4 ms" "$(verdict "$m_median" 4 "<=")"
row "  95th percentile" "${m_p95:-—} ms" "<= 6 ms" "$(verdict "$m_p95" 6 "<=")"
row "  xbindkeys + xdotool, median / 95th" "${xm_median:-—} / ${xm_p95:-—} ms" "" ""
row "  its median over Corvane's" "${speedup:-—} x" ">= 1.5 x" "$(verdict "$speedup" 1.5 ">=")"
row "cycle step (Control+Alt+Right/Left), median / 95th" "${s_median:-—} / ${s_p95:-—} ms" "" ""
row "  xbindkeys + xdotool, median / 95th" "${xs_median:-—} / ${xs_p95:-—} ms" "" ""
row "  its median over Corvane's" "$(ratio "$xs_median" "$s_median") x" "" ""
row "resident memory after start" "${rss_mib:-—} MiB" "< 40 MiB" "$(verdict "$rss_mib" 40)"
row "idle 60 s, pointer still: CPU / wake-ups" "${idle_ms:-—} ms / ${wakeups:-—}" "no timers of ours" ""
row "bare paced reader, the same 10 s at 100 Hz: CPU" "${reader100:-—} ms" "" ""
row "pointer moving 10 s at 100 Hz: CPU" "${cpu100:-—} ms" "<= 1.5 x the reader" "$(verdict "$cpu100" "$limit100" "<=")"
row "  wake-ups per motion event" "${wake100:-—}" "<= 1" "$(verdict "$wake100" 1 "<=")"
row "pointer moving 10 s at 1,000 Hz: CPU" "${cpu1000:-—} ms" "<= 1.1 x 100 Hz" "$(verdict "$cpu1000" "$limit1000" "<=")"
row "  wake-ups per motion event" "${wake1000:-—}" "" ""
# The median and the 90th percentile of a line of a KWin or GNOME run ("label: median M ms, 90th
# percentile P ms (n = N)"), the run's output given first.
run_median() { grep -m1 "^$2: " <<<"$1" | sed -nE 's/.*median ([0-9.]+) ms.*/\1/p'; }
run_p90() { grep -m1 "^$2: " <<<"$1" | sed -nE 's/.*percentile ([0-9.]+) ms.*/\1/p'; }
kwin_use() { grep -m1 "^$1: " <<<"$kwin" | sed -E "s/^$1: //"; }
kwin_rows() {
  local run=$1 name=$2 corvane native limit
  corvane=$(run_median "$run" "corvane: shortcut to window settled at its zone")
  native=$(run_median "$run" "kwin quick tile: shortcut to window settled at its zone")
  limit=$(awk -v n="$native" 'BEGIN {if (n != "") print 1.2 * n}')
  row "$name: shortcut to window settled, median of $presses" "${corvane:-—} ms" "<= 1.2 x KWin's" \
    "$(verdict "$corvane" "$limit" "<=")"
  row "  90th percentile" "$(run_p90 "$run" "corvane: shortcut to window settled at its zone") ms" "" ""
  row "  KWin's own quick tile, median / 90th" \
    "${native:-—} / $(run_p90 "$run" "kwin quick tile: shortcut to window settled at its zone") ms" "" ""
  row "$name: corvane zone to window settled, median / 90th" \
    "$(run_median "$run" "corvane zone command: start to window settled") / $(run_p90 "$run" "corvane zone command: start to window settled") ms" "" ""
}
kwin_rows "$kwin" "KWin 6.3"
k_main_wakeups=$(kwin_use idle | sed -nE 's/.*\(([0-9]+) of its main thread.*/\1/p')
row "KWin 6.3: idle 60 s, main-thread wake-ups" "${k_main_wakeups:-—}" "<= 3 (the long poll)" \
  "$(verdict "$k_main_wakeups" 3 "<=")"
kwin_rows "$kwin67" "KWin 6.7"
gnome_rows() {
  local run=$1 name=$2 corvane native limit
  corvane=$(run_median "$run" "corvane: Control+Alt+1 to window settled at its zone")
  native=$(run_median "$run" "gnome tiling: Super+Left to window settled at its half")
  limit=$(awk -v n="$native" 'BEGIN {if (n != "") print 1.2 * n}')
  row "$name: chord to window settled, median of $presses" "${corvane:-—} ms" "<= 1.2 x GNOME's" \
    "$(verdict "$corvane" "$limit" "<=")"
  row "  90th percentile" "$(run_p90 "$run" "corvane: Control+Alt+1 to window settled at its zone") ms" "" ""
  row "  GNOME's own Super+Left, median / 90th" \
    "${native:-—} / $(run_p90 "$run" "gnome tiling: Super+Left to window settled at its half") ms" "" ""
  row "  Corvane's median over GNOME's" "$(ratio "$corvane" "$native") x" "" ""
}
gnome_rows "$gnome" "GNOME 48"
gnome_rows "$gnome50" "GNOME 50"
echo "KWin, idle 60 s: $(kwin_use idle)"
echo "GNOME: $(grep -m1 '^corvane idle: ' <<<"$gnome")"
echo "GNOME: $(grep -m1 '^Run round trip: ' <<<"$gnome")"
echo "KWin, a window moved by the pointer with drag to snap on: $(kwin_use "pointer moving a window at 100 Hz, drag to snap on")"
echo
echo "bench: the full output is in $log"
