# A headless GNOME Shell session for the GNOME end-to-end tests, sourced by each tests/gnome/*.sh as
# tests/kwin/session.sh is by the KWin ones: a session bus, a system bus and a runtime folder of its own,
# GNOME Shell on Wayland with virtual monitors and Corvane's extension, real clients, and a keyboard and
# pointer through mutter's remote-desktop service. Every wait is bounded, every process started here is
# stopped by its pid on exit, and a failure keeps the Shell's and the clients' logs in E2E_FAILURE_DIR
# (/tmp/corvane-e2e-failures).
#
# Before sourcing, a test sets GNOME_REMOTE_INPUT and GNOME_FAKE_DAEMON to the programs of
# tests/gnome/CMakeLists.txt. Then:
#   gnome_start [MONITORS [PREFIX]]  the Shell with 1 or 2 (the default) monitors of 1280 x 800 side by
#                                 side, "Monitor 1" at 0,0 and "Monitor 2" at 1280,0 (in logical
#                                 pixels, at the scales GNOME_SCALES gives, one a monitor: "1.5",
#                                 "1 1.5"), and the extension installed under PREFIX/share (default:
#                                 the test's own copy of the build's) enabled; returns once it is
#                                 ACTIVE and the overview (where new sessions start, with keybindings
#                                 off) is left. With GNOME_LEAVE_DISABLED=1 the extension is left out
#                                 of enabled-extensions.
#                                 WAYLAND_DISPLAY and DBUS_SESSION_BUS_ADDRESS lead to it from then on
#                                 (HOME and the XDG folders are the session's own from the start);
#                                 GNOME_PID is the Shell's process, GNOME_LOG its log
#   gnome_stop                    ends the Shell and its session bus with all it started, as logging out
#                                 does; a gnome_start after it is the same user's next login (the same
#                                 home, settings and installed files)
#   shell_eval JS                 runs JS in the Shell (it runs with --unsafe-mode for this) and prints
#                                 its value: a string as it is, anything else as JSON
#   extension_state               the extension's state: 1 ACTIVE, 2 INACTIVE, 3 ERROR, 6 INITIALIZED
#   tracks_pointer                whether the extension follows the pointer: true or false
#   window_maximized ID           how mutter has the window maximized: 0 not, 1 across, 2 up and down, 3 both
#   window_maximize ID            maximizes it
#   key_setting                   the extension's setting of the key for layout-1, as gsettings prints it
#   start_foot APP_ID [OPTION...]  a foot terminal, given foot's options; prints its window's id once the
#                                 Shell lists it
#   window_frame ID               "X Y WIDTH HEIGHT" of the window's frame
#   monitor_geometry N, work_area N  "X Y WIDTH HEIGHT" of monitor N (0 or 1), and of its work area
#   input_start                   the remote-desktop pointer and keyboard, started by the first of these
#                                 or before the clients a test sends keys to
#   pointer_move X Y | pointer_press | pointer_release | pointer_key CODE down|up
#                                 the remote-desktop pointer and keyboard (left button; keys by evdev
#                                 code); a move returns once the Shell has the pointer there
#   pointer_drag X Y TO_X TO_Y    presses at X,Y on a window's title bar and moves to TO_X,TO_Y, returning
#                                 (the button held) once the Shell moves that window with the pointer
#   chord_action CODE             the Shell's action for Control+Alt and the key: 0 when none is bound
#   daemon_start [--foreign]      the fake daemon; DAEMON_EVENTS is the file of the events it was sent
#   daemon_run JSON               sends JSON to Run through it; prints its answer ("ok MICROS" or
#                                 "error NAME MESSAGE")
#   daemon_stop                   stops it, as a daemon that quits or crashes
#   event_where SELECT            the newest event of which SELECT (Python, the event named e) holds
#   expect_event SELECT CHECK WHAT  waits for such an event, and fails unless CHECK holds of the newest
#   gnome_track PID               stops PID with the rest when the test ends
#   fail MESSAGE                  stops the test, keeping the logs (in $(...) too)
#   wait_for SECONDS COMMAND...   polls COMMAND until it succeeds, for at most SECONDS
#   output_is TEXT COMMAND...     whether COMMAND prints TEXT (to poll: wait_for 5 output_is TEXT COMMAND...)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/processes.sh"

