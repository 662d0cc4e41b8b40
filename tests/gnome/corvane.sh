# Corvane's daemon and command line in the GNOME session of session.sh, sourced after it by the GNOME
# tests that run the program. Before sourcing, a test sets CORVANE to the program. Then the functions
# of scripts/corvane-fixture.sh (corvane_settings, corvane_start, corvane_stop, corvane_wait_exit,
# corvane_log_has, corvane_do, corvane_settle), the daemon started as a GNOME session starts it; its
# logs are kept with the Shell's when the test fails. And:
#   activate ID                   makes the window the focused one, as a click on it would
#   chord CODE [MODIFIER]         Control+Alt (and the modifier of that evdev code: 42 Shift, 125 Super)
#                                 with the key of that evdev code, typed
#   corvane_readable              an accessibility bus of the test's own, which each corvane_start from
#                                 then on is told of (AT_SPI_BUS_ADDRESS, as Qt allows): Corvane's windows
#                                 are read on it as a screen reader reads them (a11y.py)
#   shown_in TITLE                "ROLE<TAB>NAME" of everything shown in Corvane's window of that title
#   expect_shown TITLE LINE WHAT  waits (10 s) for such a line; says so
#   window_titled TITLE           the Shell's id of the window of that title
#   open_settings                 the settings window, opened through the command line
#   press TITLE ROLE NAME         presses a button or switch shown in that window as a keyboard user does:
#                                 the window focused, the control given the focus (as a screen reader's
#                                 user moves it; Tab would too), then Space. The input must have started
#                                 before Corvane (session.sh, input_start)
#   preview                       the zone preview the extension draws: "X Y WIDTH HEIGHT" while shown
#   preview_near "X Y W H"        whether it is shown there, to within 8 pixels on each side
#   preview_hidden                whether it is hidden
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/corvane-fixture.sh" gnome "$GNOME_TMP" gnome_track
CORVANE_A11Y=$(dirname "${BASH_SOURCE[0]}")/a11y.py

# Where the Shell has no tray, Corvane's panel is a window of its own, shown as Corvane starts, and
# it takes the focus as it maps; where it has one, Corvane's icon is in the top bar. Corvane is ready
# once the Shell shows the one or the other.
corvane_ready() {
  wait_for 10 panel_or_icon_shown || fail "the Shell shows neither Corvane's panel nor its icon"
}

panel_or_icon_shown() {
  shell_is "String(global.display.list_all_windows().some(w => w.get_pid() === $CORVANE_PID &&
    w.get_title() === 'Corvane' && w.get_compositor_private()?.mapped === true) ||
    Object.keys(Main.panel.statusArea).some(k => k.startsWith('appindicator-')))" true
}

activate() {
  shell_eval "Main.activateWindow(global.display.list_all_windows().find(w => String(w.get_id()) === '$1'))" >/dev/null
  wait_for 5 shell_is "String(global.display.focus_window?.get_id())" "$1" || fail "the Shell did not focus $1"
}

chord() {
  pointer_key 29 down && pointer_key 56 down && { [ -z "${2:-}" ] || pointer_key "$2" down; } &&
    pointer_key "$1" down && pointer_key "$1" up && { [ -z "${2:-}" ] || pointer_key "$2" up; } &&
    pointer_key 56 up && pointer_key 29 up
}

corvane_readable() {
  CORVANE_A11Y_BUS=$(start_bus session "$GNOME_TMP/a11y-bus.address" >/dev/null &&
    head -1 "$GNOME_TMP/a11y-bus.address")
}

shown_in() {
  timeout 20 python3 "$CORVANE_A11Y" "$CORVANE_A11Y_BUS" "$CORVANE_PID" "$1" texts
}

shows() {
  shown_in "$1" | grep -qxF "$2"
}

expect_shown() {
  wait_for 10 shows "$1" "$2" || fail "$3: \"$1\" does not show \"$2\" but: $(shown_in "$1")"
  echo "ok - $3: \"$1\" shows \"${2#*$'\t'}\""
}

window_titled() {
  shell_eval "global.display.list_all_windows().filter(w => w.get_title() === '$1').map(w => String(w.get_id()))[0] ?? ''" |
    grep .
}

open_settings() {
  corvane_do settings >/dev/null || fail "corvane settings failed"
  wait_for 10 window_titled "Corvane Settings" || fail "no settings window"
}

press() {
  activate "$(window_titled "$1")"
  timeout 20 python3 "$CORVANE_A11Y" "$CORVANE_A11Y_BUS" "$CORVANE_PID" "$1" focus "$2" "$3" ||
    fail "\"$3\" in \"$1\" could not be given the focus"
  pointer_key 57 down && pointer_key 57 up
}

# The preview as the extension draws it: "X Y WIDTH HEIGHT" while shown; with "swap", the second
# rectangle a swap shows.
preview() {
  local name=corvane-preview
  [ "${1:-}" = swap ] && name=corvane-swap-preview
  shell_eval "const p = Main.layoutManager.uiGroup.get_children().find(a => a.name === '$name');
p && p.visible && p.opacity > 0 ? [p.x, p.y, p.width, p.height].join(' ') : ''"
}
# Whether the preview (or with "swap" the swap's) lies within 8 pixels of "X Y WIDTH HEIGHT".
preview_near() {
  local shown
  shown=($(preview "${2:-}")) && [ ${#shown[@]} = 4 ] || return 1
  local expected=($1) i
  for i in 0 1 2 3; do
    [ $((shown[i] - expected[i])) -le 8 ] && [ $((expected[i] - shown[i])) -le 8 ] || return 1
  done
}
preview_hidden() {
  [ -z "$(preview)" ]
}
