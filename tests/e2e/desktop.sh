# The throw-away desktop of scripts/desktop.sh, with what the end-to-end tests add: a failure keeps
# the run's logs and a screenshot, and checks of a window's frame.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/desktop.sh"

# A failure keeps what the run logged (Corvane, the window manager, the X servers) and a screenshot in
# E2E_FAILURE_DIR, so a failure that happens once can still be looked into.
fail() {
  echo "FAIL: $*" >&2
  local keep=${E2E_FAILURE_DIR:-/tmp/corvane-e2e-failures}/$(basename "$0" .sh)-$(date +%H%M%S)-$$
  mkdir -p "$keep" && cp "$E2E_TMP"/*.log "$keep"/ 2>/dev/null
  [ -n "${DISPLAY:-}" ] && import -window root "$keep/screen.png" 2>/dev/null
  echo "logs and a screenshot of the failure: $keep" >&2
  exit 1
}

# Runs a command of Corvane ($corvane), leaving its status in $status and what it wrote in $said.
run() {
  said=$("$corvane" "$@" 2>&1)
  status=$?
}

# Whether the window's outer frame is the expected one: exact position, size up to one character
# cell short (xterm sizes itself in whole cells).
frame_is() {
  local id=$1 ex=$2 ey=$3 ew=$4 eh=$5
  set -- $(outer_frame "$id")
  [ "$1" = "$ex" ] && [ "$2" = "$ey" ] && [ "$3" -le "$ew" ] && [ "$3" -gt $((ew - 12)) ] &&
    [ "$4" -le "$eh" ] && [ "$4" -gt $((eh - 20)) ]
}

expect_frame() {
  local what=$1; shift
  wait_for 3 frame_is "$@" || fail "$what: window at $(outer_frame "$1"), expected ${*:2}"
  echo "ok - $what"
}

# Starts corvane_typed_window ($2) with the type, title and geometry that follow, and sets the variable
# named $1 to its window's id once the window manager shows it in its frame. Not called in $(...), where
# the client would be the subshell's, and a failure would end only the subshell.
start_typed_window() {
  local into=$1 program=$2 title=$4 pid
  "$program" "${@:3}" &
  pid=$!
  E2E_PIDS+=($pid)
  wait_for 10 xdotool search --onlyvisible --name "^$title\$" ||
    fail "$title did not appear: its client $(is_running "$pid" && echo runs || echo "has exited"), and the" \
      "server holds $(xwininfo -root -tree | grep -F "\"$title\"" || echo "no window of that name")"
  printf -v "$into" %s "$(xdotool search --name "^$title\$" | head -1)"
  wait_for 5 sh -c "xprop -id ${!into} _NET_FRAME_EXTENTS | grep -q =" ||
    fail "${E2E_WM:-openbox} gave $title no frame"
}
