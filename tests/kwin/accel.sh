#!/usr/bin/env bash
# Runs the kglobalaccel tests against a headless KWin of their own: a private session bus, a fresh
# configuration folder (no kglobalshortcutsrc from an earlier run), KWin on the virtual backend.
#   accel.sh TEST-BINARY [GTEST-ARGUMENT...]
set -euo pipefail

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" && mkdir -p "$XDG_CONFIG_HOME" "$HOME"

exec timeout 120 dbus-run-session -- bash -c '
  kwin_wayland --virtual --width 1280 --height 800 --socket wl-accel --no-lockscreen >"$XDG_RUNTIME_DIR/kwin.log" 2>&1 &
  kwin=$!
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel org.freedesktop.DBus.Peer.Ping \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  status=0
  QT_QPA_PLATFORM=offscreen "$@" || status=$?
  kill "$kwin"; wait "$kwin" || true
  [ "$status" = 0 ] || tail -20 "$XDG_RUNTIME_DIR/kwin.log"
  exit "$status"
' _ "$@"
