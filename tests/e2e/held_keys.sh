#!/usr/bin/env bash
# End to end: a held Control+Alt+Right steps the window through the zones on every auto-repeated
# key-down, at the keyboard's repeat rate as set after Corvane started, and stops at its release.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
a=$(start_xterm alpha 80x24+100+100)
corvane_start "$corvane"
# Changed while Corvane runs: the repeat follows the keyboard's settings as they are now.
xset r rate 200 6

xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+3; expect_frame "hotkey 3: left third" "$a" 0 0 480 900

# Every left edge the window takes, in order, while the key is held.
edges="$E2E_TMP/edges"
(while :; do outer_frame "$a" | cut -d' ' -f1; sleep 0.02; done) >"$edges" 2>/dev/null &
poller=$!
E2E_PIDS+=($poller)
# The left edges the window stepped through, a line each.
left_edges() { grep -xE '0|480|960' "$edges" | uniq; }
steps_seen() { left_edges | tr '\n' ' ' | grep -q "$1"; }

# The window comes to rest and stays there for three repeat intervals.
settled() { local f; f=$(outer_frame "$a"); sleep 0.1; [ "$(outer_frame "$a")" = "$f" ]; }
stays_put() {
  wait_for 3 settled || fail "$1: the window did not come to rest"
  local before; before=$(outer_frame "$a")
  sleep 0.5
  [ "$(outer_frame "$a")" = "$before" ] || fail "$1: the window kept moving"
}
steps() { left_edges | wc -l; }
more_steps_than() { [ "$(steps)" -gt "$1" ]; }

xdotool keydown ctrl+alt+Right
# The press steps once; the repeats step on, wrapping from the last third to the first.
wait_for 5 steps_seen "0 480 960 0 480 " ||
  { xdotool keyup ctrl+alt+Right; fail "held Control+Alt+Right took the window through: $(left_edges | tr '\n' ' ')"; }
echo "ok - a held Control+Alt+Right steps on through the thirds"

# Each repeat carries the modifiers held at its moment: with Alt let go, Right repeats as
# Control+Right, no hotkey; with Alt pressed again (a key that does not repeat, so Right goes on
# repeating) the steps resume.
xdotool keyup alt
stays_put "Control+Right held"
before=$(steps)
xdotool keydown alt
wait_for 3 more_steps_than "$before" ||
  { xdotool keyup ctrl+alt+Right; fail "the steps did not resume with Alt pressed again"; }
echo "ok - each repeat takes the modifiers held at its moment"

xdotool keyup ctrl+alt+Right
stays_put "after the release"
kill "$poller"
echo "ok - the steps stop when the key is released"

echo "end-to-end held keys: all passed"
