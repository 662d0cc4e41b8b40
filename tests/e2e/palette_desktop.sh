# The palette's end-to-end runs on more than openbox: a private session bus (for xfconf, GSettings
# and the accessibility bus), xfwm4 and metacity in their stock configurations, and the steps every
# palette run shares. Sourced after desktop.sh; every process started here is ended on exit, the
# services the session bus started for us included.

# Processes the session bus started (xfconfd, dconf-service, the accessibility bus and its registry)
# are ours too: they are collected before the cleanup ends everything.
descendants() {
  local child
  for child in $(ps -o pid= --ppid "$1"); do
    echo "$child"
    descendants "$child"
  done
}
palette_cleanup() {
  [ -n "${E2E_BUS_PID:-}" ] && E2E_PIDS+=($(descendants "$E2E_BUS_PID"))
  [ -n "${E2E_A11Y_PID:-}" ] && E2E_PIDS+=($(descendants "$E2E_A11Y_PID"))
  e2e_cleanup
}
trap palette_cleanup EXIT

# A session bus of its own, started after the X server so that the services it starts find the
# display, and after the configuration folders are set so that they write nowhere else.
start_session_bus() {
  export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CACHE_HOME="$E2E_TMP/cache"
  export XDG_DATA_HOME="$E2E_TMP/data"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_TMP/bus.address" \
    >"$E2E_TMP/bus.log" 2>&1 &
  E2E_BUS_PID=$!
  E2E_PIDS+=($E2E_BUS_PID)
  wait_for 5 grep -q . "$E2E_TMP/bus.address" || fail "the session bus did not start"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_TMP/bus.address")
}

# The accessibility bus, as a desktop session starts it: it announces itself on the root window.
start_accessibility_bus() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/a11y.log" 2>&1 &
  E2E_A11Y_PID=$!
  E2E_PIDS+=($E2E_A11Y_PID)
  wait_for 5 sh -c 'xprop -root AT_SPI_BUS | grep -q unix:' || fail "the accessibility bus did not start"
}

# Starts a window manager in its stock configuration and waits until it manages windows.
start_named_window_manager() {
  local name=$1; shift
  "$@" >"$E2E_TMP/$name.log" 2>&1 &
  E2E_WM_PID=$!
  E2E_PIDS+=($E2E_WM_PID)
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { cat "$E2E_TMP/$name.log" >&2; fail "$name did not start on $DISPLAY"; }
}

enable_palette() {
  mkdir -p "$E2E_TMP/config/corvane"
  cat >"$E2E_TMP/config/corvane/app.corvane.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>zoomPaletteEnabled</key><true/><key>zoomPaletteVerbose</key><true/></dict></plist>
PLIST
}

palette_window() { xdotool search --onlyvisible --name '^Corvane Palette$' 2>/dev/null; }
no_palette() { ! palette_window >/dev/null; }

# Moves onto a point and rests there, the way a hand does: XTEST motion in ten steps.
rest_on() { "$pointer" move "$1" "$2" 10 30; }

# Rests on each point for longer than the dwell and the retries; no palette may open.
expect_no_palette_on() {
  local what=$1; shift
  while [ $# -ge 2 ]; do
    rest_on "$1" "$2"
    sleep 1.2
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
  sleep 0.3
  palette_window >/dev/null || fail "the palette closed while the pointer moved into it"
  "$pointer" down 1 up 1
  wait_for 2 no_palette || fail "the palette stayed open after the pick"
}
