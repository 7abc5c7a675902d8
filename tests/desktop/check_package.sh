#!/usr/bin/env bash
# scripts/package builds a Debian package that lintian passes, that installs the program, its
# help, the desktop entry, the icon, the metainfo and both manual pages into /usr, that names
# every runtime dependency, that apt can resolve on a machine with nothing installed, and that
# leaves nothing in /usr when removed. Installs into a throw-away root, never into this system.
# Needs no display; needs root.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
repo="$(cd "$here/../.." && pwd)"
source "$repo/scripts/deps.sh"

# dpkg installs into another root only for root, as it sets the files' owners.
[ "$(id -u)" -eq 0 ] || skip "installing into a throw-away root with dpkg needs root"
zorvane_install_packages "${ZORVANE_PACKAGES[@]}" "${ZORVANE_PACKAGING_PACKAGES[@]}" >/dev/null ||
  skip "the packaging tools are not installed"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The build happens in build/package/: the source tree is left as it was.
tree_state() { (cd "$repo" && git status --porcelain 2>/dev/null || true); }
before="$(tree_state)"
"$repo/scripts/package" >"$work/build.log" 2>&1 || { tail -40 "$work/build.log" >&2; fail "scripts/package"; }
[ "$(tree_state)" = "$before" ] || fail "scripts/package changed the source tree:"$'\n'"$(tree_state)"
version="$(cd "$repo" && dpkg-parsechangelog -S Version)"
deb="$(ls "$repo"/build/package/zorvane_"$version"_*.deb)"

# The runtime dependencies: the libraries found by dh_shlibdeps and what the program loads itself.
depends="$(dpkg-deb -f "$deb" Depends)"
for wanted in 'libqt6core6 ' 'libqt6gui6 ' 'libqt6widgets6 ' 'libglib2.0-0 ' 'libarchive13 ' \
  'libstdc++6 ' \
  'qt6-qpa-plugins' 'qt6-translations-l10n' 'fonts-ipafont-gothic | fonts-noto-cjk'; do
  grep -qF -- "$wanted" <<<"$depends, " || fail "Depends lacks '$wanted': $depends"
done

# Installed with dpkg into an empty root: exactly these files, the command working through its
# link, the metainfo and the desktop entry valid, the manual pages found by man in either language.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log" >&2; fail "dpkg -i into a throw-away root"; }
files="$(cd "$root" && find usr ! -type d | LC_ALL=C sort)"
expected="usr/bin/zorvane
usr/lib/zorvane/plok.hlp
usr/lib/zorvane/zorvane
usr/share/applications/zorvane.desktop
usr/share/doc/zorvane/changelog.Debian.gz
usr/share/doc/zorvane/copyright
usr/share/icons/hicolor/scalable/apps/zorvane.svg
usr/share/lintian/overrides/zorvane
usr/share/man/ja/man1/zorvane.1.gz
usr/share/man/man1/zorvane.1.gz
usr/share/metainfo/org.example.Zorvane.metainfo.xml"
[ "$files" = "$expected" ] || fail "installed files:"$'\n'"$files"$'\n'"expected:"$'\n'"$expected"
[ "$(readlink "$root/usr/bin/zorvane")" = ../lib/zorvane/zorvane ] || fail "/usr/bin/zorvane is not the link"
upstream="${version%-*}"
out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/zorvane" --version)"
expect_line "$out" "zorvane $upstream"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
grep -q "<release version=\"$upstream\"" "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "the metainfo's release is not $upstream"
desktop-file-validate "$root/usr/share/applications/zorvane.desktop" || fail "desktop-file-validate"

export MANPATH="$root/usr/share/man"
[ "$(man -w zorvane)" = "$root/usr/share/man/man1/zorvane.1.gz" ] || fail "man -w zorvane: $(man -w zorvane)"
[ "$(man -L ja -w zorvane)" = "$root/usr/share/man/ja/man1/zorvane.1.gz" ] || fail "man -L ja -w zorvane: $(man -L ja -w zorvane)"
page="$(MANWIDTH=80 man -l "$root/usr/share/man/man1/zorvane.1.gz" 2>"$work/man.err")"
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man reports problems in the English page"; }
grep -q "zorvane $upstream" <<<"$page" || fail "the English page does not carry version $upstream"
grep -q -- "--version" <<<"$page" || fail "the English page lacks --version"
page="$(MANWIDTH=80 man -l "$root/usr/share/man/ja/man1/zorvane.1.gz" 2>"$work/man.err")"
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man reports problems in the Japanese page"; }
grep -q "名前" <<<"$page" && grep -q "グラフィカルセッション" <<<"$page" || fail "the Japanese page is not shown in Japanese"

# Removed again, nothing is left in /usr.
dpkg --root="$root" --force-depends --log=/dev/null -r zorvane >"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log" >&2; fail "dpkg -r"; }
left="$(cd "$root" && find usr ! -type d 2>/dev/null || true)"
[ -z "$left" ] || fail "left behind after removal:"$'\n'"$left"

# apt resolves every dependency from the archive on a machine with nothing installed (where this
# machine has the package lists).
if compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null; then
  : >"$work/empty-status"
  plan="$(apt-get -s -o Dir::State::status="$work/empty-status" install "$deb" 2>&1)" ||
    { echo "$plan" | tail -20 >&2; fail "apt cannot install the package on an empty system"; }
  for wanted in zorvane libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic libglib2.0-0; do
    grep -q "^Inst $wanted " <<<"$plan" || fail "apt would not install $wanted"
  done
else
  echo "note: no apt package lists here; not resolving the dependencies against the archive"
fi
pass "Debian package"
