#!/usr/bin/env bash
# The bridge between Corvane's daemon and its GNOME Shell extension, on a real GNOME Shell: the
# snapshot of monitors and windows, frames set and read back, activation, window events, and calls the
# extension refuses (another sender than the daemon, commands it cannot read) doing nothing.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2
source "$(dirname "$0")/session.sh"

gnome_start 2
first=$(start_foot bridge-first)
second=$(start_foot bridge-second)
daemon_start
# Attaching, the extension tells all it knows unasked.
expect_event "e['e'] == 'snapshot'" "len(e['windows']) == 2" "a snapshot on attaching"
: >"$DAEMON_EVENTS" && : >"$DAEMON_EVENTS.times"

[ "$(daemon_run version)" = "version 1" ] || fail "Version answered $(daemon_run version)"
echo "ok - Version answers the extension's version-name"

daemon_ok '[{"c":"snapshot"}]'
wait_for 5 event_where "e['e'] == 'snapshot'" && snapshot=$(event_where "e['e'] == 'snapshot'") || fail "no snapshot in answer to the snapshot command"
area0=$(work_area 0) area1=$(work_area 1)
event_has "$snapshot" "[o['name'] for o in e['outputs']] == ['Monitor 1', 'Monitor 2'] and
  [o['frame'] for o in e['outputs']] == [[0, 0, 1280, 800], [1280, 0, 1280, 800]] and
  [' '.join(map(str, o['workArea'])) for o in e['outputs']] == ['$area0', '$area1'] and
  all(o['scale'] == 1 for o in e['outputs'])" || fail "the snapshot's outputs are wrong: $snapshot"
echo "ok - the snapshot's outputs: two monitors side by side, work areas $area0 and $area1"
event_has "$snapshot" "{w['id']: (w['appClass'], w['caption']) for w in e['windows']} ==
  {'$first': ('bridge-first', 'bridge-first'), '$second': ('bridge-second', 'bridge-second')} and
  all(w['normal'] and w['moveable'] and w['resizeable'] and w['managed'] and w['onCurrentDesktop'] and
      not (w['dialog'] or w['special'] or w['minimized'] or w['fullScreen']) and w['pid'] > 0 and
      w['output'] == 'Monitor 1' for w in e['windows']) and
  sorted(e['stacking']) == sorted(['$first', '$second']) and e['active'] == '$second'" ||
  fail "the snapshot's windows are wrong: $snapshot"
frame=$(window_frame "$second")
event_has "$snapshot" "' '.join(map(str, [w for w in e['windows'] if w['id'] == '$second'][0]['frame'])) == '$frame'" ||
  fail "the snapshot's frame of foot is not the Shell's $frame: $snapshot"
echo "ok - the snapshot's windows: both foot windows by app id and title, normal, the newer one active, at $frame"

# A frame on the second monitor: the window lands there, and the extension tells where it ended.
daemon_ok '[{"c":"frame","id":"'"$first"'","frame":[1380,100,700,500]}]'
expect_frame "$first" 1380 100 700 500 "frame: the window moved to the second monitor"
landed=($(window_frame "$first"))
expect_event "e['e'] == 'frame' and e['id'] == '$first' and e['output'] == 'Monitor 2'" \
  "e['frame'] == [${landed[0]}, ${landed[1]}, ${landed[2]}, ${landed[3]}]" "frame: reported where it landed"
# A maximized window is restored first, or it would go back to filling the monitor.
window_maximize "$second"
wait_for 5 output_is 3 window_maximized "$second" ||
  fail "the Shell did not maximize the window"
daemon_ok '[{"c":"frame","id":"'"$second"'","frame":[100,150,500,300]}]'
expect_frame "$second" 100 150 500 300 "frame of a maximized window: restored and placed"
[ "$(window_maximized "$second")" = 0 ] ||
  fail "the placed window is still maximized"
daemon_ok '[{"c":"frame","id":"4242","frame":[0,0,100,100]}]'
expect_event "e['e'] == 'gone'" "e['id'] == '4242'" "frame of an unknown window: reported gone"

daemon_ok '[{"c":"activate","id":"'"$first"'"}]'
expect_event "e['e'] == 'active'" "e['id'] == '$first'" "activate: the first window is active"
expect_event "e['e'] == 'stacking'" "e['stacking'][-1] == '$first'" "activate: and on top"

# Refused: a call of anyone but the daemon, and commands the extension cannot read; none runs.
before=$(window_frame "$first")
answers=$(printf '%s\n' version '[{"c":"frame","id":"'"$first"'","frame":[0,40,300,200]}]' |
  timeout 10 "$GNOME_FAKE_DAEMON" "$GNOME_TMP/foreign.jsonl" --foreign)
[ "$(sed -n 2p <<<"$answers")" = "version 1" ] || fail "a foreign caller was not told the version: $answers"
[[ $(sed -n 3p <<<"$answers") == "error org.freedesktop.DBus.Error.AccessDenied "* ]] ||
  fail "a foreign caller's Run was answered: $answers"
echo "ok - a caller that is not the daemon is told the version, and its Run refused: $(sed -n 3p <<<"$answers")"
for bad in '[{"c":"frame","id":"'"$first"'","frame":[0,40,300,200]},{"c":"explode"}]' \
  '[{"c":"frame","id":"'"$first"'","frame":[0,40,300,200]},{"c":"keys","bindings":{"no-such-key":["<Alt>1"]}}]' \
  '[{"c":"frame","id":"'"$first"'","frame":[0,40,300]}]' '{"c":"snapshot"}' '[{"c":"frame"'; do
  answer=$(daemon_run "$bad")
  [[ $answer == "error org.freedesktop.DBus.Error.InvalidArgs "* ]] || fail "Run $bad answered: $answer"
done
# Bounded: 256 commands a call and 1 MiB of text at the most.
many=$(python3 -c 'import json; print(json.dumps([{"c": "snapshot"}] * 257))')
huge=$(python3 -c 'import json; print(json.dumps([{"c": "activate", "id": "x" * (1 << 20)}]))')
for bad in "$many" "$huge"; do
  answer=$(daemon_run "$bad")
  [[ $answer == "error org.freedesktop.DBus.Error.InvalidArgs "* ]] || fail "Run of ${#bad} characters answered: $answer"
done
daemon_ok "$(python3 -c 'import json; print(json.dumps([{"c": "moves", "report": False}] * 256))')"
echo "ok - unknown commands, unknown keys, malformed frames, broken JSON, 257 commands and over 1 MiB are InvalidArgs"
# Runs are handled in order: the answer to this one comes after every call before it was.
daemon_ok '[{"c":"snapshot"}]'
[ "$(window_frame "$first")" = "$before" ] || fail "a refused call moved the window to $(window_frame "$first")"
echo "ok - nothing of a refused call ran: the window stayed at $before"

# Windows coming and going.
third=$(start_foot bridge-third)
expect_event "e['e'] == 'window' and e['window']['id'] == '$third'" "e['window']['appClass'] == 'bridge-third'" "a new window is told"
kill "$(shell_eval "global.display.list_all_windows().find(w => String(w.get_id()) === '$third').get_pid()")"
wait_for 5 event_where "e == {'e': 'removed', 'id': '$third'}" || fail "the closed window was not told removed"
echo "ok - a closed window is told removed"
echo "GNOME bridge: all passed"
