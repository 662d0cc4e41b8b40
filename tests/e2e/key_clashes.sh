#!/usr/bin/env bash
# End to end with openbox's stock key bindings, which take Control+Alt+Left and Right for switching
# desktops. Corvane's log names those two chords, says that openbox acts on them first, and names the
# file openbox really reads: the first openbox/rc.xml of the XDG folders, else the one it was started
# with. In the settings window a chord openbox holds is recorded and refused, a free one stored, the
# offer of free chords taken in one click (Space, the button having the focus), and the new arrows
# then step through the zones. A chord changed in the settings file moves the window and
# the one it replaced does nothing. With "Keep these keys from reaching other applications" on,
# Control+Alt+1 still snaps the window, and the xterm (which otherwise types "±" for it) receives
# nothing.
set -u
corvane=$1
source "$(dirname "$0")/desktop.sh"

settings_file() { echo "$XDG_CONFIG_HOME/corvane/app.corvane.plist"; }
settings_window() { xdotool search --onlyvisible --name '^Corvane Settings$' | head -1 | grep .; }
# Openbox as a new user has it: no file of its own under the XDG folders, unless one is given.
start_openbox() {
  mkdir -p "$E2E_TMP/home"
  HOME="$E2E_TMP/home" openbox --sm-disable "$@" >>"$E2E_TMP/openbox.log" 2>&1 &
  E2E_WM_PID=$!
  E2E_PIDS+=($E2E_WM_PID)
}
clash_line() { grep "for itself" "$CORVANE_LOG"; }

start_x_server Xvfb Xvfb -screen 0 1440x900x24
start_session_bus # points XDG_CONFIG_HOME at a folder without openbox/rc.xml
start_openbox
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
xprop -root _OB_CONFIG_FILE | grep -q "not found" || fail "openbox named a file it was not given"
start_tray
# The xterm writes every byte it is sent to a file.
cat >"$E2E_TMP/record.sh" <<SCRIPT
stty -icanon -echo min 1
exec cat >"$E2E_TMP/received"
SCRIPT
a=$(start_xterm recorder 80x24+100+100 "sh $E2E_TMP/record.sh")
# The zones' height: the screen less tint2's panel.
set -- $(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')
h=$4 half=$((($4 + 1) / 2))
corvane_settings '<key>hotkeysConsumeKeys</key><true/>
  <key>hotkeyChords</key><dict><key>2</key><string>Ctrl+Super+7</string><key>4</key><string>Ctrl+Alt+X</string></dict>'
corvane_start "$corvane"

wait_for 5 clash_line || { cat "$CORVANE_LOG"; fail "the log names no chord openbox holds"; }
line=$(clash_line)
for words in "Openbox binds" "Ctrl + Alt + Left" "Ctrl + Alt + Right" "acts on them first" \
  "Corvane's steps do nothing there" "section of /etc/xdg/openbox/rc.xml."; do
  grep -qF "$words" <<<"$line" || fail "the log does not say '$words': $line"
done
grep -q "Ctrl + Alt + [1-4]" <<<"$line" && fail "the log names a chord openbox leaves alone: $line"
[ "$(grep -c "for itself" "$CORVANE_LOG")" = 1 ] || fail "the clash was logged more than once"
echo "ok - the log says openbox acts first on its chords and names the file it reads"

xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+1; expect_frame "hotkey 1, consumed: the window still snaps" "$a" 0 0 720 "$h"
xdotool windowactivate --sync "$a"
xdotool type z
wait_for 5 grep -q z "$E2E_TMP/received" || fail "typing no longer reaches the xterm"
[ "$(cat "$E2E_TMP/received")" = z ] || fail "the xterm received $(od -An -c "$E2E_TMP/received") for Control+Alt+1 and z"
echo "ok - Control+Alt+1 never reached the xterm"

xdotool key ctrl+super+7; expect_frame "hotkey 2 as the settings file has it" "$a" 0 0 720 "$half"
xdotool key ctrl+alt+4; expect_frame "hotkey 4, its stored chord damaged: the default" "$a" 0 0 1440 "$half"

# The settings window opens with the offer in focus; two buttons before it (Quick Snap's chord between)
# is the one that records the Next chord.
# Recording holds the keyboard, so openbox's chords reach Corvane and openbox does nothing: its
# Control+Alt+Up is found taken and not stored; a free chord is stored. The offer then covers only the Left arrow:
# Control+Super, as Control+Alt+Super with it is the swap's.
"$corvane" >/dev/null 2>&1
wait_for 3 settings_window || fail "a second launch did not open the settings window"
w=$(settings_window)
xdotool windowactivate --sync "$w"
desktop=$(xprop -root _NET_CURRENT_DESKTOP)
# Its own chord, Control+Alt+Right, would switch openbox to the next desktop were the keyboard not held.
xdotool key shift+Tab shift+Tab space ctrl+alt+Right
xdotool key space ctrl+alt+Up
xdotool key space ctrl+super+Down
stored() { grep -q "$1" "$(settings_file)"; }
wait_for 3 stored "Ctrl+Super+Down" || fail "the recorded chord was not stored: $(cat "$(settings_file)")"
stored "Ctrl+Alt+Up" && fail "a chord openbox holds was stored"
[ "$(xprop -root _NET_CURRENT_DESKTOP)" = "$desktop" ] || fail "openbox acted on a chord being recorded"
echo "ok - a chord openbox holds reaches the recorder and is refused; a free one is stored"

xdotool key Tab Tab space
wait_for 3 stored "Ctrl+Super+Left" || fail "the offer was not stored: $(cat "$(settings_file)")"
stored "Ctrl+Super+7" || fail "taking the offer lost hotkey 2's chord"
stored "Ctrl+Super+Down" || fail "taking the offer lost the recorded chord"
echo "ok - the offer is stored"

# Thirds, then the old chord of hotkey 2 (Quadrant, which would step elsewhere), then the new arrow:
# the middle third.
xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+3; expect_frame "hotkey 3: left third" "$a" 0 0 480 "$h"
xdotool key ctrl+alt+2
xdotool key ctrl+super+Down; expect_frame "the recorded arrow steps, the old chord did nothing" "$a" 480 0 480 "$h"
xdotool key ctrl+super+Left; expect_frame "the offered left arrow steps back" "$a" 0 0 480 "$h"

# Started with a file of its own, openbox reads that one, and the notice says so.
cp /etc/xdg/openbox/rc.xml "$E2E_TMP/given-rc.xml"
old_check=$(xprop -root _NET_SUPPORTING_WM_CHECK)
start_openbox --replace --config-file "$E2E_TMP/given-rc.xml"
wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id' | grep -vqF '$old_check'" ||
  fail "openbox did not restart"
kill "$CORVANE_PID"
wait_for 5 sh -c "! kill -0 $CORVANE_PID" || fail "Corvane did not stop"
corvane_settings ''
corvane_start "$corvane"
wait_for 5 clash_line || { cat "$CORVANE_LOG"; fail "no clash logged under the restarted openbox"; }
grep -qF "section of $E2E_TMP/given-rc.xml." <<<"$(clash_line)" || fail "the log does not name the given file: $(clash_line)"
echo "ok - the file openbox was started with is named"

echo "end-to-end key clashes: all passed"
