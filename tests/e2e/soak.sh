#!/usr/bin/env bash
# A soak run: random hotkeys (with a cycle step), title-bar drags and palette picks against three
# xterms for SOAK_SECONDS (default 30). Every action must land its window where it says, every
# window must still be where its last action put it at the end, and Corvane's resident memory must
# not grow by more than SOAK_GROWTH_KIB (default 6144) after the warm-up. SOAK_MEASURES_MEMORY=0
# skips that check, for builds whose allocator holds freed memory back (AddressSanitizer).
set -u
corvane=$1 pointer=$2 seconds=${SOAK_SECONDS:-30} growth_limit=${SOAK_GROWTH_KIB:-6144}
measures_memory=${SOAK_MEASURES_MEMORY:-1}
source "$(dirname "$0")/desktop.sh"
source "$(dirname "$0")/geometry.sh"

start_desktop 1440 900
windows=($(start_xterm one 80x24+100+100) $(start_xterm two 80x24+400+200) $(start_xterm three 80x24+700+300))
corvane_settings '<key>dragSnapEnabled</key><true/><key>zoomPaletteEnabled</key><true/><key>dragSnapVerbose</key><true/>'
corvane_start "$corvane"
declare -A expected
rss() { awk '/VmRSS/ {print $2}' "/proc/$CORVANE_PID/status"; }

# The first zone of Split, Quadrant, Thirds; then one step on.
hotkey_action() {
  local id=$1 n=$((RANDOM % 3 + 1)) step=$((RANDOM % 2))
  local zones=("" "0 0 720 900|720 0 720 900" "0 0 720 450|720 0 720 450" "0 0 480 900|480 0 480 900")
  xdotool windowactivate --sync "$id" && xdotool key "ctrl+alt+$n"
  if [ "$step" = 1 ]; then
    wait_for 3 frame_is "$id" ${zones[$n]%|*} || return 1
    xdotool key ctrl+alt+Right
  fi
  local want=${zones[$n]}; [ "$step" = 1 ] && want=${want#*|} || want=${want%|*}
  expected[$id]=$want
}

# A drag by the title bar to a random point: the Quadrant zone under it.
drag_action() {
  local id=$1 x=$((RANDOM % 1240 + 100)) y=$((RANDOM % 700 + 100))
  xdotool windowactivate --sync "$id"
  local gx gy
  read -r gx gy <<<"$(title_bar_point "$id")"
  # A hand rests a moment between press and drag; Corvane reads the press position when it handles it.
  "$pointer" move "$gx" "$gy" 1 10 down 1 move "$gx" "$gy" 1 150 move $(((gx + x) / 2)) $(((gy + y) / 2)) 8 80 move "$x" "$y" 8 80
  sleep 0.1
  "$pointer" up 1
  expected[$id]="$(( x < 720 ? 0 : 720 )) $(( y < 450 ? 0 : 450 )) 720 450"
}

# Rest on the maximize button (openbox draws it 12 x 12, 21 pixels in from the top right), pick a
# half of "Split".
palette_action() {
  local id=$1 half=$((RANDOM % 2)) bx by bw bh
  xdotool windowactivate --sync "$id"
  read -r bx by bw bh <<<"$(openbox_maximize "$id")"
  "$pointer" move $((bx + bw / 2)) $((by + bh / 2)) 5 50
  wait_for 3 xdotool search --onlyvisible --name '^Corvane Palette$' || return 1
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Corvane Palette$' | head -1)")"
  "$pointer" move $((X + 12 + 20 + half * 40)) $((Y + HEIGHT - 12 - 55 - 10 - 27)) 5 80 down 1 up 1
  expected[$id]="$((half * 720)) 0 720 900"
}

actions=0 warm_rss=
deadline=$((SECONDS + seconds))
while [ $SECONDS -lt $deadline ] || [ $actions -lt 12 ]; do
  id=${windows[$((RANDOM % 3))]}
  kind=$((RANDOM % 3))
  case $kind in
    0) hotkey_action "$id" || fail "action $actions: a hotkey's first zone was not reached" ;;
    1) drag_action "$id" ;;
    2) palette_action "$id" || fail "action $actions: the palette did not open" ;;
  esac
  wait_for 3 frame_is "$id" ${expected[$id]} || { tail -n 12 "$CORVANE_LOG"; fail "action $actions (kind $kind): window at $(outer_frame "$id"), expected ${expected[$id]}"; }
  actions=$((actions + 1))
  [ $actions = 10 ] && warm_rss=$(rss)
  kill -0 "$CORVANE_PID" || fail "Corvane died after $actions actions"
done
for id in "${windows[@]}"; do
  [ -n "${expected[$id]:-}" ] || continue
  frame_is "$id" ${expected[$id]} || fail "window $id moved from where its last action put it: $(outer_frame "$id")"
done
end_rss=$(rss)
echo "ok - $actions actions in ${seconds}s, each window where its last action put it"
echo "resident memory after the warm-up ${warm_rss} KiB, at the end ${end_rss} KiB"
if [ "$measures_memory" = 1 ]; then
  [ $((end_rss - warm_rss)) -le "$growth_limit" ] || fail "memory grew by $((end_rss - warm_rss)) KiB"
else
  echo "memory growth not checked in this build"
fi
echo "end-to-end soak: all passed"
