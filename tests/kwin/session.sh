# A headless KWin session for the KWin end-to-end tests, sourced by each tests/kwin/*.sh as
# tests/e2e/desktop.sh is by the X11 ones: a session bus and runtime folder of its own, KWin on Wayland
# with virtual outputs, real clients and a pointer through KWin's fake input. Every wait is bounded,
# every process started here is stopped by its pid on exit, and a failure keeps KWin's and the
# clients' logs in E2E_FAILURE_DIR (/tmp/corvane-e2e-failures).
#
# Before sourcing, a test sets KWIN_FAKE_POINTER and KWIN_TEST_PANEL to the programs of
# tests/kwin/CMakeLists.txt (its first two arguments). Then:
#   kwin_start [OUTPUTS]          KWin with 1 or 2 (the default) outputs of 1280 x 800 side by side,
#                                 Virtual-0 at 0,0 and Virtual-1 at 1280,0; returns once its scripting
#                                 answers on D-Bus. WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS and
#                                 XDG_RUNTIME_DIR lead to it from then on; KWIN_PID is KWin's process.
#                                 With KWIN_SCALES set ("1.25", "1.5 1": one scale an output, the last
#                                 for the rest) each output has that scale, set as Plasma's display
#                                 settings set it, and they lie side by side in logical pixels. Every
#                                 output has 1280 x 800 pixels times the largest scale: one at that
#                                 scale is 1280 x 800 in logical pixels, so the tests' places hold; one
#                                 at a smaller scale is larger (output_geometry says how large)
#                                 With KWIN_GRANTS=1 KWin keeps its check of who may use its restricted
#                                 protocols, and grants them by desktop entries as on a user's Plasma
#                                 (the fake pointer's by one of the session's own, XDG_DATA_HOME)
#   kwin_eval JS                  runs JS once as a KWin script and prints the lines it passed to
#                                 say(...): what only KWin's scripting knows (work areas, outputs)
#   kwin_load_script FILE NAME    loads a KWin script that stays, and runs it
#   kwin_wait_log PATTERN [SECS]  waits (5 s) for a line of KWin's log ($KWIN_LOG) that matches PATTERN
#                                 (grep -E); scripts' print() lines are there as "js: ...". The harness's
#                                 own script says "corvane-harness move-started|move-stepped|move-finished
#                                 ID X Y WIDTH HEIGHT" when a window is moved or resized by the pointer
#   start_foot APP_ID [OPTION...]  a foot terminal, its title bar drawn by KWin, given foot's options;
#                                 prints the window's internal id (a UUID) once KWin lists it
#   output_geometry N, work_area N  "X Y WIDTH HEIGHT" of output N (0 or 1), and of the part of it
#                                 KWin leaves to windows (KWin.MaximizeArea: less the panels)
#   start_panel N [HEIGHT [tray]] a panel along the bottom of output N reserving HEIGHT (40) pixels,
#                                 with "tray" the session's system tray at its right end (its log,
#                                 $KWIN_TMP/panel-N.log, says "tray: item SERVICE" as items register);
#                                 returns once the work area there has shrunk. KWIN_PANEL_PID is its
#                                 process
#   window_frame ID               the window's frame, title bar included: "X Y WIDTH HEIGHT"
#   pointer_move X Y | pointer_press | pointer_release | pointer_key CODE down|up
#                                 the fake pointer (left button; keys by evdev code: 29 Control, 56 Alt,
#                                 42 Shift, 125 Meta); each returns once KWin has handled the event
#   kwin_track PID                stops PID with the rest when the test ends (what a test starts itself)
#   fail MESSAGE                  stops the test, keeping the logs (in $(...) too)
#   wait_for SECONDS COMMAND...   polls COMMAND until it succeeds, for at most SECONDS
# Everything is stopped when the test exits.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/processes.sh"

KWIN_TMP=$(mktemp -d /tmp/corvane-kwin.XXXXXX)
KWIN_LOG=$KWIN_TMP/kwin.log
KWIN_HARNESS_SCRIPT=$(dirname "${BASH_SOURCE[0]}")/harness.js

kwin_track() {
  session_track "$KWIN_TMP" "$1"
}
kwin_cleanup() {
  session_end "$KWIN_TMP" "${KWIN_BUS_PID:-}"
}
trap kwin_cleanup EXIT
trap 'exit 1' TERM

