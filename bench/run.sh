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
step "the throw-away desktop: start-up, $presses hotkey presses, memory, 60 s idle, 10 s of motion, xbindkeys"
desktop=$("$here/desktop-bench.sh" "$build/corvane" "$build/bench/corvane_hotkey_latency" \
  "$build/tests/corvane_xtest_pointer" "$presses" 2>>"$log" | tee -a "$log")

# CPU time of a Google Benchmark in nanoseconds.
ns() { awk -F, -v n="$1" '{gsub(/"/, "", $1)} $1 == n {f = ($5 == "us") ? 1000 : ($5 == "ms") ? 1e6 : 1; print $4 * f}' <<<"$csv"; }
count() { awk -v n="$1" '$1 == n {print $2}' <<<"$instructions"; }
# The number after a label in the desktop run's output ("label ... <number> <unit>").
field() { grep -m1 "^$1" <<<"$desktop" | sed -E "s/^$1[^0-9]*//; s/$2.*//"; }
pretty_ns() { awk -v t="$1" 'BEGIN {if (t == "") print "—"; else if (t >= 1e6) printf "%.2f ms", t / 1e6;
  else if (t >= 1000) printf "%.2f us", t / 1000; else printf "%.1f ns", t}'; }
# "met" when the figure is below the limit, "NOT met" otherwise, blank without a figure.
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN {if (v == "") print "no figure"; else print (v + 0 < limit + 0) ? "met" : "NOT met"}'; }

row() { printf '| %-52s | %-14s | %-16s | %-9s |\n' "$1" "$2" "$3" "$4"; }
within=$(ns BM_ConfirmedDragEventWithinAZone) across=$(ns BM_ConfirmedDragEventAcrossAZoneBorder)
corner=$(ns BM_MouseMoveOutsideEveryCorner)
c_median=$(grep -m1 '^corvane: hotkey' <<<"$desktop" | sed -E 's/.*, median ([0-9.]+) ms, 95th.*/\1/')
c_p95=$(grep -m1 '^corvane: hotkey' <<<"$desktop" | sed -E 's/.*percentile ([0-9.]+) ms.*/\1/')
m_median=$(grep -m1 '^corvane, moving: hotkey' <<<"$desktop" | sed -E 's/.*, median ([0-9.]+) ms, 95th.*/\1/')
m_p95=$(grep -m1 '^corvane, moving: hotkey' <<<"$desktop" | sed -E 's/.*percentile ([0-9.]+) ms.*/\1/')
d_median=$(grep -m1 '^corvane, d-bus: command' <<<"$desktop" | sed -E 's/.*, median ([0-9.]+) ms, 95th.*/\1/')
d_p95=$(grep -m1 '^corvane, d-bus: command' <<<"$desktop" | sed -E 's/.*percentile ([0-9.]+) ms.*/\1/')
l_median=$(grep -m1 '^corvane, command line: command' <<<"$desktop" | sed -E 's/.*, median ([0-9.]+) ms, 95th.*/\1/')
l_p95=$(grep -m1 '^corvane, command line: command' <<<"$desktop" | sed -E 's/.*percentile ([0-9.]+) ms.*/\1/')
x_median=$(grep -m1 '^xbindkeys + xdotool: hotkey' <<<"$desktop" | sed -E 's/.*, median ([0-9.]+) ms, 95th.*/\1/')
x_p95=$(grep -m1 '^xbindkeys + xdotool: hotkey' <<<"$desktop" | sed -E 's/.*percentile ([0-9.]+) ms.*/\1/')
startup=$(field "start-up to hotkeys armed" " ms")
rss_kib=$(field "resident memory after start" " kB")
rss_mib=$(awk -v k="$rss_kib" 'BEGIN {if (k != "") printf "%.1f", k / 1024}')
idle_ms=$(field "idle for 60 s" " ms") wakeups=$(grep -m1 '^idle for 60 s' <<<"$desktop" | sed -E 's/.*, ([0-9]+) wake-ups/\1/')
moving_ms=$(field "pointer moving for 10 s" " ms")
ratio=$(awk -v x="$x_median" -v c="$c_median" 'BEGIN {if (x != "" && c > 0) printf "%.2f", x / c; else print "—"}')

echo
row "what" "measured" "target" "verdict"
row "----" "--------" "------" "-------"
row "a zone to a screen rectangle, six zones" "$(pretty_ns "$(ns BM_ScreenRectForEveryZoneOfSixPack)")" "" ""
row "tiling a 5 x 5 grid with three merges" "$(pretty_ns "$(ns BM_CellSpansOfAFiveByFiveGridWithMerges)")" "" ""
row "a grid preset to its layout" "$(pretty_ns "$(ns BM_GridLayoutOfAPreset)")" "" ""
row "confirmed drag event, within a zone" "$(pretty_ns "$within")" "< 2 us" "$(verdict "$within" 2000)"
row "confirmed drag event, across a zone border" "$(pretty_ns "$across")" "< 2 us" "$(verdict "$across" 2000)"
row "mouse move outside every corner, palette on" "$(pretty_ns "$corner")" "< 300 ns" "$(verdict "$corner" 300)"
row "  the same three in instructions per event" \
  "$(count drag-within-zone) / $(count drag-across-border) / $(count move-outside-corners)" "" ""
row "press lookup among 500 windows" "$(pretty_ns "$(ns BM_PressLookupAmong500Windows)")" "" ""
row "corner-list fetch of 500 windows" "$(pretty_ns "$(ns BM_CornerListFetchOf500Windows)")" "" ""
row "start-up to hotkeys armed" "${startup:-—} ms" "< 150 ms" "$(verdict "$startup" 150)"
row "hotkey to window moved, median of $presses" "${c_median:-—} ms" "< 12 ms" "$(verdict "$c_median" 12)"
row "hotkey to window moved, 95th percentile" "${c_p95:-—} ms" "< 20 ms" "$(verdict "$c_p95" 20)"
row "  1 and 2 as D-Bus calls (dbus-send): median / 95th" "${d_median:-—} / ${d_p95:-—} ms" "" ""
row "  1 and 2 as corvane apply: median / 95th" "${l_median:-—} / ${l_p95:-—} ms" "" ""
row "  a placement that also moves: median / 95th" "${m_median:-—} / ${m_p95:-—} ms" "" ""
row "xbindkeys + xdotool, median / 95th percentile" "${x_median:-—} / ${x_p95:-—} ms" "" ""
row "  its median over Corvane's" "$ratio x" "" ""
row "resident memory after start" "${rss_mib:-—} MiB" "< 40 MiB" "$(verdict "$rss_mib" 40)"
row "idle 60 s, pointer still: CPU / wake-ups" "${idle_ms:-—} ms / ${wakeups:-—}" "timers only" ""
row "pointer moving 10 s: CPU" "${moving_ms:-—} ms" "" ""
echo
echo "bench: the full output is in $log"
