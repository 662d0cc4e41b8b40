#!/usr/bin/env bash
# What the user does, told to the daemon through the GNOME Shell extension: its keybindings, set, changed
# and cleared as the daemon asks; a window dragged by its title bar, step by step with the modifiers
# held; the pointer in the regions the daemon named, and leaving them.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2
source "$(dirname "$0")/session.sh"

# Control+Alt and a digit key (evdev codes: 2 is the digit 1, 3 the 2, 4 the 3).
chord() {
  pointer_key 29 down && pointer_key 56 down && pointer_key "$1" down && pointer_key "$1" up &&
    pointer_key 56 up && pointer_key 29 up
}
key_events() {
  grep -c "\"e\":\"key\",\"name\":\"$1\"" "$DAEMON_EVENTS"
}

gnome_start 2
foot=$(start_foot input-foot)
daemon_start

daemon_ok '[{"c":"keys","bindings":{"layout-1":["<Control><Alt>1"]}}]'
[ "$(chord_action 2)" != 0 ] || fail "Control+Alt+1 is bound to nothing after the keys command returned"
chord 2
wait_for 5 event_where "e == {'e': 'key', 'name': 'layout-1'}" || fail "Control+Alt+1 did not fire layout-1"
echo "ok - keys: an injected Control+Alt+1 fires layout-1"

# Rebound: the old chord does nothing, the new ones fire. Reports come in order, so once the last
# chord's event is here, the first chord's would be too.
daemon_ok '[{"c":"keys","bindings":{"layout-1":["<Control><Alt>2"],"throw-next":["<Control><Alt>3"]}}]'
chord 2 && chord 4
wait_for 5 event_where "e == {'e': 'key', 'name': 'throw-next'}" || fail "Control+Alt+3 did not fire throw-next"
[ "$(key_events layout-1)" = 1 ] || fail "Control+Alt+1 still fired layout-1 after the rebinding"
chord 3
wait_for 5 output_is 2 key_events layout-1 || fail "Control+Alt+2 did not fire layout-1"
echo "ok - keys: rebinding moves layout-1 to Control+Alt+2 and binds throw-next; Control+Alt+1 fires nothing"

daemon_ok '[{"c":"keys","bindings":{"throw-next":["<Control><Alt>3"]}}]'
chord 3 && chord 4
wait_for 5 output_is 2 key_events throw-next || fail "Control+Alt+3 did not fire throw-next again"
[ "$(key_events layout-1)" = 2 ] || fail "a key left out of the set still fired"
daemon_ok '[{"c":"keys","bindings":{}}]'
[ "$(chord_action 4)" = 0 ] || fail "Control+Alt+3 is still bound after an empty set"
echo "ok - keys: a key left out of the set is unbound, and an empty set unbinds them all"

# A drag by the title bar (foot draws it: the top 26 pixels of its frame).
daemon_ok '[{"c":"frame","id":"'"$foot"'","frame":[100,100,600,400]},{"c":"moves","report":true}]'
expect_frame "$foot" 100 100 600 400 "the window to drag"
start=($(window_frame "$foot"))
pointer_drag 300 112 340 150
pointer_move 400 200
expect_event "e['e'] == 'moveStarted'" "e['id'] == '$foot' and e['modifiers'] == []" "moves: a title-bar drag starts a move"
pointer_key 29 down
pointer_move 450 250
expect_event "e['e'] == 'moveStep' and e['cursor'] == [450, 250] and e['frame'][:2] == [${start[0]} + 150, ${start[1]} + 138]" \
  "e['id'] == '$foot' and e['modifiers'] == ['control']" \
  "moves: a step with the frame where the pointer took it and Control held"
pointer_key 29 up
pointer_release
expect_event "e['e'] == 'moveFinished'" "e['id'] == '$foot' and e['cursor'] == [450, 250] and e['modifiers'] == []" \
  "moves: the release finishes the move"
expect_event "e['e'] == 'frame' and e['id'] == '$foot'" "e['frame'][:2] == [${start[0]} + 150, ${start[1]} + 138]" \
  "moves: the frame where the window was let go"
steps=$(grep -c '"e":"moveStep"' "$DAEMON_EVENTS")
moved_from() {
  [ "$(window_frame "$foot" | cut -d' ' -f1)" != "$1" ]
}
daemon_ok '[{"c":"moves","report":false}]'
pointer_drag 300 262 350 300 && pointer_release
wait_for 5 moved_from $((start[0] + 150)) || fail "the second drag moved nothing"
[ "$(grep -c '"e":"move' "$DAEMON_EVENTS")" = "$((steps + 2))" ] || fail "a move was reported after moves were turned off"
echo "ok - moves: none reported once the daemon turned them off"

# Regions: motion within them and the step that leaves one; nothing elsewhere.
daemon_ok '[{"c":"regions","regions":[[1280,0,1280,800]]}]'
pointer_move 600 400
pointer_move 1500 300
expect_event "e['e'] == 'motion' and e['cursor'] == [1500, 300]" "e['modifiers'] == []" "regions: motion into the region"
pointer_move 1600 350
expect_event "e['e'] == 'motion' and e['cursor'] == [1600, 350]" "e['modifiers'] == []" "regions: motion within it"
pointer_move 600 300
expect_event "e['e'] == 'motion' and e['cursor'] == [600, 300]" "e['modifiers'] == []" "regions: the motion that leaves it"
pointer_move 700 300
pointer_move 1400 300
expect_event "e['e'] == 'motion' and e['cursor'] == [1400, 300]" "e['modifiers'] == []" "regions: back in it"
! event_where "e['e'] == 'motion' and e['cursor'] in ([700, 300], [600, 400])" ||
  fail "motion outside the regions was reported: $(grep '"e":"motion"' "$DAEMON_EVENTS")"
echo "ok - regions: no motion outside them"
daemon_ok '[{"c":"regions","regions":[]}]'
pointer_move 1500 400
daemon_ok '[{"c":"regions","regions":[[0,0,100,100]]}]'
pointer_move 50 50
expect_event "e['e'] == 'motion' and e['cursor'] == [50, 50]" "e['modifiers'] == []" "regions: a new region"
! event_where "e['e'] == 'motion' and e['cursor'] == [1500, 400]" || fail "motion was reported with no regions set"
echo "ok - regions: none reported while no region is set"
echo "GNOME input: all passed"
