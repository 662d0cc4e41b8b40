# Corvane's daemon and command line in the KWin session of session.sh, sourced after it by the KWin
# tests that run the program. Before sourcing, a test sets CORVANE to the program. Then the functions
# of scripts/corvane-fixture.sh (corvane_settings, corvane_start, corvane_stop, corvane_wait_exit,
# corvane_log_has, corvane_do, corvane_settle), the daemon started as a Plasma session starts it and
# corvane_start returning once it has loaded its agent into KWin too; its logs are kept with KWin's
# when the test fails. And:
#   shortcut ACTION               invokes the action of Corvane's kglobalaccel component, as its chord does
#   agent_loaded                  whether KWin has Corvane's agent script loaded
#   expect_in_zone ID X Y W H WHAT  waits for the window's frame to start exactly at X,Y and fill the
#                                 zone W x H to within foot's cell, never past it
#   active_window ID              makes the window KWin's active one, as a click on it would
#   overlays                      the frames of Corvane's surfaces above the ordinary windows' layer (2),
#                                 "X Y WIDTH HEIGHT" a line: its preview, palette or tray panel
#   drag_to ID X Y                presses on the window's title bar and moves the pointer to X,Y in ten
#                                 steps, as a hand would; the button stays down
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/corvane-fixture.sh" kwin "$KWIN_TMP" kwin_track
# foot sizes itself in whole cells of its default font (7 x 13 pixels at scale 1): its frame falls
# short of a zone by less than one.
FOOT_CELL_WIDTH=7 FOOT_CELL_HEIGHT=13

# The agent is in KWin once Corvane says it runs.
corvane_ready() {
  grep -q "KWin agent loaded from" "$CORVANE_LOG" || fail "Corvane runs without its agent in KWin"
  wait_for 5 agent_loaded || fail "KWin does not have Corvane's agent loaded"
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

overlays() {
  kwin_eval 'for (const w of workspace.stackingOrder)
    if (w.resourceClass === "corvane" && w.layer > 2)
      say([w.frameGeometry.x, w.frameGeometry.y, w.frameGeometry.width, w.frameGeometry.height].join(" "));'
}

drag_to() {
  local frame=($(window_frame "$1")) x=$2 y=$3 step
  local from_x=$((frame[0] + 40)) from_y=$((frame[1] + 12))
  pointer_move "$from_x" "$from_y"
  pointer_press
  for step in 1 2 3 4 5 6 7 8 9 10; do
    pointer_move $((from_x + (x - from_x) * step / 10)) $((from_y + (y - from_y) * step / 10))
  done
}
