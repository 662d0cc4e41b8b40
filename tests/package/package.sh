#!/usr/bin/env bash
# The Debian package of `make deb` (left in FOLDER by the test of the README's install commands):
# lintian finds nothing wrong with it, and it depends on Debian's runtime packages only, Qt's xcb
# platform plugin among them, every one of them installed here.
set -u
folder=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

deb=$(ls "$folder"/corvane_"$version"_*.deb 2>/dev/null)
[ -f "$deb" ] || fail "no corvane_${version} package in $folder: $(ls "$folder")"
echo "ok - make deb built $(basename "$deb")"

# Warnings fail too: anything that cannot be fixed is overridden in the package, with its reason.
# (lintian's note that it runs as root is not about the package.)
out=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian:
$out"
out=$(grep -v 'running with root privileges' <<<"$out")
echo "ok - lintian reports no error and no warning${out:+: $out}"

depends=$(dpkg-deb --field "$deb" Depends)
[ -n "$depends" ] || fail "the package declares no dependencies"
if grep -qE '(^|, )[^ ,]*-dev( |,|$)' <<<"$depends"; then fail "the package depends on a development package: $depends"; fi
plugin=$(ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so | head -1)
plugin_package=$(dpkg-query --search "$plugin" | sed 's/[:,].*//')
grep -qE "(^|, )$plugin_package( |,|$)" <<<"$depends" ||
  fail "the package does not depend on $plugin_package, which holds Qt's xcb plugin: $depends"
for name in $(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (|].*//' | sort -u); do
  dpkg-query --show --showformat='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
    fail "the dependency $name is not a package installed here"
done
echo "ok - it depends on runtime packages only, $plugin_package (Qt's xcb plugin) among them: $depends"
echo "package: all passed"
