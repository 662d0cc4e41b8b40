# A throw-away X desktop: Xvfb, a window manager (openbox unless E2E_WM names another: xfwm4,
# fluxbox, icewm, metacity, kwin_x11), a tray, real xterm clients and Corvane, every process killed
# on exit, every wait bounded; Corvane itself through scripts/corvane-fixture.sh. Sourced by the
# demo, and by tests/e2e/desktop.sh for the end-to-end tests.

source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

E2E_PIDS=()
# An X11 session, whatever session the tests are started from.
export XDG_SESSION_TYPE=x11
unset WAYLAND_DISPLAY
E2E_TMP=$(mktemp -d /tmp/corvane-e2e.XXXXXX)
# Folders of the session's own, so that nothing of the user's is read or written. Not the cache
# folder: an empty one makes fontconfig rebuild its cache, seconds for every program.
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

e2e_track() {
  E2E_PIDS+=("$1")
}
# Corvane itself: corvane_settings, corvane_start PROGRAM, corvane_settle and the rest.
source "$(dirname "${BASH_SOURCE[0]}")/corvane-fixture.sh" x11 "$E2E_TMP" e2e_track

# The services a session bus started (xfconfd, dconf-service, the accessibility bus) are ours too.
e2e_cleanup() {
  [ -n "${E2E_BUS_PID:-}" ] && E2E_PIDS+=($(descendants "$E2E_BUS_PID"))
  stop_processes "${E2E_PIDS[@]}"
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# Stops the run, saying why. The end-to-end tests keep the run's logs as well.
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts an X server (Xvfb or Xephyr, with its arguments) on a display number it picks itself and
# points DISPLAY at it. The server takes the number under its own lock, so a server of an earlier
# run still shutting down can never be mistaken for this one. -noreset: by default the server resets
# when its last client leaves, and drops any client that connects meanwhile; the readiness probe
# below is such a last client, and the window manager that follows it would be dropped.
start_x_server() {
  local name=$1; shift
  local numbers="$E2E_TMP/$name.display"
  "$@" -displayfd 3 -nolisten tcp -noreset 3>"$numbers" >"$E2E_TMP/$name.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 grep -q '^[0-9]' "$numbers" || { cat "$E2E_TMP/$name.log" >&2; fail "$name did not start"; }
  export DISPLAY=:$(head -1 "$numbers")
  wait_for 10 xdpyinfo || fail "$name did not answer on $DISPLAY"
}

start_desktop() {
  local width=${1:-1440} height=${2:-900}
  start_x_server Xvfb Xvfb -screen 0 "${width}x${height}x24"
  start_window_manager
}

# openbox's stock bindings take Control+Alt+arrows for switching desktops; the desktop under test
# leaves them to Corvane, as a user of both would. With E2E_OPENBOX_STOCK=1 set, openbox keeps its
# stock configuration, as a new user has it.
openbox_config() {
  if [ -n "${E2E_OPENBOX_STOCK:-}" ]; then
    echo /etc/xdg/openbox/rc.xml
    return
  fi
  local config="$E2E_TMP/openbox-rc.xml"
  [ -f "$config" ] || perl -0pe 's{<keybind key="C-A-(Left|Right|Up|Down)">.*?</keybind>}{}gs' \
    /etc/xdg/openbox/rc.xml >"$config"
  echo "$config"
}

# A session bus of its own, for window managers that keep their settings behind one (xfwm4's xfconf,
# metacity's GSettings), for the accessibility bus and for Corvane's commands. The services it starts
# (xfconfd, dconf-service) write in the session's folders, set above.
start_session_bus() {
  [ -n "${E2E_BUS_PID:-}" ] && return
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_TMP/bus.address" >/dev/null 2>&1 &
  E2E_BUS_PID=$!
  E2E_PIDS+=($E2E_BUS_PID)
  wait_for 5 test -s "$E2E_TMP/bus.address" || fail "no session bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_TMP/bus.address")
}

