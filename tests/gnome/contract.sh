#!/usr/bin/env bash
# The contract every backend keeps (tests/contract), run against the GNOME backend in a headless GNOME
# Shell with one monitor, with foot for clients and the user's keys and pointer through mutter's remote
# desktop.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 contract=$3
source "$(dirname "$0")/session.sh"

gnome_start 1
# A held key repeats after 400 ms, then every 200 ms: sooner than ContractDesktop::kRepeatWait, and far
# enough apart that a release is read before the next repeat falls due. Mutter follows the change.
gsettings set org.gnome.desktop.peripherals.keyboard delay 400 &&
  gsettings set org.gnome.desktop.peripherals.keyboard repeat-interval 200 &&
  [ "$(gsettings get org.gnome.desktop.peripherals.keyboard repeat-interval)" = "uint32 200" ] ||
  fail "the key repeat could not be set"
# Control+Alt+Left and Right and Super+Up left free of GNOME's own workspace switching and maximizing,
# as the other runners' desktops leave them.
gsettings set org.gnome.desktop.wm.keybindings switch-to-workspace-left "['<Super>Page_Up']" &&
  gsettings set org.gnome.desktop.wm.keybindings switch-to-workspace-right "['<Super>Page_Down']" &&
  gsettings set org.gnome.desktop.wm.keybindings maximize "[]" || fail "GNOME's keybindings could not be set"
is_free() { [ "$(chord_action "$1")" = 0 ]; }
wait_for 5 is_free 106 || fail "Control+Alt+Right is still GNOME's: action $(chord_action 106)"
"$contract" || fail "the GNOME backend broke the contract"
echo "GNOME contract: all passed"
