# Bounded waits, and stopping what a throw-away session started: shared by the X11 desktop
# (scripts/desktop.sh), the KWin session (tests/kwin/session.sh) and the GNOME Shell one (tests/gnome).

# Polls a command until it succeeds, for at most the given seconds.
wait_for() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

# Whether COMMAND prints TEXT: `wait_for 5 output_is TEXT COMMAND...` runs COMMAND anew each time, where
# `wait_for 5 test "$(COMMAND)" = TEXT` would compare one output again and again.
output_is() {
  local text=$1
  shift
  [ "$("$@")" = "$text" ]
}

# Every process below the given one.
descendants() {
  local child
  for child in $(ps -o pid= --ppid "$1"); do
    echo "$child"
    descendants "$child"
  done
}

# Whether a process runs: one that has exited but is not yet reaped does not. A client started in $(...)
# is reaped by init, which may take a second to come to it.
is_running() {
  local state
  state=$(ps -o stat= -p "$1") && [[ $state != Z* ]]
}

# Stops the given processes and waits until each has exited, so the next run never meets a server of
# this one still shutting down (still holding its socket while a new server takes its place).
stop_processes() {
  local pid
  for pid in "$@"; do kill "$pid" 2>/dev/null; done
  local deadline=$((SECONDS + 3))
  for pid in "$@"; do
    while is_running "$pid" && [ $SECONDS -lt $deadline ]; do sleep 0.02; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
}

# A throw-away compositor session's folder (tests/kwin, tests/gnome): the processes it started are listed
# in a file there, so that a client started in $(...) is stopped too; ending the session stops them with
# the services its bus started, and removes the folder.
session_track() {
  echo "$2" >>"$1/pids"
}
session_end() {
  local pids=($(cat "$1/pids" 2>/dev/null))
  [ -n "${2:-}" ] && pids+=($(descendants "$2"))
  stop_processes "${pids[@]}"
  rm -rf "$1"
}

# Ends the test as failed with MESSAGE, keeping the FILES (the session's logs) in E2E_FAILURE_DIR
# (/tmp/corvane-e2e-failures), so a failure that happens once can still be looked into.
session_fail() {
  echo "FAIL: $1" >&2
  shift
  local keep=${E2E_FAILURE_DIR:-/tmp/corvane-e2e-failures}/$(basename "$0" .sh)-$(date +%H%M%S)-$$
  mkdir -p "$keep" && cp "$@" "$keep"/ 2>/dev/null
  echo "logs of the failure: $keep" >&2
  # In $(...), exit would end only that subshell: the test ends with it.
  [ "$BASHPID" = "$$" ] || kill -TERM $$
  exit 1
}
