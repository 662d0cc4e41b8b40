#!/usr/bin/env bash
# End to end with the Debian package: unpacked into a scratch root, the installed program started the
# way a launcher starts it (by name, from PATH, through a link) places the focused xterm with a hotkey;
# then, after an upgrade has replaced the file under the running program, "Launch at Login" writes an
# autostart entry that runs the installed program, not the link and not a build folder.
set -u
packages=$1 # the folder the package was built into
source "$(dirname "$0")/desktop.sh"

deb=$(ls "$packages"/corvane_*.deb 2>/dev/null)
[ -f "$deb" ] || fail "not one corvane package in $packages: $deb"

root="$E2E_TMP/root"
dpkg -x "$deb" "$root" || fail "dpkg -x could not unpack $deb"
installed="$root/usr/bin/corvane"
[ -x "$installed" ] || fail "the package holds no usr/bin/corvane"
mkdir -p "$E2E_TMP/bin" && ln -s "$installed" "$E2E_TMP/bin/corvane"
export PATH="$E2E_TMP/bin:$PATH"
[ "$(command -v corvane)" = "$E2E_TMP/bin/corvane" ] || fail "the link is not the corvane on PATH"

start_desktop 1440 900
a=$(start_xterm alpha 80x24+100+100)
corvane_start corvane
xdotool windowactivate --sync "$a"
xdotool key ctrl+alt+1; expect_frame "the installed program: hotkey 1, left half" "$a" 0 0 720 900

# An upgrade replaces the file while the program runs; the running one's own link then reads as deleted.
cp -p "$installed" "$E2E_TMP/upgraded" && rm "$installed" && mv "$E2E_TMP/upgraded" "$installed"

# The panel's Settings button, then Launch at Login: the first control after the settings page itself.
panel=$(xdotool search --onlyvisible --name '^Corvane$' | head -1)
[ -n "$panel" ] || fail "no Corvane panel on a desktop without a tray"
px=$(xwininfo -id "$panel" | awk '/Absolute upper-left X/ {print $NF}')
py=$(xwininfo -id "$panel" | awk '/Absolute upper-left Y/ {print $NF}')
xdotool mousemove $((px + 226)) $((py + 23)) click 1
wait_for 3 xdotool search --onlyvisible --name '^Corvane Settings$' || fail "the panel's Settings button opened no window"
settings=$(xdotool search --onlyvisible --name '^Corvane Settings$' | head -1)
wait_for 3 sh -c "[ \"\$(xdotool getactivewindow)\" = $settings ]" || fail "the settings window did not take the focus"
xdotool key Tab space
entry="$XDG_CONFIG_HOME/autostart/corvane.desktop"
wait_for 3 test -s "$entry" || fail "Launch at Login wrote no autostart entry"
grep -qxF "Exec=$installed" "$entry" || fail "the autostart entry does not run $installed: $(grep Exec "$entry")"
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate on the autostart entry: $out"
echo "ok - Launch at Login from the installed program writes a valid entry that runs $installed"
kill -0 "$CORVANE_PID" || fail "Corvane died"
echo "end-to-end installed package: all passed"
