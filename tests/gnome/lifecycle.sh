#!/usr/bin/env bash
# The zone preview the GNOME Shell extension draws for the daemon, and what is left when the daemon goes
# away or the extension is turned off: nothing. No keybinding, no preview, no pointer tracking, the
# keys' settings back to their defaults.
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2
source "$(dirname "$0")/session.sh"

# The preview as the Shell has it: "X Y WIDTH HEIGHT OPACITY VISIBLE ABOVE-WINDOWS", or nothing.
preview() {
  shell_eval "const group = Main.layoutManager.uiGroup.get_children();
const p = group.find(a => a.name === 'corvane-preview');
p ? [p.x, p.y, p.width, p.height, p.opacity, p.visible, group.indexOf(p) > group.indexOf(global.window_group)].join(' ') : ''"
}
# The second rectangle a swap shows, where the window in the zone goes, as preview() tells the first.
swap_preview() {
  shell_eval "const p = Main.layoutManager.uiGroup.get_children().find(a => a.name === 'corvane-swap-preview');
p ? [p.x, p.y, p.width, p.height, p.opacity, p.visible].join(' ') : ''"
}
# Its colours and corners as St drew them from the style: fill and border as r,g,b,a, the radius.
preview_style() {
  shell_eval "const node = Main.layoutManager.uiGroup.get_children().find(a => a.name === 'corvane-preview').get_theme_node();
const c = x => [x.red, x.green, x.blue, x.alpha].join(',');
[c(node.get_background_color()), c(node.get_border_color(0)), node.get_border_width(0), node.get_border_radius(0)].join(' ')"
}
# Everything the daemon asked for at once: a keybinding, pointer tracking, moves, the preview.
ask_everything() {
  daemon_ok "$(printf '[%s,%s,%s,%s]' '{"c":"keys","bindings":{"layout-1":["<Control><Alt>1"]}}' \
    '{"c":"moves","report":true}' '{"c":"regions","regions":[[0,0,640,800]]}' \
    '{"c":"preview","frame":[100,120,400,300],"fill":"#3050a0c0","border":"#ffffffff","radius":12}')"
  wait_for 5 output_is "100 120 400 300 255 true true" preview || fail "the preview is at $(preview)"
  [ "$(chord_action 2)" != 0 ] && [ "$(tracks_pointer)" = true ] || fail "the daemon's key or tracking is missing"
}
# Nothing of it left.
expect_nothing_left() {
  wait_for 5 output_is "" preview || fail "$1: the preview is left at $(preview)"
  [ -z "$(swap_preview)" ] || fail "$1: the swap's preview is left at $(swap_preview)"
  [ "$(chord_action 2)" = 0 ] || fail "$1: Control+Alt+1 is still bound"
  [ "$(tracks_pointer)" = false ] || fail "$1: the pointer is still tracked"
  [ "$(key_setting)" = "@as []" ] || fail "$1: the key's setting is left as $(key_setting)"
  echo "ok - $1: no preview, no keybinding, no pointer tracking, the setting reset"
}

gnome_start 1
foot=$(start_foot lifecycle-foot)
[ "$(tracks_pointer)" = false ] || fail "the pointer is tracked before any daemon asked"
daemon_start
[ "$(tracks_pointer)" = false ] || fail "the pointer is tracked with no regions set and no move"

ask_everything
echo "ok - preview: shown where asked, faded in, above the windows"
[ "$(preview_style)" = "48,80,160,192 255,255,255,255 2 12" ] || fail "the preview is drawn as $(preview_style)"
echo "ok - preview: its fill, border and corners as asked"
[ "$(key_setting)" = "['<Control><Alt>1']" ] || fail "the key's setting is $(key_setting)"
daemon_ok '[{"c":"preview","frame":[700,50,300,200],"fill":"#3050a0c0","border":"#ffffffff","radius":12}]'
wait_for 5 output_is "700 50 300 200 255 true true" preview || fail "the preview did not move: $(preview)"
echo "ok - preview: moved"
look='"fill":"#3050a0c0","border":"#ffffffff","radius":12'
daemon_ok "[{\"c\":\"preview\",\"frame\":[700,50,300,200],$look,\"swap\":[100,120,400,300]}]"
wait_for 5 output_is "100 120 400 300 255 true" swap_preview || fail "no swap preview where asked: $(swap_preview)"
echo "ok - preview: a swap's second rectangle shown where asked"
daemon_ok "[{\"c\":\"preview\",\"frame\":[700,50,300,200],$look}]"
wait_for 5 output_is "100 120 400 300 255 false" swap_preview || fail "the swap preview stayed: $(swap_preview)"
echo "ok - preview: without a swap, only the first rectangle"
daemon_ok "[{\"c\":\"preview\",\"frame\":[700,50,300,200],$look,\"swap\":[100,120,400,300]}]"
daemon_ok '[{"c":"preview","frame":null}]'
wait_for 5 output_is "700 50 300 200 0 false true" preview || fail "the preview did not fade out: $(preview)"
wait_for 5 output_is "100 120 400 300 0 false" swap_preview || fail "the swap preview did not fade out: $(swap_preview)"
echo "ok - preview: faded out and hidden, the swap's with it"

ask_everything
daemon_stop
expect_nothing_left "the daemon gone"

# A daemon that comes back starts from nothing, and the extension turned off takes all with it.
daemon_start
[ "$(chord_action 2)" = 0 ] || fail "a new daemon found Control+Alt+1 bound"
ask_everything
timeout 5 gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
  --method org.gnome.Shell.Extensions.DisableExtension "$GNOME_UUID" >/dev/null || fail "the Shell did not disable it"
wait_for 5 shell_is "Main.extensionManager.lookup('$GNOME_UUID').state" 2 || fail "the extension did not turn off"
expect_nothing_left "the extension disabled"
answer=$(daemon_run '[{"c":"snapshot"}]')
[[ $answer == "error org.freedesktop.DBus.Error.UnknownMethod "* || $answer == "error org.freedesktop.DBus.Error.UnknownObject "* ]] ||
  fail "Run on a disabled extension answered: $answer"
echo "ok - the extension disabled serves nothing: $answer"
echo "GNOME lifecycle: all passed"
