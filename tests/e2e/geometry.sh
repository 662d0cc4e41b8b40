# Where our own windows are, read from the X server, for the end-to-end tests of scales and monitor
# arrangements. Sourced after desktop.sh.

# "x y width height" of a window without decorations (the preview, the palette, the tray panel).
window_geometry() {
  local info
  info=$(xwininfo -id "$1") || return 1
  echo "$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info") $(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")" \
    "$(awk '/Width:/ {print $NF}' <<<"$info") $(awk '/Height:/ {print $NF}' <<<"$info")"
}

# Whether each number of the first list is within the tolerance of the one in the same place of
# the second: within 3 "1 2 3" "2 2 5".
within() {
  local tolerance=$1 a=($2) b=($3) i
  [ ${#a[@]} -eq ${#b[@]} ] || return 1
  for i in "${!a[@]}"; do
    [ $((a[i] - b[i])) -le "$tolerance" ] && [ $((b[i] - a[i])) -le "$tolerance" ] || return 1
  done
}

# The first visible window of the title.
visible_window() { xdotool search --onlyvisible --name "^$1\$" | head -1 | grep .; }

window_near() {
  local id
  id=$(visible_window "$1") && within 3 "$(window_geometry "$id")" "$2"
}

# Fails unless the window of the title shows within 3 pixels of "x y width height".
expect_window_near() {
  local what=$1 title=$2 expected=$3
  wait_for 3 window_near "$title" "$expected" ||
    fail "$what: $title at $(window_geometry "$(visible_window "$title")" 2>/dev/null), expected $expected"
  echo "ok - $what"
}
