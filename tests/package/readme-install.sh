#!/usr/bin/env bash
# The README's install commands, run as a newcomer runs them: each in a fresh copy of the source tree
# with no build folder, exactly as the README gives it, and each package or tree then holds exactly the
# files the README says are installed. The copy stays at WORK/tree, so a second run on this machine
# finds the compiler's cache warm; the packages stay where the README says they are.
#   readme-install.sh WORK host       make install DESTDIR=… PREFIX=/usr, then make deb
#   readme-install.sh WORK debian13   make deb-debian13, in the Debian 13 root
set -u
work=$1 where=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
readme="$source_dir/README.md"
tree="$work/tree"
tmp=$(mktemp -d /tmp/corvane-readme-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$source_dir/tests/package/installed-files.sh"

# The tree as a clone of it has it: the files git tracks or would add, uncommitted changes included,
# and none of the build folders.
fresh_tree() {
  rm -rf "$tree" && mkdir -p "$tree" || fail "cannot make $tree"
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' _ | tar --null -T - -cf -) |
    tar -C "$tree" -xf - || fail "cannot copy the source tree to $tree"
}

# Runs a command of the README in the fresh tree, as typed in a shell there: the make of this test's
# own caller passes nothing on. It builds everything from scratch beside the end-to-end tests, which
# mostly wait on their desktops: at the lowest priority, so that they never wait on it.
readme_command() {
  local command=$1 shown=${2:-$1}
  grep -qF -- "$shown" "$readme" || fail "the README no longer gives '$shown'"
  (cd "$tree" && nice -n 19 env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u DESTDIR -u PREFIX bash -c "$command") \
    >"$tmp/command.log" 2>&1 || { tail -40 "$tmp/command.log" >&2; fail "'$command' failed in a fresh tree"; }
  echo "ok - '$command' succeeds in a fresh tree"
}

# The one package in FOLDER (under the tree) holds exactly the installed files under /usr.
expect_package() {
  local folder=$1
  local debs=("$tree/$folder"/corvane_*.deb)
  [ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "not one corvane package in $folder: ${debs[*]}"
  dpkg-deb --contents "${debs[0]}" >"$tmp/contents" || fail "dpkg-deb cannot read ${debs[0]}"
  grep -v '^[-d]' "$tmp/contents" && fail "the package holds other than files and folders"
  awk '$1 ~ /^-/ {print $NF}' "$tmp/contents" | sed -n 's|^\./usr/||p' |
    expect_installed_files "$(basename "${debs[0]}")"
  [ "$(awk '$1 ~ /^-/' "$tmp/contents" | wc -l)" = "${#installed_files[@]}" ] ||
    fail "the package holds files outside /usr"
  echo "ok - $folder/$(basename "${debs[0]}") holds the program, its desktop entry, icons, man page, KWin script and GNOME extension with its compiled schema"
}

case $where in
host)
  # The package last: its test and the end-to-end run of it take it from where the README says it is.
  fresh_tree
  readme_command "make install DESTDIR=$tmp/dest PREFIX=/usr" "make install DESTDIR=/some/root PREFIX=/usr"
  [ "$(cd "$tmp/dest" && find . -mindepth 1 -maxdepth 1)" = ./usr ] ||
    fail "make install put files outside /usr: $(cd "$tmp/dest" && find . -maxdepth 2)"
  (cd "$tmp/dest/usr" && find . -type f | sed 's|^\./||') | expect_installed_files "the tree under DESTDIR/usr"
  grep -qx "Exec=/usr/bin/corvane" "$tmp/dest/usr/share/applications/$installed_id.desktop" ||
    fail "the installed desktop entry does not run /usr/bin/corvane"
  echo "ok - make install DESTDIR=… PREFIX=/usr lays out every installed file under DESTDIR/usr"

  fresh_tree
  readme_command "make deb"
  expect_package build-release/package
  ;;
debian13)
  fresh_tree
  readme_command "make deb-debian13"
  expect_package build-release-debian13/package
  ;;
*) fail "unknown place '$where': host or debian13" ;;
esac
echo "README install commands ($where): all passed"
