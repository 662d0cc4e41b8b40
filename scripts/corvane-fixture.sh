# Corvane's daemon and command line in a throw-away session: one fixture for the X11 desktop
# (scripts/desktop.sh), the KWin session (tests/kwin/corvane.sh) and the GNOME Shell one
# (tests/gnome/corvane.sh), sourced after processes.sh as
#   source corvane-fixture.sh DESKTOP FOLDER TRACK
# DESKTOP is x11, kwin or gnome: the session Corvane is started as part of. FOLDER is the session's
# own, where the logs go; TRACK the function that has a pid stopped with the session; `fail` is the
# session's. Before starting, a test sets CORVANE to the program (or names it to corvane_start). Then:
#   corvane_settings KEYS         the settings file the next start reads: the plist keys and values given
#   corvane_start [PROGRAM]       the daemon as the desktop's session starts it; returns once it says it
#                                 runs (and, where the desktop defines corvane_ready, once that holds).
#                                 Its log is $CORVANE_LOG, one a start, kept with the session's when the
#                                 test fails; CORVANE_PID is its process
#   corvane_stop                  asks it to quit (SIGTERM) and waits for it; its exit status
#   corvane_wait_exit SECS        waits for the daemon to end by itself; its exit status, or fails
#   corvane_log_has PATTERN [SECS]  waits (5 s) for a line of the daemon's log matching PATTERN (grep -E)
#   corvane_do COMMAND...         runs a command of the command line, bounded; its output on stdout
#                                 and stderr, its status in $?
#   corvane_settle                returns once Corvane has handled everything delivered to it before
#                                 the call and no window write of its waits or runs (its Settle method
#                                 on the session bus): the barrier before a check that something did
#                                 not happen; fails when it does not answer

CORVANE_DESKTOP=$1 CORVANE_FOLDER=$2 CORVANE_TRACK=$3
CORVANE_STARTS=0

corvane_settings() {
  mkdir -p "$XDG_CONFIG_HOME/corvane"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>%s</dict></plist>\n' "$1" \
    >"$XDG_CONFIG_HOME/corvane/app.corvane.plist"
}

corvane_start() {
  CORVANE=${1:-$CORVANE}
  CORVANE_LOG=$CORVANE_FOLDER/corvane-$((CORVANE_STARTS += 1)).log
  # The environment the desktop's own session gives the programs it starts.
  local environment
  case $CORVANE_DESKTOP in
    # Debug lines too (monitors started, trust granted), so a failure's log tells how far Corvane got.
    x11) environment=(XDG_SESSION_TYPE=x11 "QT_LOGGING_RULES=app.corvane.*.debug=true") ;;
    kwin) environment=(XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE QT_QPA_PLATFORM=wayland) ;;
    # An accessibility bus of the test's own where it asked for one (tests/gnome/corvane.sh).
    gnome) environment=("AT_SPI_BUS_ADDRESS=${CORVANE_A11Y_BUS:-}" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
      QT_QPA_PLATFORM=wayland) ;;
    *) fail "corvane-fixture.sh: no desktop $CORVANE_DESKTOP" ;;
  esac
  env "${environment[@]}" "$CORVANE" >"$CORVANE_LOG" 2>&1 &
  CORVANE_PID=$!
  "$CORVANE_TRACK" $CORVANE_PID
  corvane_log_has "Corvane is running" 15 || { cat "$CORVANE_LOG" >&2; fail "Corvane did not start"; }
  if declare -F corvane_ready >/dev/null; then corvane_ready; fi
}

corvane_stop() {
  kill -TERM "$CORVANE_PID" 2>/dev/null
  corvane_wait_exit 10
}

corvane_wait_exit() {
  wait_for "$1" corvane_exited || fail "Corvane did not quit within $1 s"
  wait "$CORVANE_PID"
}
corvane_exited() {
  ! is_running "$CORVANE_PID"
}

corvane_log_has() {
  wait_for "${2:-5}" grep -q -E -- "$1" "$CORVANE_LOG"
}

corvane_do() {
  timeout 10 "$CORVANE" "$@" 2>&1
}

corvane_settle() {
  timeout 10 dbus-send --session --print-reply --dest=app.corvane.Corvane /app/corvane/Corvane \
    app.corvane.Corvane1.Settle >/dev/null 2>&1 || fail "Corvane did not answer Settle on the session bus"
}