fail() {
  session_fail "$*" "$KWIN_TMP"/*.log
}

# A D-Bus call to KWin that gives up after a few seconds; KWin answers in milliseconds when it is well.
kwin_call() {
  timeout 5 qdbus6 org.kde.KWin "$@"
}

kwin_start() {
  local outputs=${1:-2}
  export XDG_RUNTIME_DIR=$KWIN_TMP/runtime XDG_CONFIG_HOME=$KWIN_TMP/config
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$KWIN_TMP/bus.address" \
    >"$KWIN_TMP/bus.log" 2>&1 &
  KWIN_BUS_PID=$!
  kwin_track $KWIN_BUS_PID
  wait_for 5 test -s "$KWIN_TMP/bus.address" || fail "no session bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$KWIN_TMP/bus.address")
  unset DISPLAY WAYLAND_DISPLAY
  # KWin offers its fake input only to the clients it trusts; its own tests lift the check this way.
  local trust=(KWIN_WAYLAND_NO_PERMISSION_CHECKS=1)
  if [ -n "${KWIN_GRANTS:-}" ]; then
    trust=()
    kwin_grant "$KWIN_FAKE_POINTER" org_kde_kwin_fake_input
  fi
  env "${trust[@]}" QT_LOGGING_RULES="kwin_scripting.debug=true;js.debug=true" \
    kwin_wayland --virtual --width "$(output_pixels 1280)" --height "$(output_pixels 800)" \
    --output-count "$outputs" --socket wayland-corvane --no-lockscreen >"$KWIN_LOG" 2>&1 &
  KWIN_PID=$!
  kwin_track $KWIN_PID
  wait_for 15 kwin_call /Scripting || fail "KWin's scripting did not answer on D-Bus"
  export WAYLAND_DISPLAY=wayland-corvane
  kwin_load_script "$KWIN_HARNESS_SCRIPT" corvane-harness
  kwin_wait_log "corvane-harness ready" || fail "the harness's KWin script did not start"
  [ -z "${KWIN_SCALES:-}" ] || scale_outputs "$outputs"
}

output_scale() {
  local scales=(${KWIN_SCALES:-1})
  echo "${scales[$1]:-${scales[-1]}}"
}
# A length of the outputs in pixels: LOGICAL times the largest scale.
output_pixels() {
  printf '%s\n' ${KWIN_SCALES:-1} | awk -v n="$1" '$1 > s {s = $1} END {printf "%d\n", n * s + 0.5}'
}

# Gives each output its scale through KWin's output management (kscreen-doctor, the client of Plasma's
# display settings), side by side in logical pixels, and waits until KWin lays them out so.
scale_outputs() {
  local outputs=$1 i x=0 scale width height args=() expected=()
  if ! command -v kscreen-doctor >/dev/null; then
    echo "skipped: no kscreen-doctor (libkscreen-bin) to set the outputs' scales with"
    exit 77
  fi
  for ((i = 0; i < outputs; i++)); do
    scale=$(output_scale "$i")
    width=$(awk -v p="$(output_pixels 1280)" -v s="$scale" 'BEGIN {printf "%d", p / s + 0.5}')
    height=$(awk -v p="$(output_pixels 800)" -v s="$scale" 'BEGIN {printf "%d", p / s + 0.5}')
    args+=("output.Virtual-$i.scale.$scale" "output.Virtual-$i.position.$x,0")
    expected+=("$x 0 $width $height")
    x=$((x + width))
  done
  local out
  out=$(QT_QPA_PLATFORM=wayland timeout 10 kscreen-doctor "${args[@]}" 2>&1) ||
    fail "KWin took no scales $KWIN_SCALES: $out"
  wait_for 10 outputs_are "${expected[@]}" ||
    fail "the outputs are not laid out at scales $KWIN_SCALES: $(QT_QPA_PLATFORM=wayland timeout 10 kscreen-doctor -o 2>&1)"
}

outputs_are() {
  local i=0 expected
  for expected in "$@"; do
    [ "$(output_geometry $i)" = "$expected" ] || return 1
    i=$((i + 1))
  done
}

# A desktop entry in the session's own applications that has KWin grant PROGRAM the restricted
# INTERFACES. KWin finds it by Exec, the program's absolute path, among the applications of the menu,
# which is Plasma's on a user's system: the root has none, so the session has one that lists them all.
kwin_grant() {
  export XDG_DATA_HOME=$KWIN_TMP/data XDG_CACHE_HOME=$KWIN_TMP/cache
  mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME/menus"
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nX-KDE-Wayland-Interfaces=%s\n' \
    "$(basename "$1")" "$1" "$2" >"$XDG_DATA_HOME/applications/$(basename "$1").desktop"
  printf '<Menu><Name>Applications</Name><DefaultAppDirs/><Include><All/></Include></Menu>\n' \
    >"$XDG_CONFIG_HOME/menus/applications.menu"
}

kwin_load_script() {
  local id
  id=$(kwin_call /Scripting org.kde.kwin.Scripting.loadScript "$1" "$2") && [ "$id" -ge 0 ] ||
    fail "KWin did not load the script $1"
  kwin_call "/Scripting/Script$id" org.kde.kwin.Script.run || fail "KWin did not run the script $1"
}

kwin_wait_log() {
  wait_for "${2:-5}" grep -q -E -- "$1" "$KWIN_LOG"
}

kwin_eval() {
  # A file and a tag of their own: called in $(...), a counter here would not count.
  local file tag
  file=$(mktemp --suffix=.js "$KWIN_TMP/eval-XXXXXX")
  tag=$(basename "$file" .js)
  printf 'function say(...words) { print("%s", ...words); }\n%s\nprint("%s end");\n' "$tag" "$1" "$tag" >"$file"
  kwin_load_script "$file" "$tag"
  kwin_wait_log "^js: $tag end" || fail "the KWin script did not finish: $1"
  kwin_call /Scripting org.kde.kwin.Scripting.unloadScript "$tag" >/dev/null
  sed -n "s/^js: $tag //p" "$KWIN_LOG" | grep -v '^end$'
}

# The internal id of the first window of the given app id that KWin listed.
window_of() {
  sed -n "s/^js: corvane-harness window \([^ ]*\) $1\$/\1/p" "$KWIN_LOG" | head -1 | grep .
}

start_foot() {
  local app_id=$1
  shift
  foot --app-id "$app_id" --title "$app_id" "$@" bash --norc >"$KWIN_TMP/foot-$app_id.log" 2>&1 &
  kwin_track $!
  wait_for 10 window_of "$app_id" || fail "KWin did not list foot $app_id"
  window_of "$app_id"
}

# "X Y WIDTH HEIGHT" of an output (0 or 1), and of the part of it KWin leaves to windows (less panels).
output_geometry() {
  kwin_eval "const g = workspace.screens[$1].geometry; say(g.x, g.y, g.width, g.height);"
}
work_area() {
  kwin_eval "const g = workspace.clientArea(KWin.MaximizeArea, workspace.screens[$1], workspace.currentDesktop);
say(g.x, g.y, g.width, g.height);"
}

area_is_smaller() {
  [ "$(work_area "$1")" != "$(output_geometry "$1")" ]
}

start_panel() {
  local output=$1 height=${2:-40}
  QT_QPA_PLATFORM=wayland "$KWIN_TEST_PANEL" "$output" "$height" ${3:-} >"$KWIN_TMP/panel-$output.log" 2>&1 &
  KWIN_PANEL_PID=$!
  kwin_track $KWIN_PANEL_PID
  wait_for 10 area_is_smaller "$output" || fail "the panel on output $output reserved no space"
}

window_frame() {
  local info
  info=$(kwin_call /KWin org.kde.KWin.getWindowInfo "$1") || return 1
  awk -F': ' '$1 == "x" {x = $2} $1 == "y" {y = $2} $1 == "width" {w = $2} $1 == "height" {h = $2}
    END {if (w == "") exit 1; printf "%.0f %.0f %.0f %.0f\n", x, y, w, h}' <<<"$info"
}

# The fake pointer runs for the whole test, so a button pressed stays pressed between commands; it talks
# through two pipes that stay open in this shell.
pointer_start() {
  mkfifo "$KWIN_TMP/pointer.in" "$KWIN_TMP/pointer.out"
  "$KWIN_FAKE_POINTER" <"$KWIN_TMP/pointer.in" >"$KWIN_TMP/pointer.out" 2>"$KWIN_TMP/pointer.log" &
  kwin_track $!
  exec {KWIN_POINTER_IN}>"$KWIN_TMP/pointer.in" {KWIN_POINTER_OUT}<"$KWIN_TMP/pointer.out"
}

pointer_send() {
  [ -n "${KWIN_POINTER_IN:-}" ] || pointer_start
  local answer
  # In a subshell: should the pointer have quit, the broken pipe ends that, not the test.
  (printf '%s\n' "$*" >&"$KWIN_POINTER_IN") 2>/dev/null &&
    read -r -t 5 answer <&"$KWIN_POINTER_OUT" && [ "$answer" = ok ] ||
    fail "the fake pointer did not do \"$*\": $(cat "$KWIN_TMP/pointer.log")"
}

pointer_move() { pointer_send move "$1" "$2"; }
pointer_press() { pointer_send press; }
pointer_release() { pointer_send release; }
pointer_key() { pointer_send key "$1" "$2"; }
