#!/usr/bin/env bash
# Corvane's command line on a real KWin, each command acting on the window the user last worked in:
# zones, layouts, cycling, the next screen, a size, and the way back, also after Corvane restarted;
# zones end above a panel; Corvane's own windows and windows of another virtual desktop stay put; two
# windows trade zones, the focus staying.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"
source "$(dirname "$0")/../support/commands.sh"

kwin_start 2
corvane_start
# The window the user worked in, sent to another virtual desktop, is left there as it is: with no
# other window of the user's here yet, there is nothing to act on.
other=$(start_foot other-desktop-foot)
active_window "$other"
kwin_eval 'workspace.createDesktop(1, "two");
for (const w of workspace.windowList()) if (w.internalId.toString() === "'"$other"'") w.desktops = [workspace.desktops[1]];' \
  >/dev/null
other_frame=$(window_frame "$other")
command_refused 'There is no window to act on: Corvane acts on the window you last worked in, and found none.' \
  zone Split 1
[ "$(window_frame "$other")" = "$other_frame" ] || fail "a command moved a window of another desktop"
echo "ok - the window on the other desktop stayed at $other_frame"

foot=$(start_foot commands-foot)
before=$(window_frame "$foot")
active_window "$foot"

command_ok zone Quadrant 4 && expect_in_zone "$foot" 640 400 640 400 "zone Quadrant 4"
command_ok apply Thirds && expect_in_zone "$foot" 0 0 427 800 "apply Thirds: its first zone"
command_ok cycle next && expect_in_zone "$foot" 427 0 427 800 "cycle next: Thirds' second zone"
command_ok cycle previous && expect_in_zone "$foot" 0 0 427 800 "cycle previous: back to the first"
command_ok cycle previous && expect_in_zone "$foot" 853 0 427 800 "cycle previous from the first: the last"
command_ok zone Quadrant 2 && expect_in_zone "$foot" 640 0 640 400 "zone Quadrant 2"
command_ok screen next && expect_in_zone "$foot" 1920 0 640 400 "screen next: the same zone on the second output"
command_ok screen next && expect_in_zone "$foot" 640 0 640 400 "screen next from the last output: the first"
command_ok resize 600 400 && expect_in_zone "$foot" 340 200 600 400 "resize 600 400: centred on the output"

command_refused 'No layout or preset is named "Nope".' zone Nope 1
command_refused 'No layout or preset is named "Nope".' apply Nope
command_refused '"Quadrant" has zones 1 to 4; there is no zone 5.' zone Quadrant 5
layouts=$(corvane_do layouts) || fail "corvane layouts failed: $layouts"
expected_layouts=$(printf '2\tSplit\n4\tQuadrant\n3\tThirds\n2\tRows\n2\tRight Bias\n2\tBias\n6\tSix Pack\n3\tFocus')
[ "$layouts" = "$expected_layouts" ] || fail "corvane layouts listed: $layouts"
echo "ok - corvane layouts lists the eight built-in layouts with their zone counts"

# The frame from before the first placement, kept across a restart of Corvane.
corvane_stop || fail "Corvane quit with status $?"
corvane_start
active_window "$foot"
command_ok restore
wait_for 5 output_is "$before" window_frame "$foot" ||
  fail "restore after a restart put foot at $(window_frame "$foot"), expected $before"
echo "ok - restore after a restart: back to $before, from before the first placement"
command_refused 'The window has no earlier frame to go back to: Corvane has not placed it.' restore

# A panel's strip is the panel's: zones end above it.
start_panel 0 40
command_ok zone Split 1 && expect_in_zone "$foot" 0 0 640 760 "with a panel: Split's first zone ends above it"
command_ok zone Rows 2 && expect_in_zone "$foot" 0 380 1280 380 "with a panel: Rows' second zone ends above it"

# Corvane's own window, active, is never the one a command moves: the user's window is.
corvanes() { grep -c "^js: corvane-harness window .* corvane$" "$KWIN_LOG"; }
more_corvanes() { [ "$(corvanes)" -gt "$1" ]; }
listed=$(corvanes)
corvane_do settings >/dev/null || fail "corvane settings failed"
wait_for 10 more_corvanes "$listed" || fail "the settings window did not open"
settings=$(sed -n 's/^js: corvane-harness window \([^ ]*\) corvane$/\1/p' "$KWIN_LOG" | tail -1)
active_window "$settings"
settings_frame=$(window_frame "$settings")
command_ok zone Split 2 && expect_in_zone "$foot" 640 0 640 760 "with Corvane's window active: the user's window moved"
[ "$(window_frame "$settings")" = "$settings_frame" ] || fail "a command moved Corvane's own window"
echo "ok - Corvane's own window stayed at $settings_frame"

# Two windows in the halves trade them; the one worked in keeps the focus.
second=$(start_foot swap-foot)
active_window "$second"
command_ok zone Split 1 && expect_in_zone "$second" 0 0 640 760 "a second foot in the left half"
active_window "$foot"
command_ok swap left && expect_in_zone "$foot" 0 0 640 760 "swap left: foot in the left half"
expect_in_zone "$second" 640 0 640 760 "swap left: the second foot in the right half"
is_active "$foot" || fail "the swap took the focus from foot"
command_refused 'No window Corvane placed in a zone lies that way to swap with.' swap left

echo "KWin commands: all passed"
