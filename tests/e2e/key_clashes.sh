#!/usr/bin/env bash
# End to end with openbox's stock key bindings, which take Control+Alt+Left and Right for switching
# desktops: Corvane's log names those two keys and where openbox keeps its bindings. With "Keep these
# keys from reaching other applications" on, Control+Alt+1 still snaps the window, and the xterm
# (which otherwise types "±" for it) receives nothing.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

E2E_OPENBOX_STOCK=1
start_desktop 1440 900
# The xterm writes every byte it is sent to a file.
cat >"$E2E_TMP/record.sh" <<SCRIPT
stty -icanon -echo min 1
exec cat >"$E2E_TMP/received"
SCRIPT
a=$(start_xterm recorder 80x24+100+100 "sh $E2E_TMP/record.sh")
write_settings '<key>hotkeysConsumeKeys</key><true/>'
start_corvane "$corvane"

log="$E2E_TMP/corvane.log"
wait_for 5 grep -q "Openbox also uses" "$log" || { cat "$log"; fail "the log names no key openbox holds"; }
line=$(grep "Openbox also uses" "$log")
for key in "Ctrl + Alt + Left" "Ctrl + Alt + Right"; do
  grep -qF "$key" <<<"$line" || fail "the log does not name $key: $line"
done
grep -q "Ctrl + Alt + [1-4]" <<<"$line" && fail "the log names a key openbox leaves alone: $line"
grep -qF "rc.xml" <<<"$line" || fail "the log does not say where openbox keeps its bindings: $line"
[ "$(grep -c "also uses" "$log")" = 1 ] || fail "the clash was logged more than once"
echo "ok - the log names the keys openbox holds and where its bindings live"

xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+1; expect_frame "hotkey 1, consumed: the window still snaps" "$a" 0 0 720 900
xdotool windowactivate --sync "$a"
xdotool type z
wait_for 5 grep -q z "$E2E_TMP/received" || fail "typing no longer reaches the xterm"
[ "$(cat "$E2E_TMP/received")" = z ] || fail "the xterm received $(od -An -c "$E2E_TMP/received") for Control+Alt+1 and z"
echo "ok - Control+Alt+1 never reached the xterm"

echo "end-to-end key clashes: all passed"
