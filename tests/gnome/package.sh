#!/usr/bin/env bash
# Corvane's GNOME Shell extension as a user gets it, and reaching ACTIVE with no error in the Shell's log:
#   install   installed by CMake into a prefix, as the package installs it into /usr: the Shell finds it
#             there at start but leaves it INITIALIZED (found, not enabled) until enabled-extensions
#             names it, then turns it on at once, with no new login
#   pack      packed by gnome-extensions and installed from the archive into the user's own folder
#             (the schema is compiled there as it is installed),
#             enabled before the Shell starts
set -u
GNOME_REMOTE_INPUT=$1 GNOME_FAKE_DAEMON=$2 build=$3 mode=$4
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/../package/installed-files.sh"

# An extension's error is logged by the Shell with its uuid; a JS error with a stack.
expect_clean_log() {
  ! grep -n -i -E "JS ERROR|$GNOME_UUID.*(error|exception)|Schema .* could not be found" "$GNOME_LOG" ||
    fail "the Shell logged an error of the extension"
  shell_is "(Main.extensionManager.lookup('$GNOME_UUID').errors ?? []).length" 0 ||
    fail "the Shell holds errors of the extension: $(shell_eval "Main.extensionManager.lookup('$GNOME_UUID').errors")"
  echo "ok - no error of the extension in the Shell's log"
}

expect_serving() {
  daemon_start
  [ "$(daemon_run version)" = "version 1" ] || fail "the installed extension answered $(daemon_run version)"
  daemon_ok '[{"c":"snapshot"}]'
  expect_event "e['e'] == 'snapshot'" "e['outputs'][0]['frame'] == [0, 0, 1280, 800]" "the installed extension serves the daemon"
}

case $mode in
install)
  prefix=$GNOME_TMP/install
  log=$(cmake --install "$build" --prefix "$prefix" 2>&1) || fail "cmake --install failed: $log"
  dir=$prefix/share/gnome-shell/extensions/$GNOME_UUID
  for file in metadata.json "${installed_extension_modules[@]}" schemas/org.gnome.shell.extensions.corvane.gschema.xml \
    schemas/gschemas.compiled; do
    [ -f "$dir/$file" ] || fail "the install has no $file: $(cd "$dir" && find .)"
  done
  echo "ok - installed into share/gnome-shell/extensions/$GNOME_UUID with its schema compiled"
  GNOME_LEAVE_DISABLED=1 gnome_start 1 "$prefix"
  wait_for 10 shell_is "Main.extensionManager.lookup('$GNOME_UUID')?.state" 6 ||
    fail "the Shell did not find the extension, not enabled: state $(extension_state)"
  shell_is "Main.extensionManager.lookup('$GNOME_UUID').path" "$dir" || fail "the Shell found it elsewhere"
  echo "ok - found in the prefix; not yet enabled, it is INITIALIZED"
  gsettings set org.gnome.shell enabled-extensions "['$GNOME_UUID']"
  wait_for 10 shell_is "Main.extensionManager.lookup('$GNOME_UUID').state" 1 ||
    fail "enabled-extensions naming it left it in state $(extension_state)"
  echo "ok - named in enabled-extensions, it turns ACTIVE in the running Shell"
  ;;
pack)
  # The pack takes extension.js and metadata.json of its own accord, every other module only when named.
  extra=()
  for module in "${installed_extension_modules[@]}"; do
    [ "$module" = extension.js ] || extra+=("--extra-source=$module")
  done
  out=$(gnome-extensions pack --force "${extra[@]}" --out-dir "$GNOME_TMP" "$GNOME_EXTENSION" 2>&1) ||
    fail "gnome-extensions pack failed: $out"
  zip=$GNOME_TMP/$GNOME_UUID.shell-extension.zip
  python3 -c 'import sys, zipfile; names = zipfile.ZipFile(sys.argv[1]).namelist()
sys.exit(0 if {"metadata.json", "schemas/org.gnome.shell.extensions.corvane.gschema.xml", *sys.argv[2:]} <= set(names)
         else names)' "$zip" "${installed_extension_modules[@]}" || fail "the packed extension lacks a file"
  out=$(gnome-extensions install --force "$zip" 2>&1) || fail "gnome-extensions install failed: $out"
  # The schema is compiled as the archive is installed.
  [ -f "$XDG_DATA_HOME/gnome-shell/extensions/$GNOME_UUID/schemas/gschemas.compiled" ] ||
    fail "the installed archive has no compiled schema"
  echo "ok - packed with its schema, installed from the archive with the schema compiled"
  mkdir -p "$GNOME_TMP/empty"
  gnome_start 1 "$GNOME_TMP/empty"
  shell_is "Main.extensionManager.lookup('$GNOME_UUID').path" "$XDG_DATA_HOME/gnome-shell/extensions/$GNOME_UUID" ||
    fail "the Shell runs the extension from $(shell_eval "Main.extensionManager.lookup('$GNOME_UUID').path")"
  echo "ok - the user's copy is ACTIVE"
  ;;
*) fail "no such mode: $mode" ;;
esac
expect_serving
expect_clean_log
echo "GNOME package ($mode): all passed"
