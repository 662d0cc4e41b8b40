#!/usr/bin/env bash
# The bridge between Corvane's daemon and its GNOME Shell extension on a real GNOME Shell:
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2
source "$(dirname "$0")/session.sh"

gnome_start 2
echo "started; state $(extension_state)"
daemon_start
foot=$(start_foot bridge-foot)
echo foot $foot frame $(window_frame $foot)
daemon_run '[{"c":"snapshot"}]'
wait_event snapshot
pointer_move 300 200
echo pointer $(pointer_at)