GNOME_UUID=corvane@corvane.app
GNOME_TMP=$(mktemp -d /tmp/corvane-gnome.XXXXXX)
GNOME_LOG=$GNOME_TMP/shell.log
# The extension as the build puts it together to be installed (data/CMakeLists.txt).
GNOME_EXTENSION=${GNOME_EXTENSION_BUILT:?the copy of the extension that the build made}
# foot sizes itself in whole cells of its default font (7 x 13 pixels at scale 1): its frame falls
# short of a requested size by less than one.
FOOT_CELL_WIDTH=7 FOOT_CELL_HEIGHT=13

gnome_track() {
  session_track "$GNOME_TMP" "$1"
}
gnome_cleanup() {
  session_end "$GNOME_TMP" "${GNOME_BUS_PID:-}"
}
trap gnome_cleanup EXIT
trap 'exit 1' TERM

fail() {
  session_fail "$*" "$GNOME_TMP"/*.log "$GNOME_TMP"/*.jsonl
}

# A bus of its own, its address in the file given; prints the daemon's pid.
start_bus() {
  local kind=$1 file=$2
  shift 2
  dbus-daemon $([ "$kind" = session ] && echo --session) --nofork --nopidfile --print-address=3 "$@" 3>"$file" \
    >"$GNOME_TMP/$kind-bus.log" 2>&1 &
  gnome_track $!
  wait_for 5 test -s "$file" || fail "no $kind bus"
  echo $!
}

# Installs the extension as a user's package would, under PREFIX/share, with its schema compiled.
install_extension() {
  local dir=$1/share/gnome-shell/extensions/$GNOME_UUID
  mkdir -p "$dir"
  cp -r "$GNOME_EXTENSION/." "$dir/"
  glib-compile-schemas --strict "$dir/schemas" || fail "the extension's schema does not compile"
}

# The session's own home and folders, from the start: a test may install into them before the Shell runs.
export XDG_RUNTIME_DIR=$GNOME_TMP/runtime XDG_CONFIG_HOME=$GNOME_TMP/config XDG_DATA_HOME=$GNOME_TMP/data
export HOME=$GNOME_TMP/home XDG_CACHE_HOME=$GNOME_TMP/cache
# As a GNOME session has it: GNOME's own defaults (mutter's edge tiling on among them) are GNOME's only.
export XDG_CURRENT_DESKTOP=GNOME
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"

gnome_start() {
  local monitors=${1:-2} prefix=${2:-}
  if [ -z "$prefix" ]; then
    prefix=$GNOME_TMP/prefix
    install_extension "$prefix"
  fi
  export XDG_DATA_DIRS=$prefix/share:/usr/local/share:/usr/share
  unset DISPLAY WAYLAND_DISPLAY
  # GNOME Shell 48 aborts without a system bus; a private one serves it, starting no services: the
  # system's would take up to 25 s each to fail here (accounts, colour management).
  printf '%s\n' '<busconfig><type>system</type><listen>unix:tmpdir=/tmp</listen>' \
    '<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/>' \
    '<allow receive_sender="*"/></policy></busconfig>' \
    >"$GNOME_TMP/system-bus.conf"
  start_bus system "$GNOME_TMP/system-bus.address" --config-file="$GNOME_TMP/system-bus.conf" >/dev/null
  export DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$GNOME_TMP/system-bus.address")
  GNOME_BUS_PID=$(start_bus session "$GNOME_TMP/session-bus.address")
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$GNOME_TMP/session-bus.address")
  # Enabled through the settings store on the session's own bus, before the Shell reads it. gsettings
  # ends well even when the write was lost (no dconf service on its bus): the value is read back.
  if [ -z "${GNOME_LEAVE_DISABLED:-}" ]; then
    gsettings set org.gnome.shell enabled-extensions "['$GNOME_UUID']" &&
      [ "$(gsettings get org.gnome.shell enabled-extensions)" = "['$GNOME_UUID']" ] ||
      fail "gsettings could not enable the extension"
  fi
  # The remote-desktop pointer appears in the top-left corner (GNOME 50), where the hot corner would
  # open the overview under the test's first press.
  gsettings set org.gnome.desktop.interface enable-hot-corners false || fail "gsettings could not turn off the hot corner"
  local args=(--headless --wayland --no-x11 --unsafe-mode --wayland-display=wayland-corvane) i
  for i in $(seq 0 $((monitors - 1))); do args+=(--virtual-monitor "$(monitor_pixels "$i")"); done
  gnome-shell "${args[@]}" >"$GNOME_LOG" 2>&1 &
  GNOME_PID=$!
  gnome_track $GNOME_PID
  export WAYLAND_DISPLAY=wayland-corvane
  wait_for 20 shell_is 'Main.layoutManager._startingUp' false || fail "GNOME Shell did not start"
  [ -z "${GNOME_SCALES:-}" ] || scale_monitors "$monitors"
  [ -n "${GNOME_LEAVE_DISABLED:-}" ] || wait_for 10 shell_is "Main.extensionManager.lookup('$GNOME_UUID')?.state" 1 ||
    fail "the extension is not ACTIVE but in state $(extension_state)"
  shell_eval 'Main.overview.hide()' >/dev/null
  wait_for 5 shell_is 'Main.overview.visible || Main.overview.animationInProgress' false ||
    fail "the overview did not close"
}

# A monitor's size in pixels: 1280 x 800 times its scale (GNOME_SCALES, one a monitor, the last for
# the rest; 1 when unset), so that in the desktop's logical pixels every monitor is 1280 x 800 at any
# scale and the tests' places hold.
monitor_scale() {
  local scales=(${GNOME_SCALES:-1})
  echo "${scales[$1]:-${scales[-1]}}"
}
monitor_pixels() {
  awk -v s="$(monitor_scale "$1")" 'BEGIN {printf "%dx%d\n", 1280 * s + 0.5, 800 * s + 0.5}'
}

# Gives each monitor its scale through mutter's display configuration, side by side in logical
# pixels, and waits until the Shell lays them out so. Mutter takes only the scales it lists for a mode
# (gdctl show); GNOME 48 has fractional ones with its scale-monitor-framebuffer feature alone.
scale_monitors() {
  local monitors=$1 i args=(set --layout-mode logical) expected=()
  if ! command -v gdctl >/dev/null; then
    echo "skipped: this mutter has no gdctl to set scales with (it came with GNOME 48)"
    exit 77
  fi
  for i in $(seq 0 $((monitors - 1))); do
    args+=(--logical-monitor --monitor "Meta-$i" --scale "$(monitor_scale "$i")" --x $((i * 1280)) --y 0)
    [ "$i" = 0 ] && args+=(--primary)
    expected+=("$((i * 1280)),0,1280,800")
  done
  local out
  out=$(timeout 10 gdctl "${args[@]}" 2>&1) || fail "mutter took no scales ${GNOME_SCALES}: $out
$(timeout 10 gdctl show 2>&1)"
  wait_for 10 shell_is "Array.from({length: global.display.get_n_monitors()}, (_, i) => {
    const r = global.display.get_monitor_geometry(i); return [r.x, r.y, r.width, r.height].join(); }).join(' ')" \
    "${expected[*]}" || fail "the monitors are not laid out at scales ${GNOME_SCALES}: $(timeout 10 gdctl show 2>&1)"
}

gnome_stop() {
  if [ -n "${GNOME_INPUT_IN:-}" ]; then
    exec {GNOME_INPUT_IN}>&- {GNOME_INPUT_OUT}<&-
    unset GNOME_INPUT_IN GNOME_INPUT_OUT
    rm -f "$GNOME_TMP/input.in" "$GNOME_TMP/input.out"
  fi
  stop_processes "$GNOME_PID" $(descendants "$GNOME_BUS_PID") "$GNOME_BUS_PID"
  # The next buses write their addresses anew: start_bus must not read this session's.
  rm -f "$GNOME_TMP/session-bus.address" "$GNOME_TMP/system-bus.address"
}

# Whether JS evaluates to the text given.
shell_is() {
  [ "$(shell_eval "$1")" = "$2" ]
}

shell_eval() {
  local answer
  answer=$(timeout 5 busctl --address="$DBUS_SESSION_BUS_ADDRESS" --json=short call org.gnome.Shell \
    /org/gnome/Shell org.gnome.Shell Eval s "$1") || return 1
  python3 -c '
import json, sys
ok, value = json.loads(sys.argv[1])["data"]
if not ok:
    sys.exit("shell_eval: " + value)
value = json.loads(value) if value else ""
print(value if isinstance(value, str) else json.dumps(value))' "$answer"
}

extension_state() {
  shell_eval "Main.extensionManager.lookup('$GNOME_UUID')?.state ?? 0"
}

tracks_pointer() {
  shell_eval "const GObject = imports.gi.GObject;
const t = global.backend?.get_cursor_tracker?.() ?? imports.gi.Meta.CursorTracker.get_for_display(global.display);
GObject.signal_has_handler_pending(t, GObject.signal_lookup('position-invalidated', t.constructor.\$gtype), 0, false)"
}

# How the window is maximized, as mutter's flags count it (1 across, 2 up and down, 3 both), and
# maximizing it, in the calls of every Shell (mutter 49 took the flags out of maximize()).
window_maximized() {
  shell_eval "const w = global.display.list_all_windows().find(w => String(w.get_id()) === '$1');
String((w.maximized_horizontally ? 1 : 0) + (w.maximized_vertically ? 2 : 0))"
}
window_maximize() {
  shell_eval "const w = global.display.list_all_windows().find(w => String(w.get_id()) === '$1');
w.set_maximize_flags ? w.set_maximize_flags(Meta.MaximizeFlags.BOTH) : w.maximize(Meta.MaximizeFlags.BOTH); 1" >/dev/null
}

key_setting() {
  gsettings --schemadir "$(dirname "$(extension_schema)")" get org.gnome.shell.extensions.corvane layout-1
}

# Where the Shell found the extension's compiled schema.
extension_schema() {
  shell_eval "Main.extensionManager.lookup('$GNOME_UUID').dir.get_child('schemas').get_child('gschemas.compiled').get_path()"
}

# The id of the first window of the given app id the Shell lists.
window_of() {
  shell_eval "global.display.list_all_windows().filter(w => w.get_wm_class() === '$1').map(w => String(w.get_id()))[0] ?? ''" |
    grep .
}

start_foot() {
  local app_id=$1
  shift
  foot --app-id "$app_id" --title "$app_id" "$@" bash --norc >"$GNOME_TMP/foot-$app_id.log" 2>&1 &
  gnome_track $!
  wait_for 10 window_of "$app_id" || fail "the Shell did not list foot $app_id"
  window_of "$app_id"
}

window_frame() {
  shell_eval "const w = global.display.list_all_windows().find(w => String(w.get_id()) === '$1');
const r = w.get_frame_rect(); [r.x, r.y, r.width, r.height].join(' ')"
}

monitor_geometry() {
  shell_eval "const r = global.display.get_monitor_geometry($1); [r.x, r.y, r.width, r.height].join(' ')"
}

work_area() {
  shell_eval "const r = global.workspace_manager.get_active_workspace().get_work_area_for_monitor($1);
[r.x, r.y, r.width, r.height].join(' ')"
}

# The remote input runs for the whole test, so a button pressed stays pressed between commands; it talks
# through two pipes that stay open in this shell.
input_start() {
  mkfifo "$GNOME_TMP/input.in" "$GNOME_TMP/input.out"
  "$GNOME_REMOTE_INPUT" <"$GNOME_TMP/input.in" >"$GNOME_TMP/input.out" 2>"$GNOME_TMP/input.log" &
  gnome_track $!
  exec {GNOME_INPUT_IN}>"$GNOME_TMP/input.in" {GNOME_INPUT_OUT}<"$GNOME_TMP/input.out"
  # The first event only makes the virtual pointer appear, and the first key (Shift alone, which nothing
  # acts on) the virtual keyboard. Until the seat has a keyboard, Wayland clients have none: one that
  # runs already binds it only when told, so a test whose client must be sent keys starts the input
  # before that client.
  input_send motion 0 0
  input_send key 42 down
  input_send key 42 up
  # GNOME 43 has Clutter's backend as a global, later ones only through the stage's context.
  wait_for 5 shell_is "(global.stage.context?.get_backend() ?? imports.gi.Clutter.get_default_backend())
.get_default_seat().list_devices().some(d => d.get_device_type() === imports.gi.Clutter.InputDeviceType.KEYBOARD_DEVICE)" true ||
    fail "the seat has no keyboard"
}

input_send() {
  [ -n "${GNOME_INPUT_IN:-}" ] || input_start
  local answer
  # In a subshell: should the input have quit, the broken pipe ends that, not the test.
  (printf '%s\n' "$*" >&"$GNOME_INPUT_IN") 2>/dev/null &&
    read -r -t 5 answer <&"$GNOME_INPUT_OUT" && [ "$answer" = ok ] ||
    fail "the remote input did not do \"$*\": $(cat "$GNOME_TMP/input.log")"
}

pointer_at() {
  shell_eval 'global.get_pointer().slice(0, 2).join(" ")'
}

# mutter's virtual pointer moves by steps: a few, each by what is left to go, until it is there.
pointer_move() {
  local x=$1 y=$2 at
  [ -n "${GNOME_INPUT_IN:-}" ] || input_start
  for _ in 1 2 3 4 5; do
    at=($(pointer_at))
    [ "${at[0]}" = "$x" ] && [ "${at[1]}" = "$y" ] && return 0
    input_send motion $((x - at[0])) $((y - at[1]))
    wait_for 2 pointer_moved_from "${at[0]}" "${at[1]}"
  done
  fail "the pointer is at $(pointer_at), not at $x $y"
}

pointer_moved_from() {
  [ "$(pointer_at)" != "$1 $2" ]
}

# A client that draws its own title bar asks the Shell to move it only once it has seen the pointer move
# far enough with the button held: foot 1.28 (GNOME 50's Debian) takes several motions for it, and a
# drag that goes on before would be no move at all. The pointer steps by a pixel until the Shell's grab
# has begun, then goes where it was sent.
pointer_drag() {
  local x=$1 y=$2 to_x=$3 to_y=$4 step=1
  shell_eval "global._corvaneTestGrab = 0;
    global._corvaneTestGrabWatch ??= global.display.connect('grab-op-begin', () => global._corvaneTestGrab++); 1" >/dev/null
  pointer_move "$x" "$y"
  pointer_press
  pointer_move "$to_x" "$to_y"
  for _ in $(seq 50); do
    shell_is 'String(global._corvaneTestGrab)' 0 || { pointer_move "$to_x" "$to_y"; return 0; }
    pointer_move $((to_x + step)) "$to_y"
    step=$((step + 1))
  done
  fail "pressed at $x,$y and moved to $to_x,$to_y, the Shell moves no window"
}

pointer_press() { input_send press; }
pointer_release() { input_send release; }
pointer_key() { input_send key "$1" "$2"; }

# The Shell's action for Control+Alt and a key by evdev code (its X keycode is that plus 8): 0 is none.
chord_action() {
  shell_eval "global.display.get_keybinding_action($(($1 + 8)), 12)"
}

daemon_start() {
  DAEMON_EVENTS=$GNOME_TMP/events.jsonl
  : >"$DAEMON_EVENTS" && : >"$DAEMON_EVENTS.times"
  rm -f "$GNOME_TMP/daemon.in" "$GNOME_TMP/daemon.out"
  mkfifo "$GNOME_TMP/daemon.in" "$GNOME_TMP/daemon.out"
  "$GNOME_FAKE_DAEMON" "$DAEMON_EVENTS" "$@" <"$GNOME_TMP/daemon.in" >"$GNOME_TMP/daemon.out" \
    2>>"$GNOME_TMP/daemon.log" &
  DAEMON_PID=$!
  gnome_track $DAEMON_PID
  exec {DAEMON_IN}>"$GNOME_TMP/daemon.in" {DAEMON_OUT}<"$GNOME_TMP/daemon.out"
  local answer
  read -r -t 5 answer <&"$DAEMON_OUT" && [ "$answer" = ready ] ||
    fail "the fake daemon did not start: $(cat "$GNOME_TMP/daemon.log")"
}

daemon_run() {
  local answer
  (printf '%s\n' "$1" >&"$DAEMON_IN") 2>/dev/null && read -r -t 10 answer <&"$DAEMON_OUT" ||
    fail "the fake daemon did not answer for $1: $(cat "$GNOME_TMP/daemon.log")"
  echo "$answer"
}

# Runs commands that must succeed.
daemon_ok() {
  local answer
  answer=$(daemon_run "$1")
  [[ $answer == ok* ]] || fail "Run $1 answered: $answer"
}

daemon_stop() {
  exec {DAEMON_IN}>&- {DAEMON_OUT}<&-
  stop_processes "$DAEMON_PID"
}

# Waits for the window to come to rest with its frame at X,Y, no larger than W x H and short of it by
# less than foot's cell.
expect_frame() {
  local id=$1 what=$6
  wait_for 5 is_in_frame "$@" ||
    fail "$what: the window is at $(window_frame "$id"), expected at $2,$3 filling $4 x $5 to within a cell"
  echo "ok - $what: $(window_frame "$id")"
}

is_in_frame() {
  local frame
  frame=($(window_frame "$1")) && [ "${frame[0]}" = "$2" ] && [ "${frame[1]}" = "$3" ] &&
    [ "${frame[2]}" -le "$4" ] && [ "${frame[2]}" -gt $(($4 - FOOT_CELL_WIDTH)) ] &&
    [ "${frame[3]}" -le "$5" ] && [ "${frame[3]}" -gt $(($5 - FOOT_CELL_HEIGHT)) ]
}

# The newest event (a line of JSON, named e) of which the Python expression SELECT holds; fails if none.
event_where() {
  python3 -c '
import json, sys
found = None
for line in open(sys.argv[1]):
    e = json.loads(line)
    if eval("(" + sys.argv[2] + ")"):
        found = line
sys.exit(1) if found is None else print(found, end="")' "$DAEMON_EVENTS" "$1"
}

# Fails unless an event of which SELECT holds comes within 5 s and CHECK holds of the newest; says so.
expect_event() {
  local select=$1 check=$2 what=$3 event
  wait_for 5 event_where "$select" || fail "$what: no event of which $select holds came"
  event=$(event_where "$select")
  event_where "($select) and ($check)" >/dev/null && event_has "$event" "$check" ||
    fail "$what: $check does not hold of $event"
  echo "ok - $what"
}

# Whether the Python expression EXPR holds of the event (a line of JSON), named e in it.
event_has() {
  python3 -c '
import json, sys
e = json.loads(sys.argv[1])
sys.exit(0 if eval("(" + sys.argv[2] + ")") else 1)' "$1" "$2"
}
