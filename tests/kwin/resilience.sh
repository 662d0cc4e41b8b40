#!/usr/bin/env bash
# Corvane and its agent in KWin through what a session does to them: the script unloaded by another
# program, KWin reconfigured, KWin frozen for a while, Corvane quitting, KWin going away.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 CORVANE=$3
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

kwin_start 2
foot=$(start_foot resilience-foot)
corvane_start
active_window "$foot"

kwin_call /Scripting org.kde.kwin.Scripting.unloadScript corvane-agent >/dev/null
# Corvane learns it at its next command to the agent, which the gone script never polls for.
shortcut layout-1
corvane_log_has "KWin agent was unloaded; loaded it again" 8 || fail "Corvane did not load its agent again"
wait_for 5 agent_loaded || fail "the agent Corvane loaded again is not loaded"
shortcut layout-2 && expect_in_zone "$foot" 0 0 640 400 "after the agent was unloaded, layout-2 places foot"

kwin_call /KWin reconfigure >/dev/null || fail "KWin did not reconfigure"
shortcut layout-1 && expect_in_zone "$foot" 0 0 640 800 "after KWin reconfigured, layout-1 places foot"

# KWin frozen for 4 s, longer than the agent may stay silent: Corvane answers commands meanwhile and
# takes up with KWin once it runs again, neither hanging nor giving up on a KWin still there.
kill -STOP "$KWIN_PID"
thaw_at=$(($(date +%s%3N) + 4000))
output=$(corvane_do zone Quadrant 4)
status=$?
[ "$status" != 124 ] || fail "a command hung while KWin was frozen"
echo "ok - while KWin is frozen a command answers ($status: ${output:-nothing})"
layouts=$(corvane_do layouts) || fail "corvane layouts failed while KWin was frozen: $layouts"
while [ "$(date +%s%3N)" -lt "$thaw_at" ]; do sleep 0.1; done
kill -CONT "$KWIN_PID"
shortcut layout-3 && expect_in_zone "$foot" 0 0 427 800 "after KWin ran again, layout-3 places foot"
kill -0 "$CORVANE_PID" 2>/dev/null || fail "Corvane quit after KWin was frozen"
! grep -q "lost its agent" "$CORVANE_LOG" || fail "Corvane gave up on a KWin that was only frozen"

corvane_stop || fail "Corvane quit with status $?"
! agent_loaded || fail "Corvane quit and left its agent loaded in KWin"
echo "ok - Corvane quitting unloads its agent"

# KWin going away closes the bus name and the Wayland connection at once, and either may reach Corvane
# first: its own lost agent (status 1) or Qt, which ends any program whose compositor is gone (its line,
# status 255). Either way Corvane ends at once and its log says why.
corvane_start
kill -TERM "$KWIN_PID"
corvane_wait_exit 10
status=$?
if grep -q "^Corvane lost its agent in KWin and stops.$" "$CORVANE_LOG"; then
  [ "$status" = 1 ] || fail "Corvane said it lost KWin but ended with status $status, expected 1"
else
  grep -q "^The Wayland connection broke" "$CORVANE_LOG" && [ "$status" = 255 ] ||
    fail "Corvane ended with status $status when KWin went away, without saying it lost KWin"
fi
echo "ok - KWin going away: Corvane ends at once, saying why (status $status)"
echo "KWin resilience: all passed"
