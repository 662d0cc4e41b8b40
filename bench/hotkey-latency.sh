#!/usr/bin/env bash
# Measures hotkey-to-moved latency and Corvane's resident memory on a throw-away desktop.
# Usage: bench/hotkey-latency.sh CORVANE LATENCY_TOOL [PRESSES]
set -u
corvane=$1 tool=$2 presses=${3:-20}
source "$(dirname "$0")/../tests/e2e/desktop.sh"
start_desktop 1440 900
a=$(start_xterm target 80x24+100+100)
start_corvane "$corvane"
xdotool windowactivate --sync "$a"
code() { xmodmap -pke | awk -v k="$1" '$0 ~ "= "k"( |$)" {print $2; exit}'; }
"$tool" "$a" "$presses" "$(code Control_L)" "$(code Alt_L)" "$(code 1)" "$(code 2)"
sleep 2
echo "resident memory after start: $(awk '/VmRSS/ {print $2, $3}' /proc/$E2E_CORVANE_PID/status)"
