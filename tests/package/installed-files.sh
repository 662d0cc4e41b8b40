# The files the install rules lay out under the prefix, as the README's Install section names them:
# the program, its desktop entry, icons, AppStream file, man page, documents, the KWin agent and the
# GNOME Shell extension with its compiled schema. Sourced by the tests of the installed tree and of
# the README's install commands.
installed_id=app.corvane.Corvane
installed_icon_sizes=(16 22 24 32 48 64 128 256 512)
installed_extension=share/gnome-shell/extensions/corvane@corvane.app
# The extension's modules: extension.js imports the rest; protocolTables.js is generated from the agent
# protocol's description.
installed_extension_modules=(extension.js desktopAgent.js glibTimer.js keybindings.js mutterDesktop.js palette.js
  preview.js protocol.js protocolTables.js reporter.js shellBus.js shellStyle.js shellVersion.js)
installed_files=(bin/corvane "share/applications/$installed_id.desktop" "share/metainfo/$installed_id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$installed_id.svg" share/man/man1/corvane.1.gz
  share/doc/corvane/README.md share/doc/corvane/copyright share/doc/corvane/changelog.gz
  share/corvane/kwin/agent.js
  "${installed_extension_modules[@]/#/$installed_extension/}" "$installed_extension/metadata.json"
  "$installed_extension/schemas/gschemas.compiled"
  "$installed_extension/schemas/org.gnome.shell.extensions.corvane.gschema.xml")
for size in "${installed_icon_sizes[@]}"; do
  installed_files+=("share/icons/hicolor/${size}x$size/apps/$installed_id.png")
done

# Fails (with the caller's `fail`, keeping the difference in its $tmp) unless the files listed on
# standard input, one path under the prefix a line, are exactly the expected ones.
expect_installed_files() {
  local what=$1
  diff <(printf '%s\n' "${installed_files[@]}" | sort) <(sort) >"$tmp/installed.diff" ||
    fail "$what differs from the expected files (< expected, > installed):
$(cat "$tmp/installed.diff")"
}
