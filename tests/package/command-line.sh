#!/usr/bin/env bash
# The program's command line, run for real: --help and --version answer without any display and exit
# 0, an unknown option or argument is refused on standard error with exit status 2, and a command
# with no Corvane on the session bus says so with status 3. Runs with no DISPLAY, then with one that
# cannot be reached, which must not matter either.
set -u
corvane=$1 version=$2
tmp=$(mktemp -d /tmp/corvane-cli.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs corvane with the given arguments, leaving the status in $status and the output in out, err.
run() {
  timeout 10 "$corvane" "$@" >"$tmp/out" 2>"$tmp/err"
  status=$?
}

for display in unset ":4711"; do
  if [ "$display" = unset ]; then unset DISPLAY; else export DISPLAY=$display; fi
  unset WAYLAND_DISPLAY XDG_SESSION_TYPE
  where="DISPLAY $display"

  for option in --help -h; do
    run "$option"
    [ $status = 0 ] || fail "$option with $where: exit status $status: $(cat "$tmp/err")"
    head -1 "$tmp/out" | grep -qx 'Usage: corvane \[OPTION\]' || fail "$option with $where printed: $(cat "$tmp/out")"
    grep -q -- '--version' "$tmp/out" || fail "$option does not list --version"
    [ ! -s "$tmp/err" ] || fail "$option with $where wrote to standard error: $(cat "$tmp/err")"
  done
  echo "ok - --help and -h answer with $where"

  run --version
  [ $status = 0 ] || fail "--version with $where: exit status $status: $(cat "$tmp/err")"
  [ "$(cat "$tmp/out")" = "Corvane $version" ] || fail "--version with $where printed: $(cat "$tmp/out")"
  [ ! -s "$tmp/err" ] || fail "--version with $where wrote to standard error: $(cat "$tmp/err")"
  echo "ok - --version answers with $where"

  for wrong in --bogus -x start; do
    run "$wrong"
    [ $status = 2 ] || fail "'$wrong' with $where: exit status $status, expected 2"
    [ ! -s "$tmp/out" ] || fail "'$wrong' wrote to standard output: $(cat "$tmp/out")"
    grep -q -- "'$wrong'" "$tmp/err" || fail "'$wrong': the message does not name it: $(cat "$tmp/err")"
    grep -q "corvane --help" "$tmp/err" || fail "'$wrong': the message does not point to --help"
  done
  echo "ok - an unknown option or argument is refused with status 2 and $where"

  DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-bus" run apply Split
  [ $status = 3 ] || fail "a command with no Corvane and $where: exit status $status: $(cat "$tmp/err")"
  if [ "$display" = unset ]; then expected="Corvane is not running."; else expected="Corvane is not running on display $display."; fi
  [ "$(cat "$tmp/err")" = "$expected" ] || fail "a command with no Corvane and $where said: $(cat "$tmp/err")"
  run zone Split x
  [ $status = 2 ] || fail "a wrong command with $where: exit status $status, expected 2"
  echo "ok - a command with no Corvane running exits 3, a wrong one 2, with $where"
done

# Without an option the program starts, and says it needs a display rather than crashing.
unset DISPLAY
run
[ $status = 1 ] || fail "no option and no display: exit status $status, expected 1"
grep -q "Corvane needs an X11 display" "$tmp/err" || fail "no option and no display: $(cat "$tmp/err")"
echo "ok - without an option and without a display, Corvane says it needs one"

# A backend is chosen from the session, or named; a name it does not know is a wrong command line.
run --backend kde
[ $status = 2 ] || fail "--backend kde: exit status $status, expected 2"
grep -q "unknown backend 'kde'; choose one of: x11, kwin, gnome" "$tmp/err" || fail "--backend kde said: $(cat "$tmp/err")"
# A Wayland desktop without a backend of its own is not served, even with an X11 display beside it,
# unless x11 is asked for by name.
XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0 XDG_CURRENT_DESKTOP=Hyprland DISPLAY=:4711 run
[ $status = 1 ] || fail "a Wayland session: exit status $status, expected 1"
grep -q "cannot move windows on this Wayland session (desktop: Hyprland)" "$tmp/err" || fail "a Wayland session: $(cat "$tmp/err")"
XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0 DISPLAY=:4711 run --backend x11
grep -q "Corvane needs an X11 display, and none could be reached (DISPLAY=:4711)" "$tmp/err" ||
  fail "--backend x11 on a Wayland session: $(cat "$tmp/err")"
echo "ok - --backend refuses an unknown name; a Wayland session without a backend is refused unless x11 is named"
echo "command line: all passed"
