#!/usr/bin/env bash
# Quick Snap on a real GNOME Shell. With the fake daemon: the extension draws the palette from the shapes
# and texts it is sent, above the windows, reports the pointer's motion, presses and releases over it
# and keeps the presses from the window below, draws a row that takes no pointer, refuses palettes out of
# bounds, and takes the palette away when the daemon goes. With Corvane: Control+Alt+0 opens the palette
# on the active window and a click on a zone places it there; a window dragged into the top band of its
# monitor shows the row of layouts, and a drop on a zone of the row places it there. The palette and the
# row are photographed into /tmp/corvane-e2e-failures.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
SHOTS=/tmp/corvane-e2e-failures

# The palette actor as the extension draws it: "X Y WIDTH HEIGHT REACTIVE CHILDREN" while shown.
palette() {
  shell_eval "const p = Main.layoutManager.uiGroup.get_children().find(a => a.name === 'corvane-palette');
p && p.visible ? [p.x, p.y, p.width, p.height, p.reactive, p.get_n_children()].join(' ') : ''"
}
# The middle of the palette's child N (a shape or a text) on the screen: "X Y".
child_centre() {
  shell_eval "const p = Main.layoutManager.uiGroup.get_children().find(a => a.name === 'corvane-palette');
const c = p.get_child_at_index($1); [Math.round(p.x + c.x + c.width / 2), Math.round(p.y + c.y + c.height / 2)].join(' ')"
}
focused() {
  shell_eval "String(global.display.focus_window?.get_id())"
}
screenshot() {
  mkdir -p "$SHOTS"
  rm -f "$SHOTS/$1"
  timeout 10 busctl --address="$DBUS_SESSION_BUS_ADDRESS" call org.gnome.Shell.Screenshot \
    /org/gnome/Shell/Screenshot org.gnome.Shell.Screenshot Screenshot bbs false false "$SHOTS/$1" >/dev/null &&
    test -s "$SHOTS/$1" || fail "no screenshot $1"
  echo "ok - photographed: $SHOTS/$1"
}

gnome_start 1
below=$(start_foot palette-below)
other=$(start_foot palette-other)
daemon_start
daemon_ok '[{"c":"frame","id":"'"$below"'","frame":[200,100,600,400]},{"c":"frame","id":"'"$other"'","frame":[850,100,400,400]}]'
expect_frame "$below" 200 100 600 400 "the window under the palette"
activate "$other"

# Drawn as sent: the face, a zone and a word over them, above the windows.
scene='{"c":"palette","frame":[300,200,200,100],"interactive":true,
"shapes":[{"rect":[0,0,200,100],"fill":"#202020f0","border":"#ffffff26","borderWidth":1,"radius":10},
{"rect":[20,30,70,60],"fill":"#3584e4ff","border":"#00000000","borderWidth":0,"radius":4}],
"texts":[{"rect":[20,8,160,16],"text":"QUICK SNAP","color":"#ffffffff","size":10,"bold":true}]}'
daemon_ok "[$(tr -d '\n' <<<"$scene")]"
wait_for 5 test "$(palette)" = "300 200 200 100 true 3" || fail "the palette is not drawn as sent: '$(palette)'"
shell_is "const p = Main.layoutManager.uiGroup.get_children().find(a => a.name === 'corvane-palette');
p.get_child_at_index(2).text + ' ' + p.get_child_at_index(1).x + ' ' + p.get_child_at_index(1).height +
' ' + (Main.layoutManager.uiGroup.get_children().indexOf(p) > Main.layoutManager.uiGroup.get_children().indexOf(global.window_group))" \
  "QUICK SNAP 20 60 true" || fail "the palette's children or its place above the windows are wrong"
echo "ok - the palette is drawn as sent, above the windows: $(palette)"

# The pointer over it is reported; the press is the palette's, not the window's below it.
: >"$DAEMON_EVENTS"
pointer_move 330 250
pointer_move 340 260
expect_event "e['e'] == 'palette' and e['kind'] == 'motion'" "e['cursor'] == [340, 260]" "motion over the palette is reported"
pointer_press
pointer_release
expect_event "e['e'] == 'palette' and e['kind'] == 'press'" "e['cursor'] == [340, 260]" "a press on the palette is reported"
expect_event "e['e'] == 'palette' and e['kind'] == 'release'" "e['cursor'] == [340, 260]" "and its release"
# The Shell gives the focus as it handles a press; `focused` asks it after that, on a later turn.
[ "$(focused)" = "$other" ] || fail "the press reached the window below the palette: $(focused) is focused"
echo "ok - the window below got no press: $other keeps the focus"
pointer_move 100 600
expect_event "e['e'] == 'palette' and e['kind'] == 'leave'" "True" "leaving the palette is reported"

