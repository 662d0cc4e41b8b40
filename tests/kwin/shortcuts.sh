#!/usr/bin/env bash
# Corvane's shortcuts on a real KWin: kglobalaccel holds each default chord for component corvane
# (what System Settings shows the user), each action invoked there places the active window once, and
# the chord typed on the keyboard does the same; the swap's chord trades two windows' zones.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

# The keys kglobalaccel holds for an action of ours, as Qt key codes (modifiers | key): the first of
# the two key lists each action's entry carries (the present keys; the second are the defaults). In
# ascending order, a set's: Plasma 6.7's kglobalaccel lists them in no set order.
keys_of() {
  timeout 5 dbus-send --session --print-reply --dest=org.kde.kglobalaccel /component/corvane \
    org.kde.kglobalaccel.Component.allShortcutInfos |
    awk -v action="$1" '/^      struct/ {field = 0; lists = 0} /^         string/ {if (++field == 1) name = $2}
      /^         array/ {++lists} /int32/ && name == "\"" action "\"" && lists == 1 {print $2}' | sort -n | xargs
}

kwin_start 2
foot=$(start_foot shortcuts-foot)
corvane_start

ctrl_alt=$((0x04000000 | 0x08000000))
for action in layout-1 layout-2 layout-3 layout-4 throw-previous throw-next; do
  case $action in
    layout-*) key=$((0x30 + ${action#layout-})) ;;
    throw-previous) key=$((0x01000012)) ;;
    throw-next) key=$((0x01000014)) ;;
  esac
  expected=$((ctrl_alt | key))
  # A digit's chord is the keypad's digit too (its code is the larger).
  [ "${action%-*}" = layout ] && expected="$expected $((ctrl_alt | 0x20000000 | key))"
  actual=$(keys_of "$action")
  [ "$actual" = "$expected" ] || fail "kglobalaccel holds '$actual' for $action, expected '$expected'"
done
echo "ok - kglobalaccel holds Control+Alt+1 to 4 (and the keypad's), Left and Right for corvane's six actions"
meta=$((0x10000000))
for swap in swap-left:$((0x01000012)) swap-up:$((0x01000013)) swap-right:$((0x01000014)) swap-down:$((0x01000015)); do
  actual=$(keys_of "${swap%:*}")
  [ "$actual" = $((ctrl_alt | meta | ${swap#*:})) ] || fail "kglobalaccel holds '$actual' for ${swap%:*}"
done
echo "ok - kglobalaccel holds Control+Alt+Meta with the arrows for the four swaps"

# Each layout's first zone, on the first output; a second placement of the same zone would not show,
# the cycling below does.
active_window "$foot"
shortcut layout-1 && expect_in_zone "$foot" 0 0 640 800 "layout-1: Split's first zone"
shortcut layout-2 && expect_in_zone "$foot" 0 0 640 400 "layout-2: Quadrant's first zone"
shortcut layout-3 && expect_in_zone "$foot" 0 0 427 800 "layout-3: Thirds' first zone"
shortcut layout-4 && expect_in_zone "$foot" 0 0 1280 400 "layout-4: Rows' first zone"

# Quadrant's zones in order: one step a press; fired twice, the window would skip a zone.
shortcut layout-2 && expect_in_zone "$foot" 0 0 640 400 "layout-2 again"
shortcut throw-next && expect_in_zone "$foot" 640 0 640 400 "throw-next: the next zone, one step"
shortcut throw-next && expect_in_zone "$foot" 0 400 640 400 "throw-next again: one step further"
shortcut throw-previous && expect_in_zone "$foot" 640 0 640 400 "throw-previous: one step back"

# The chord on the keyboard, through KWin's own input, not only invoked over D-Bus.
press_chord() {
  pointer_key 29 down && pointer_key 56 down && pointer_key "$1" down
  pointer_key "$1" up && pointer_key 56 up && pointer_key 29 up
}
press_chord 2 && expect_in_zone "$foot" 0 0 640 800 "Control+Alt+1 typed: Split's first zone"
press_chord 106 && expect_in_zone "$foot" 640 0 640 800 "Control+Alt+Right typed: one zone on"
press_chord 105 && expect_in_zone "$foot" 0 0 640 800 "Control+Alt+Left typed: one zone back"

# A second foot in the right half; the swap's chord, typed with foot active, trades their halves.
second=$(start_foot shortcuts-second-foot)
active_window "$second"
shortcut layout-1 && shortcut throw-next && expect_in_zone "$second" 640 0 640 800 "a second foot in the right half"
active_window "$foot"
pointer_key 29 down && pointer_key 56 down && pointer_key 125 down && pointer_key 106 down
pointer_key 106 up && pointer_key 125 up && pointer_key 56 up && pointer_key 29 up
expect_in_zone "$foot" 640 0 640 800 "Control+Alt+Meta+Right typed: foot in the right half"
expect_in_zone "$second" 0 0 640 800 "and the second foot in the left half"
is_active "$foot" || fail "the swap took the focus from foot"
echo "KWin shortcuts: all passed"
