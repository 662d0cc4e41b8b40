#!/usr/bin/env bash
# End to end: a held Control+Alt+Right steps the window through the zones on every auto-repeated
# key-down, at the keyboard's repeat rate as set after Corvane started, and stops at its release. Then
# again with the hotkeys kept from other applications: the press starts Corvane's key grab, and the
# server's own repeats reach Corvane as core events while it is held.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
start_session_bus
a=$(start_xterm alpha 80x24+100+100)
corvane_start "$corvane"
# Changed while Corvane runs: the repeat follows the keyboard's settings as they are now.
xset r rate 200 6

hold_right() {
  xdotool windowactivate --sync "$a"
  xdotool key ctrl+alt+3; expect_frame "hotkey 3: left third" "$a" 0 0 480 900

  # Every left edge the window takes, in order, while the key is held: the ConfigureNotify events of the
  # frame openbox put it in (the root's child), each move as the server made it. Reading the frame again
  # and again would miss the steps that come quicker than a read, as they do on a busy machine.
  root=$(xwininfo -root | awk '/Window id/ {print $4}')
  frame=$a
  while parent=$(xwininfo -id "$frame" -tree | awk '/Parent window id/ {print $4}') && [ "$parent" != "$root" ]; do
    frame=$parent
  done
  configures="$E2E_TMP/configures"
  xev -id "$frame" -event structure -event property >"$configures" 2>/dev/null &
  watcher=$!
  E2E_PIDS+=($watcher)
  # Listening once it reports a property set on the frame after it started.
  listening() {
    xprop -id "$frame" -f _CORVANE_E2E_MARK 8s -set _CORVANE_E2E_MARK ready && grep -q PropertyNotify "$configures"
  }
  wait_for 5 listening || fail "xev does not report the frame's events"
  # The left edges the window stepped through, a line each.
  left_edges() {
    grep -oE '\(-?[0-9]+,-?[0-9]+\), width' "$configures" | sed -E 's/^\((-?[0-9]+),.*/\1/' | grep -xE '0|480|960' | uniq
  }
  steps_seen() { left_edges | tr '\n' ' ' | grep -q "$1"; }

  # The repeats Corvane has judged, and the releases it has seen, as its log tells.
  repeats() { grep -c " repeated$" "$CORVANE_LOG"; }
  repeats_past() { [ "$(repeats)" -gt "$1" ]; }
  # Two more repeats judged and their writes, had there been any, landed: the window is where it was.
  stays_put() {
    corvane_settle
    local before n; before=$(outer_frame "$a") n=$(repeats)
    wait_for 3 repeats_past $((n + 1)) || fail "$1: the key stopped repeating"
    corvane_settle
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

  releases() { grep -c " no longer repeats$" "$CORVANE_LOG"; }
  releases_past() { [ "$(releases)" -gt "$1" ]; }
  released=$(releases)
  xdotool keyup ctrl+alt+Right
  wait_for 3 releases_past "$released" || fail "the release did not end the repeat"
  corvane_settle
  # Nothing repeats after the last release Corvane saw.
  [ -z "$(awk '/ no longer repeats$/ { after = "" } / repeated$/ { after = $0 } END { print after }' "$CORVANE_LOG")" ] ||
    fail "the key repeated after its release"
  kill "$watcher"
  echo "ok - the steps stop when the key is released"
}

hold_right

corvane_stop
corvane_settings '<key>hotkeysConsumeKeys</key><true/>'
corvane_start "$corvane"
echo "with the hotkeys kept from other applications:"
hold_right

echo "end-to-end held keys: all passed"
