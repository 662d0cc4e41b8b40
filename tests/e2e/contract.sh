#!/usr/bin/env bash
# End to end: the contract every backend keeps (tests/contract), run against the X11 backend on
# Xvfb with openbox, real clients and XTEST.
set -u
contract=$1
source "$(dirname "$0")/desktop.sh"

start_desktop 1440 900
export XDG_CONFIG_HOME="$E2E_TMP/config" QT_QPA_PLATFORM=xcb
# A held key repeats after 250 ms, then every 200 ms: sooner than ContractDesktop::kRepeatWait, and
# far enough apart that a release is read before the next repeat falls due.
xset r rate 250 5
"$contract" || fail "the X11 backend broke the contract"
echo "end-to-end contract: all passed"