# Out of bounds or malformed: refused whole.
many=$(python3 -c 'import json; s = {"rect": [0, 0, 1, 1], "fill": "#00000000", "border": "#00000000"}
print(json.dumps([{"c": "palette", "frame": [0, 0, 10, 10], "interactive": True, "shapes": [s] * 257, "texts": []}]))')
for bad in "$many" \
  '[{"c":"palette","frame":[0,0,10,10],"interactive":true,"shapes":[],"texts":[{"rect":[0,0,1,1],"text":"'"$(printf 'x%.0s' $(seq 65))"'","color":"#000000ff","size":10}]}]' \
  '[{"c":"palette","frame":[0,0,10,10],"interactive":true,"shapes":[{"rect":[0,0,1,1],"fill":"red","border":"#00000000"}],"texts":[]}]' \
  '[{"c":"palette","frame":[0,0,10,10],"shapes":[],"texts":[]}]' \
  '[{"c":"palette","frame":[0,0,99999,10],"interactive":true,"shapes":[],"texts":[]}]' \
  '[{"c":"palette","frame":[0,0,10,10],"interactive":true,"shapes":[],"texts":[{"rect":[0,0,1,1],"text":"a","color":"#000000ff","size":500}]}]'; do
  answer=$(daemon_run "$bad")
  [[ $answer == "error org.freedesktop.DBus.Error.InvalidArgs "* ]] || fail "Run ${bad:0:120} answered: $answer"
done
[ "$(palette)" = "300 200 200 100 true 3" ] || fail "a refused palette changed the one shown: '$(palette)'"
echo "ok - 257 shapes, a text of 65 characters, a colour that is no #rrggbbaa, no interactive, a side over 8192 and a text of 500 pixels are refused"

# A row that takes no pointer: the press goes to the window below.
daemon_ok "[$(tr -d '\n' <<<"$scene" | sed 's/"interactive":true/"interactive":false/')]"
wait_for 5 test "$(palette)" = "300 200 200 100 false 3" || fail "the row is not drawn: '$(palette)'"
: >"$DAEMON_EVENTS"
pointer_move 340 260
pointer_press
pointer_release
wait_for 5 test "$(focused)" = "$below" || fail "a press on the row did not reach the window below"
event_where "e['e'] == 'palette'" >/dev/null && fail "the row reported the pointer: $(event_where "e['e'] == 'palette'")"
echo "ok - the row takes no pointer: the window below got the press, nothing was reported"

daemon_ok '[{"c":"palette","frame":null}]'
wait_for 5 test -z "$(palette)" || fail "the palette stayed after its hide: $(palette)"
daemon_ok "[$(tr -d '\n' <<<"$scene")]"
wait_for 5 test -n "$(palette)" || fail "no palette"
daemon_stop
wait_for 5 test -z "$(palette)" || fail "the palette stayed after the daemon went: $(palette)"
echo "ok - hidden when asked, and gone with the daemon"

# Corvane itself: the chord on the active window.
corvane_settings '<key>dragSnapEnabled</key><true/>'
corvane_start
corvane_log_has "GNOME Shell extension: Running" || fail "Corvane did not find its extension running"
read -r ax ay aw ah <<<"$(work_area 0)"
activate "$below"
chord 11
wait_for 5 test -n "$(palette)" || fail "Control+Alt+0 opened no palette"
read -r px py pw ph reactive children <<<"$(palette)"
read -r fx fy fw fh <<<"$(window_frame "$below")"
[ "$reactive" = true ] || fail "the chord's palette takes no pointer"
[ $((px + pw / 2 - (fx + fw / 2))) -le 1 ] && [ $((fx + fw / 2 - (px + pw / 2))) -le 1 ] && [ "$py" = $((fy + 6)) ] ||
  fail "the palette $px $py $pw $ph is not centred 6 below the top edge of $fx $fy $fw $fh"
echo "ok - Control+Alt+0 opens the palette under the middle of the window's top edge: $px $py $pw $ph"
read -r zx zy <<<"$(child_centre 2)" # the face, then Split's left and right halves
pointer_move "$zx" "$zy"
corvane_settle # the motion handled, the hover drawn
screenshot gnome-palette.png
pointer_press
pointer_release
expect_frame "$below" $((ax + aw / 2)) "$ay" $((aw / 2)) "$ah" "a click on Split's right half puts the window there"
wait_for 5 test -z "$(palette)" || fail "the palette stayed after the pick"
echo "ok - the pick closes the palette"
chord 11
wait_for 5 test -n "$(palette)" || fail "Control+Alt+0 opened no palette the second time"
chord 11
wait_for 5 test -z "$(palette)" || fail "Control+Alt+0 again did not close the palette"
echo "ok - the chord again closes it"

# The top band during a drag: the row, and a drop on one of its zones.
read -r fx fy fw fh <<<"$(window_frame "$below")"
pointer_drag $((fx + fw / 2)) $((fy + 12)) $((fx + fw / 2 - 40)) $((fy + 60))
pointer_move 640 300
pointer_move 640 $((ay + 10))
wait_for 5 test -n "$(palette)" || fail "no row in the top band"
read -r px py pw ph reactive children <<<"$(palette)"
[ "$reactive" = false ] || fail "the row takes the pointer from the drag"
[ $((px + pw / 2)) -ge 639 ] && [ $((px + pw / 2)) -le 641 ] && [ "$py" = $((ay + 8)) ] ||
  fail "the row $px $py $pw $ph is not at the top middle of the work area $ax $ay $aw $ah"
echo "ok - dragged into the top band, the row shows at the top of the monitor: $px $py $pw $ph"
read -r zx zy <<<"$(child_centre 1)" # Split's left half
pointer_move "$zx" "$zy"
corvane_settle # the motion handled, the zone shown
screenshot gnome-row.png
pointer_release
expect_frame "$below" "$ax" "$ay" $((aw / 2)) "$ah" "a drop on Split's left half in the row puts the window there"
wait_for 5 test -z "$(palette)" || fail "the row stayed after the drop"
echo "GNOME Quick Snap: all passed"
