# The palette's end-to-end runs: the accessibility bus of a desktop session, and the steps every
# palette run shares. Sourced after desktop.sh.

# The accessibility bus, as a desktop session starts it: on request of the session bus, which makes
# its launcher, bus and registry the session bus's descendants, ended with it. It announces itself on
# the root window.
start_accessibility_bus() {
  start_session_bus
  gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress >/dev/null ||
    fail "the accessibility bus did not start"
  wait_for 5 sh -c 'xprop -root AT_SPI_BUS | grep -q unix:' || fail "the accessibility bus did not announce itself"
}

enable_palette() {
  corvane_settings '<key>zoomPaletteEnabled</key><true/><key>zoomPaletteVerbose</key><true/>'
}

# The desktop every window manager's palette run starts from (E2E_WM, as start_desktop takes it): an
# xterm, $a, in front, and Corvane with the palette on.
start_palette_desktop() {
  start_desktop 1440 900
  start_session_bus # for corvane_settle
  a=$(start_xterm alpha 80x24+300+300)
  enable_palette
  corvane_start "$corvane"
  xdotool windowactivate --sync "$a"
}

palette_window() { xdotool search --onlyvisible --name '^Corvane Palette$' 2>/dev/null; }
no_palette() { ! palette_window >/dev/null; }

# Moves onto a point and rests there, the way a hand does: XTEST motion in ten steps.
rest_on() { "$pointer" move "$1" "$2" 10 30; }

# Rests on each point until Corvane has judged it, the dwell and the retries over; no palette may open.
expect_no_palette_on() {
  local what=$1; shift
  while [ $# -ge 2 ]; do
    rest_on "$1" "$2"
    corvane_settle
    no_palette || fail "$what: the palette opened at $1,$2"
    shift 2
  done
  echo "ok - $what"
}

# Rests on the button (x y width height) and expects the palette just below it: its left edge 8
# pixels left of the button, its top 6 below the button's bottom, unless the screen edge pushes it.
expect_palette_below() {
  local what=$1 bx=$2 by=$3 bw=$4 bh=$5
  rest_on $((bx + bw / 2)) $((by + bh / 2))
  wait_for 3 palette_window || fail "$what: the palette did not open on the button"
  eval "$(xdotool getwindowgeometry --shell "$(palette_window | head -1)")"
  [ "$Y" -eq $((by + bh + 6)) ] || fail "$what: the palette's top is at $Y, not 6 below the button's bottom $((by + bh))"
  [ "$X" -eq $((bx - 8)) ] || [ $((X + WIDTH)) -eq $((1440 - 8)) ] ||
    fail "$what: the palette's left edge is at $X, not 8 left of the button at $bx"
  echo "ok - $what"
  [ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
}

# Into the open palette and onto the right half of its first thumbnail ("Split"): the bottom row of
# thumbnails ends 12 above the panel's bottom, each row 55 tall and 10 apart.
pick_right_half() {
  eval "$(xdotool getwindowgeometry --shell "$(palette_window | head -1)")"
  "$pointer" move $((X + 12 + 60)) $((Y + HEIGHT - 12 - 55 - 10 - 27)) 10 150
  corvane_settle
  palette_window >/dev/null || fail "the palette closed while the pointer moved into it"
  "$pointer" down 1 up 1
  wait_for 2 no_palette || fail "the palette stayed open after the pick"
}
