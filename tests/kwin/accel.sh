#!/usr/bin/env bash
# Runs the kglobalaccel tests against a headless KWin of their own (tests/kwin/session.sh): a private
# session bus, a fresh configuration folder (no kglobalshortcutsrc from an earlier run), KWin on the
# virtual backend.
#   accel.sh TEST-BINARY [GTEST-ARGUMENT...]
set -u
source "$(dirname "$0")/session.sh"

kglobalaccel_answers() {
  dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel org.freedesktop.DBus.Peer.Ping
}

kwin_start 1
wait_for 10 kglobalaccel_answers || fail "KWin's kglobalaccel did not answer on the session bus"
QT_QPA_PLATFORM=offscreen timeout 100 "$@" || fail "the kglobalaccel tests failed"
