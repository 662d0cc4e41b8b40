# Checks of Corvane's command line, shared by the compositors' command tests (tests/kwin, tests/gnome):
# sourced after the session's corvane.sh, whose corvane_do runs a command and whose fail ends the test.

# Runs a command that must succeed, silently.
command_ok() {
  local output
  output=$(corvane_do "$@") || fail "corvane $* failed: $output"
  [ -z "$output" ] || fail "corvane $* said: $output"
}

# Runs a command that must fail with status 1 and the text.
command_refused() {
  local text=$1 output status
  shift
  output=$(corvane_do "$@")
  status=$?
  [ "$status" = 1 ] && [ "$output" = "corvane: $text" ] ||
    fail "corvane $* ended $status saying \"$output\", expected 1 and \"corvane: $text\""
  echo "ok - corvane $* is refused: $text"
}
