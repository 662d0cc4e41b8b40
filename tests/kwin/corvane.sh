# Corvane's daemon and command line in the KWin session of session.sh, sourced after it by the KWin
# tests that run the program. Before sourcing, a test sets CORVANE to the program. Then:
#   corvane_settings KEYS         the settings the daemon starts with: the plist's keys and values
#   corvane_start                 the daemon as a Plasma session starts it; returns once it says it runs
#                                 and has loaded its agent into KWin. Its log is $CORVANE_LOG, one a
#                                 start, kept with KWin's when the test fails
#   corvane_stop                  asks it to quit (SIGTERM) and waits for it; its exit status
#   corvane_wait_exit SECS        waits for the daemon to end by itself; its exit status, or fails
#   corvane_log_has PATTERN [SECS]  waits (5 s) for a line of the daemon's log matching PATTERN
#   corvane_do COMMAND...         runs a command of the command line, bounded; its output on stdout
#                                 and stderr, its status in $?
#   shortcut ACTION               invokes the action of Corvane's kglobalaccel component, as its chord does
#   agent_loaded                  whether KWin has Corvane's agent script loaded
#   expect_in_zone ID X Y W H WHAT  waits for the window's frame to start exactly at X,Y and fill the
#                                 zone W x H to within foot's cell, never past it
#   active_window ID              makes the window KWin's active one, as a click on it would
#   corvane_settings KEYS         the settings file the next start reads: the plist keys and values given
#   overlays                      the frames of Corvane's surfaces above the ordinary windows' layer (2),
#                                 "X Y WIDTH HEIGHT" a line: its preview, palette or tray panel
CORVANE_STARTS=0
# foot sizes itself in whole cells of its default font (7 x 13 pixels at scale 1): its frame falls
# short of a zone by less than one.
FOOT_CELL_WIDTH=7 FOOT_CELL_HEIGHT=13

corvane_settings() {
  mkdir -p "$XDG_CONFIG_HOME/corvane"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>%s</dict></plist>\n' "$1" \
    >"$XDG_CONFIG_HOME/corvane/app.corvane.plist"
}

corvane_start() {
  CORVANE_LOG=$KWIN_TMP/corvane-$((CORVANE_STARTS += 1)).log
  XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE QT_QPA_PLATFORM=wayland \
    "$CORVANE" >"$CORVANE_LOG" 2>&1 &
  CORVANE_PID=$!
  kwin_track $CORVANE_PID
  corvane_log_has "Corvane is running" 15 || fail "Corvane did not start"
  grep -q "KWin agent loaded from" "$CORVANE_LOG" || fail "Corvane runs without its agent in KWin"
  wait_for 5 agent_loaded || fail "KWin does not have Corvane's agent loaded"
}

corvane_stop() {
  kill -TERM "$CORVANE_PID" 2>/dev/null
  corvane_wait_exit 10
}

corvane_wait_exit() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$CORVANE_PID" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "Corvane did not quit within $1 s"
    sleep 0.1
  done
  wait "$CORVANE_PID"
}

corvane_log_has() {
  wait_for "${2:-5}" grep -q -E -- "$1" "$CORVANE_LOG"
}

corvane_do() {
  timeout 10 "$CORVANE" "$@" 2>&1
}

shortcut() {
  timeout 5 qdbus6 org.kde.kglobalaccel /component/corvane org.kde.kglobalaccel.Component.invokeShortcut "$1"
}

agent_loaded() {
  [ "$(kwin_call /Scripting org.kde.kwin.Scripting.isScriptLoaded corvane-agent)" = true ]
}

active_window() {
  kwin_eval "for (const w of workspace.windowList()) if (w.internalId.toString() === '$1') workspace.activeWindow = w;" \
    >/dev/null
  wait_for 5 is_active "$1" || fail "KWin did not activate $1"
}

is_active() {
  [ "$(kwin_eval 'say(workspace.activeWindow ? workspace.activeWindow.internalId.toString() : "")')" = "$1" ]
}

# Waits for the window to come to rest in the zone, then says where it is.
expect_in_zone() {
  local id=$1 what=${6:-the zone}
  wait_for 5 is_in_zone "$@" ||
    fail "$what: the window is at $(window_frame "$id"), expected at $2,$3 filling $4 x $5 to within a cell"
  echo "ok - $what: $(window_frame "$id")"
}

# At X,Y exactly, no larger than the zone and short of it by less than a cell.
is_in_zone() {
  local frame
  frame=($(window_frame "$1")) && [ "${frame[0]}" = "$2" ] && [ "${frame[1]}" = "$3" ] &&
    [ "${frame[2]}" -le "$4" ] && [ "${frame[2]}" -gt $(($4 - FOOT_CELL_WIDTH)) ] &&
    [ "${frame[3]}" -le "$5" ] && [ "${frame[3]}" -gt $(($5 - FOOT_CELL_HEIGHT)) ]
}

corvane_settings() {
  mkdir -p "$XDG_CONFIG_HOME/corvane"
  cat >"$XDG_CONFIG_HOME/corvane/app.corvane.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>$1</dict></plist>
PLIST
}

overlays() {
  kwin_eval 'for (const w of workspace.stackingOrder)
    if (w.resourceClass === "corvane" && w.layer > 2)
      say([w.frameGeometry.x, w.frameGeometry.y, w.frameGeometry.width, w.frameGeometry.height].join(" "));'
}
