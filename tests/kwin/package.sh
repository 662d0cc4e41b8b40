#!/usr/bin/env bash
# The Debian package built on Debian 13, as a Plasma user gets it: it depends on Qt's Wayland plugin and
# on LayerShellQt, which its overlays are made with, it installs, and the installed Corvane finds its
# installed agent, loads it into a headless KWin and places a window by its shortcut and by a command.
# On Debian 13 cpack makes the package from the build, and every dependency is a package of the system
# already. On a later Debian (`make check-releases`) the package made on Debian 13 is taken as it is, and
# apt brings in what it depends on from that Debian's archive, as it would for a user there. The package
# is removed again at the end, whatever happens.
set -u
KWIN_FAKE_POINTER=$1 KWIN_TEST_PANEL=$2 build=$3 version=$4
CORVANE=/usr/bin/corvane
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/corvane.sh"

remove_package() {
  kwin_cleanup
  dpkg-query --show corvane >/dev/null 2>&1 && apt-get remove -y -qq corvane >/dev/null 2>&1
}
trap remove_package EXIT
[ -e "$CORVANE" ] && fail "a Corvane is installed already at $CORVANE"

release=$(cat /etc/debian_version)
if [[ $release == 13.* ]]; then
  rm -rf "$build/package"
  log=$(cd "$build" && cpack --config CPackConfig.cmake 2>&1) || fail "cpack failed: $log"
fi
deb=$(realpath "$build"/package/corvane_"$version"_*.deb 2>/dev/null)
[ -f "$deb" ] || fail "no corvane_${version} package made on Debian 13 in $build/package: $(ls "$build/package")"
depends=$(dpkg-deb --field "$deb" Depends)
wayland_package=$(dpkg-query --search "$(ls /usr/lib/*/qt6/plugins/platforms/libqwayland*.so | head -1)" | sed 's/[:,].*//')
grep -qE "(^|, )$wayland_package( |,|$)" <<<"$depends" ||
  fail "the package does not depend on $wayland_package, Qt's Wayland plugin: $depends"
layer_shell_package=$(dpkg-query --search "$(ls /usr/lib/*/libLayerShellQtInterface.so.6.* | head -1)" | sed 's/[:,].*//')
grep -qE "(^|, )$layer_shell_package( |,|$)" <<<"$depends" ||
  fail "the package does not depend on $layer_shell_package, LayerShellQt: $depends"
dpkg-deb --contents "$deb" | grep -q ' \./usr/share/corvane/kwin/agent\.js$' || fail "the package has no KWin agent"
echo "ok - $(basename "$deb") carries the KWin agent and depends on $wayland_package and $layer_shell_package"

# On Debian 13 every dependency is a package of this system already: apt would install Corvane alone.
plan=$(apt-get install -s "$deb" 2>&1 | grep '^Inst ') || fail "apt would not install the package: $(apt-get install -s "$deb" 2>&1)"
if [[ $release == 13.* ]]; then
  [ "$(awk '{print $2}' <<<"$plan")" = corvane ] || fail "installing the package would bring in more: $plan"
fi
out=$(DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" 2>&1) || fail "the package did not install: $out"
echo "ok - it installs on Debian $release, bringing in $(wc -l <<<"$plan") package(s): $(awk '{print $2}' <<<"$plan" | xargs)"

kwin_start 1
foot=$(start_foot package-foot)
corvane_start
grep -q "KWin agent loaded from /usr/share/corvane/kwin/agent.js" "$CORVANE_LOG" ||
  fail "the installed Corvane did not load the installed agent: $(grep 'KWin agent' "$CORVANE_LOG")"
active_window "$foot"
shortcut layout-1 && expect_in_zone "$foot" 0 0 640 800 "the installed Corvane's Control+Alt+1 puts foot on the left half"
corvane_do zone Split 2 >/dev/null || fail "corvane zone Split 2 failed"
expect_in_zone "$foot" 640 0 640 800 "the installed command line puts foot on the right half"
