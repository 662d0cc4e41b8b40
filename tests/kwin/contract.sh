#!/usr/bin/env bash
# The contract every backend keeps (tests/contract), run against the KWin backend in a headless KWin,
# with foot for clients and the user's keys and pointer through KWin's fake input.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 contract=$3
source "$(dirname "$0")/session.sh"

# The keyboard the shortcut cases need, in the configuration KWin starts with: a held key repeats
# after 400 ms, then every 200 ms (sooner than ContractDesktop::kRepeatWait, and far enough apart that
# a release is read before the next repeat falls due); Num Lock on, so the keypad types digits; and
# Meta+Up left free of KWin's own tiling, as the other runners' desktops leave Super+Up.
mkdir -p "$KWIN_TMP/config"
cat >"$KWIN_TMP/config/kcminputrc" <<CONFIG
[Keyboard]
NumLock=0
RepeatDelay=400
RepeatRate=5
CONFIG
cat >"$KWIN_TMP/config/kglobalshortcutsrc" <<CONFIG
[kwin]
Window Quick Tile Top=none,Meta+Up,Quick Tile Window to the Top
CONFIG

kwin_start 1
"$contract" || fail "the KWin backend broke the contract"
echo "KWin contract: all passed"
