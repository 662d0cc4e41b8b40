#!/usr/bin/env bash
# The modifier keys during a user's move on KWin, as a Plasma user has them: KWin offers its key-state
# protocol to the installed Corvane, whose desktop entry asks for it, and to a Corvane no entry names
# only where KWin offers it to every client (KWin 6.7 does, 6.3 keeps it for the clients an entry names
# it to); then drag to snap sees Meta held while foot is dragged by its title bar, and places it
# freely where it is dropped, held from before the press or pressed halfway, while the same drag
# without Meta drops foot into the zone.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 build=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
meta=125

prefix=$KWIN_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$KWIN_TMP/install.log" 2>&1 ||
  fail "the install failed: $(cat "$KWIN_TMP/install.log")"
export XDG_DATA_DIRS=$prefix/share:/usr/share
KWIN_GRANTS=1 kwin_start 1
corvane_settings '<key>dragSnapEnabled</key><true/><key>dragSnapVerbose</key><true/>'
foot=$(start_foot modifiers-foot)

# Whether this KWin offers its key state to every client: KWin tells by what it offers the fake
# pointer, whose desktop entry names only the fake input.
offered=$("$KWIN_FAKE_POINTER" offers org_kde_kwin_keystate 2>"$KWIN_TMP/offers.log")
CORVANE=$build/corvane
corvane_start
case $offered in
  no)
    grep -q "KWin key state: not offered" "$CORVANE_LOG" ||
      fail "KWin offered its key state to a Corvane no entry names"
    whom="to the installed Corvane only" ;;
  yes)
    grep -q "KWin key state: following the modifier keys" "$CORVANE_LOG" ||
      fail "KWin offers its key state to every client, yet a Corvane no entry names does not follow it: $(grep 'key state' "$CORVANE_LOG")"
    whom="to every client: to a Corvane no entry names as to the installed one" ;;
  *) fail "the fake pointer could not tell what KWin offers it: $(cat "$KWIN_TMP/offers.log")" ;;
esac
corvane_stop || fail "Corvane quit with status $?"
CORVANE=$prefix/bin/corvane
corvane_start
grep -q "KWin key state: following the modifier keys" "$CORVANE_LOG" ||
  fail "KWin did not offer its key state to the installed Corvane: $(grep 'key state' "$CORVANE_LOG")"
echo "ok - KWin offers its key state $whom"

# Drags foot by its title bar to X,Y in steps 20 ms apart, as a hand would (the drag monitor looks
# at the window every 30 ms); Meta is held from before the press (start), pressed halfway (halfway)
# or not at all (none), and let go after the button.
drag_to() {
  local to_x=$1 to_y=$2 meta_from=$3 frame
  frame=($(window_frame "$foot")) || fail "no frame for foot"
  local from_x=$((frame[0] + frame[2] / 2)) from_y=$((frame[1] + 12))
  pointer_move "$from_x" "$from_y"
  [ "$meta_from" = start ] && pointer_key $meta down
  pointer_press
  for step in 1 2 3 4 5 6 7 8 9 10; do
    [ "$meta_from" = halfway ] && [ $step = 6 ] && pointer_key $meta down
    pointer_move $((from_x + (to_x - from_x) * step / 10)) $((from_y + (to_y - from_y) * step / 10))
    sleep 0.02
  done
  pointer_release
  [ "$meta_from" = none ] || pointer_key $meta up
}

# The drag monitor's own word on the Nth drop: whether a zone was to be filled.
has_drops() { [ "$(grep -c "dragsnap: UP " "$CORVANE_LOG")" -ge "$1" ]; }
expect_drop() {
  local n=$1 pending=$2 what=$3 line
  wait_for 5 has_drops "$n" || fail "$what: the drag monitor saw no drop"
  line=$(grep "dragsnap: UP " "$CORVANE_LOG" | sed -n "${n}p")
  [[ $line == *"UP confirmed=true pending=$pending" ]] || fail "$what: $line"
}

# Foot where KWin left it at the end of the Nth move (its edges snap to the output's), and still there.
expect_left_by_kwin() {
  local n=$1 what=$2 dropped
  dropped=$(sed -n "s/^js: corvane-harness move-finished $foot //p" "$KWIN_LOG" | sed -n "${n}p")
  [ -n "$dropped" ] && [ "$(window_frame "$foot")" = "$dropped" ] ||
    fail "$what: foot is at $(window_frame "$foot"), KWin dropped it at ${dropped:-no place}"
  echo "ok - $what: foot stays where it was dropped, $dropped"
}

# Quadrant's top-left zone is under (320, 200).
active_window "$foot"
drag_to 320 200 start
expect_drop 1 false "Meta held from the press"
expect_left_by_kwin 1 "Meta held from the press"

drag_to 330 210 none
expect_drop 2 true "no key held"
expect_in_zone "$foot" 0 0 640 400 "no key held, after Meta was let go: the top-left zone"

drag_to 320 200 halfway
expect_drop 3 false "Meta pressed halfway"
expect_left_by_kwin 3 "Meta pressed halfway through the drag"
echo "KWin modifiers: all passed"
