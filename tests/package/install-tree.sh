#!/usr/bin/env bash
# What `make install` lays out: the build's install rules run into a scratch DESTDIR under the default
# prefix, and the tree holds exactly the expected files, each one valid by its own checker (the
# desktop entry, the AppStream file, the man page), the icons at their sizes, and one version throughout.
set -u
build=$1 version=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d /tmp/corvane-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=/usr/local
DESTDIR="$tmp/dest" cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; fail "cmake --install failed"; }
root="$tmp/dest$prefix"
[ "$(cd "$tmp/dest" && find . -mindepth 1 -maxdepth 2 -type d | sort)" = "$(printf './usr\n./usr/local')" ] ||
  fail "files were installed outside the prefix: $(cd "$tmp/dest" && find . -maxdepth 3)"

source "$source_dir/tests/package/installed-files.sh"
(cd "$root" && find . -type f | sed 's|^\./||') | expect_installed_files "the tree under $prefix"
echo "ok - the tree under $prefix holds the program, its desktop entry, icons, AppStream file, man page, documents, its KWin agent and its GNOME Shell extension"

[ -x "$root/bin/corvane" ] || fail "bin/corvane is not executable"
[ "$(env -u DISPLAY "$root/bin/corvane" --version)" = "Corvane $version" ] || fail "the installed program's version is not $version"
cmp -s "$root/share/doc/corvane/README.md" "$source_dir/README.md" || fail "the installed README is not the project's"
echo "ok - the installed program answers --version, and the README is the project's"

desktop="$root/share/applications/$installed_id.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
# KWin grants its key-state protocol by the entry whose Exec is the program's absolute path.
grep -qx "Exec=$prefix/bin/corvane" "$desktop" || fail "the desktop entry does not run $prefix/bin/corvane"
grep -qx 'X-KDE-Wayland-Interfaces=org_kde_kwin_keystate' "$desktop" ||
  fail "the desktop entry does not ask KWin for its key-state protocol"
grep -qx "Icon=$installed_id" "$desktop" || fail "the desktop entry does not name the installed icon"
grep -qx 'Categories=Utility;' "$desktop" || fail "the desktop entry is not in Utility"
echo "ok - desktop-file-validate accepts the desktop entry, which runs the installed corvane with the installed icon"

# Strict: an info or a warning fails too; the tree check also ties the AppStream file to the desktop entry.
out=$(appstreamcli validate-tree --no-net --strict "$root" 2>&1) || fail "appstreamcli validate-tree: $out"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root/share/metainfo/$installed_id.metainfo.xml" | head -1)
[ "$release" = "$version" ] || fail "the AppStream file's newest release is $release, not $version"
echo "ok - appstreamcli validates the installed tree strictly, newest release $version"

man_page="$root/share/man/man1/corvane.1.gz"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" 2>&1 >"$tmp/man.txt")
[ -z "$warnings" ] || fail "man reports: $warnings"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT 'EXIT STATUS'; do
  grep -qx "$section" "$tmp/man.txt" || fail "the man page has no $section section"
done
grep -q "Corvane $version" "$tmp/man.txt" || fail "the man page is not for version $version"
echo "ok - the man page renders without warnings, with every section, for version $version"

changelog_version=$(zcat "$root/share/doc/corvane/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$version" ] || fail "the changelog's newest entry is $changelog_version, not $version"
echo "ok - the changelog's newest entry is $version"

# The PNGs are the size their folder says, with an alpha channel for the rounded corners.
for size in "${installed_icon_sizes[@]}"; do
  png="$root/share/icons/hicolor/${size}x$size/apps/$installed_id.png"
  read -r w h kind < <(identify -format '%w %h %[channels]\n' "$png" 2>/dev/null) || fail "$png is not an image"
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$png is ${w}x$h"
  [[ $kind == *a ]] || fail "$png has no alpha channel ($kind)"
done
echo "ok - the PNG icons are ${installed_icon_sizes[*]} pixels square, with alpha"
echo "install tree: all passed"
