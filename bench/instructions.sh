#!/usr/bin/env bash
# Instruction counts per event under callgrind, steadier than the timings: one confirmed drag event
# (within a zone, across a zone border, within a zone with spacing around zones, within a zone of a
# monitor's own layout) and one mouse move
# outside every corner. Each is counted over 10,000 events.
# Usage: bench/instructions.sh BUILD/bench/corvane_feature_bench
set -eu
bench=$1
out=$(mktemp -d /tmp/corvane-callgrind.XXXXXX)
trap 'rm -rf "$out"' EXIT
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg" "$bench" --callgrind >/dev/null 2>&1
printf '%-48s %s\n' "event" "instructions"
for dump in "$out"/cg.*; do
  name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$dump")
  total=$(sed -n 's/^summary: //p' "$dump")
  printf '%-48s %d\n' "$name" $((total / 10000))
done
