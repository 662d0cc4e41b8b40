#!/usr/bin/env bash
# End to end under a window manager with its stock configuration: two windows Corvane put in the halves
# of Split, and a third over both. Activated as a taskbar activates a window, the left one comes up with
# the right one just below it, and keeps the focus; the right one activated then comes up over the left
# one. Started again with the setting off, the activated window comes up alone. A window manager that
# takes no pager's restack (xfwm4) would focus every window raised: there the activated one comes up
# alone, and Corvane's log says why.
# Usage: group_raise.sh CORVANE TYPED_WINDOW [openbox|xfwm4|metacity|...]
set -u
corvane=$1 typed_window=$2 E2E_WM=${3:-openbox}
source "$(dirname "$0")/desktop.sh"

start_session_bus
start_desktop 1440 900
start_typed_window a "$typed_window" NORMAL alpha 300 200 400 300
start_typed_window b "$typed_window" NORMAL bravo 350 250 400 300
corvane_settings '<key>groupRaiseEnabled</key><true/>'
corvane_start "$corvane"
place_halves() {
  xdotool windowactivate --sync "$a"
  run zone Split 1
  [ "$status" = 0 ] || fail "corvane zone Split 1 failed ($status): $said"
  xdotool windowactivate --sync "$b"
  run zone Split 2
  [ "$status" = 0 ] || fail "corvane zone Split 2 failed ($status): $said"
  expect_frame "$E2E_WM: alpha in the left half" "$a" 0 0 720 900
  expect_frame "$E2E_WM: bravo in the right half" "$b" 720 0 720 900
}
place_halves
start_typed_window c "$typed_window" NORMAL charlie 100 100 1240 700

# The window manager's stacking, top first, as decimal ids.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//; s/,/ /g' | tr ' ' '\n' | grep . |
    while read -r id; do printf '%d\n' "$id"; done | tac | tr '\n' ' '
}
top_is() { [[ "$(stacking)" == "$*"* ]]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
expect_top() {
  local what=$1; shift
  wait_for 3 top_is "$@" || fail "$E2E_WM: $what: the stacking is $(stacking), expected $* on top"
  echo "ok - $E2E_WM: $what"
}

xdotool windowactivate --sync "$c"
expect_top "charlie over both" "$c"
xdotool windowactivate --sync "$a"
if xprop -root _NET_SUPPORTED | grep -q _NET_RESTACK_WINDOW; then
  expect_top "alpha activated comes up with bravo just below it" "$a" "$b" "$c"
  corvane_settle
  active_is "$a" || fail "$E2E_WM: alpha lost the focus to $(xdotool getactivewindow)"
  top_is "$a" "$b" "$c" || fail "$E2E_WM: the stacking moved on to $(stacking)"
  echo "ok - $E2E_WM: alpha keeps the focus, and the stacking stays"
  xdotool windowactivate --sync "$b"
  expect_top "bravo activated comes up over alpha" "$b" "$a" "$c"
else
  # It focuses any window raised otherwise than by a pager's restack.
  corvane_settle
  top_is "$a" "$c" && active_is "$a" ||
    fail "$E2E_WM: with no restack, the stacking is $(stacking) and $(xdotool getactivewindow) active"
  grep -q "the window manager raises no window without giving it the focus" "$CORVANE_LOG" ||
    fail "$E2E_WM: Corvane's log does not say why nothing rose with alpha"
  echo "ok - $E2E_WM takes no restack: alpha comes up alone with the focus, and Corvane's log says why"
fi

corvane_stop >/dev/null
corvane_settings '<key>groupRaiseEnabled</key><false/>'
corvane_start "$corvane"
place_halves
xdotool windowactivate --sync "$c"
xdotool windowactivate --sync "$a"
expect_top "with the setting off alpha comes up alone" "$a" "$c"
corvane_settle
top_is "$a" "$c" || fail "$E2E_WM: with the setting off the stacking moved on to $(stacking)"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end groups rising together on $E2E_WM: all passed"