# Starts E2E_WM (openbox by default) with its stock configuration (openbox less its Control+Alt+arrow
# bindings, above), in a home folder of its own so nothing of the user's is read or written.
start_window_manager() {
  local wm=${E2E_WM:-openbox}
  local command=("$wm")
  local path=$PATH
  case $wm in
    openbox) command=(openbox --sm-disable --config-file "$(openbox_config)") ;;
    xfwm4 | metacity) start_session_bus ;;
    # Plasma 5's window manager: its settings and global shortcuts are behind the session bus, whose
    # kglobalaccel, started on request, needs the display (a session bus may be older than the X
    # server). Without compositing: Xvfb has no GPU to composite with.
    kwin_x11)
      start_session_bus
      dbus-update-activation-environment DISPLAY
      command=(env KWIN_COMPOSE=N kwin_x11) ;;
    fluxbox)
      # Its wallpaper setter finds no image tool here and says so in an xmessage window, which comes
      # a second or two later and takes the focus from the window a test activated.
      mkdir -p "$E2E_TMP/bin" && printf '#!/bin/sh\nexit 0\n' >"$E2E_TMP/bin/fbsetbg" && chmod +x "$E2E_TMP/bin/fbsetbg"
      path="$E2E_TMP/bin:$PATH" ;;
  esac
  mkdir -p "$E2E_TMP/home"
  HOME="$E2E_TMP/home" PATH="$path" "${command[@]}" >"$E2E_TMP/$wm.log" 2>&1 &
  E2E_WM_PID=$!
  E2E_PIDS+=($E2E_WM_PID)
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { cat "$E2E_TMP/$wm.log" "$E2E_TMP"/X*.log >&2; fail "$wm did not start on $DISPLAY"; }
  [ "$wm" = openbox ] && openbox_answers
  return 0
}

# openbox claims the screen before it has loaded its theme and menus, and under load an event that
# comes meanwhile may wait, unhandled, until the next one: a window mapped then stayed unmapped for up to
# two minutes, until anything else happened on the screen. So openbox has started once it has answered a
# request, sent again until it does: showing the desktop, then hiding it again.
openbox_answers() {
  local _
  for _ in $(seq 20); do
    wmctrl -k on >/dev/null 2>&1
    wait_for 1 showing_desktop_is 1 && break
  done
  wmctrl -k off >/dev/null 2>&1
  wait_for 5 showing_desktop_is 0 || fail "openbox answers no request on $DISPLAY"
}
showing_desktop_is() {
  xprop -root _NET_SHOWING_DESKTOP | grep -q "= $1\$"
}

# Starts an xterm with the given title (and a command to run in it, a shell by default) and prints
# its window id once the window manager shows it: a window found earlier may not be placed yet, and
# the placement would move it after a test has.
start_xterm() {
  local title=$1 geometry=${2:-80x24+100+100} command=${3:-bash --norc}
  xterm -T "$title" -geometry "$geometry" -e $command >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 xdotool search --onlyvisible --name "^$title\$" || fail "xterm $title did not appear"
  wait_for 5 sh -c "xprop -id \$(xdotool search --name '^$title\$' | head -1) _NET_FRAME_EXTENTS | grep -q ="
  xdotool search --name "^$title\$" | head -1
}

# A point on a window's title bar (openbox's), in the middle: "x y".
title_bar_point() {
  set -- $(outer_frame "$1") || return 1
  echo "$(($1 + $3 / 2)) $(($2 + 8))"
}

# A panel with a system tray at the bottom of the screen (tint2's stock configuration).
start_tray() {
  tint2 -c /etc/xdg/tint2/tint2rc >"$E2E_TMP/tint2.log" 2>&1 &
  E2E_TRAY_PID=$!
  E2E_PIDS+=($E2E_TRAY_PID)
  wait_for 5 xdotool search --class '^tint2$' || fail "tint2 did not start"
}

# The outer frame of a window, decorations included: "x y width height".
outer_frame() {
  local id=$1
  local info ext
  [ -n "$id" ] || return 1 # xwininfo without a window id waits for a click, for ever
  info=$(xwininfo -id "$id") || return 1
  # A window without extents has none (i3, client-drawn title bars); an xprop that failed says nothing.
  ext=$(xprop -id "$id" _NET_FRAME_EXTENTS) || return 1
  ext=$(echo "$ext" | grep = | sed 's/.*= //; s/,//g')
  set -- $ext
  local l=${1:-0} r=${2:-0} t=${3:-0} b=${4:-0}
  local x y w h
  x=$(echo "$info" | awk '/Absolute upper-left X/ {print $NF}')
  y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $NF}')
  w=$(echo "$info" | awk '/Width:/ {print $NF}')
  h=$(echo "$info" | awk '/Height:/ {print $NF}')
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# "x y width height" of the maximize button openbox draws on a window (stock "NLIMC", Clearlooks):
# second from the right, squares as tall as the top frame extent less 8, 4 apart, 5 pixels from the
# frame's right edge and 4 from its top.
openbox_maximize() {
  local top size
  top=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //' | cut -d, -f3 | tr -d ' ')
  size=$((top - 8))
  set -- $(outer_frame "$1")
  echo $(($1 + $3 - 5 - size - 4 - size)) $(($2 + 4)) $size $size
}
