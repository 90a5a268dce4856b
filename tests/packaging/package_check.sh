#!/usr/bin/env bash
# Builds the Debian package as the README says (cpack -G DEB) into a scratch folder and
# reads it without installing it: its control fields (name, version, architecture, the
# dependencies dpkg-shlibdeps computed from the binary plus the font), no maintainer
# scripts or conffiles (removing it leaves nothing behind), exactly the expected files
# below /usr, and the launcher and entry written for /usr.
#
#   package_check.sh BUILD_DIR VERSION
set -uo pipefail

[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR VERSION" >&2; exit 2; }
build="$(realpath "$1")" version="$2"
here="$(dirname "$(realpath "$0")")"
work="$(mktemp -d "${TMPDIR:-/tmp}/velmora-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" > /dev/null || fail "$tool is missing (tools/install_deps.sh installs it)"
done
# shellcheck source=expected_files.sh
source "$here/expected_files.sh"

arch="$(dpkg --print-architecture)"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1 ||
  fail "cpack -G DEB failed: $(cat "$work/cpack.log")"
deb="$work/velmora_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") was made; cpack made: $(ls "$work")"
echo "made $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- control fields
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velmora ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', not $arch"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "there is no Maintainer"
[ -n "$(field Description)" ] || fail "there is no Description"
depends="$(field Depends)"
echo "Depends: $depends"
# Every library the game links and the font it draws Japanese with, each with the version
# dpkg-shlibdeps derives from the symbols used (the font has none).
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libpulse0; do
  grep -qE "(^|, )${package//+/\\+} \(>= [^)]+\)(,|$)" <<< "$depends" || fail "Depends lacks a versioned $package"
done
grep -qE "(^|, )fonts-ipafont-gothic(,|$)" <<< "$depends" || fail "Depends lacks fonts-ipafont-gothic"

# --- no maintainer scripts and no conffiles: dpkg alone puts the files in and takes them out.
dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort > "$work/control.members"
printf '%s\n' control md5sums | diff -u - "$work/control.members" || fail "the control part holds more than control and md5sums"

# --- the files: exactly the expected ones, below /usr.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort > "$work/package.files"
expected_files | sed 's|^|usr/|' | sort | diff -u - "$work/package.files" || fail "the package holds other files than these"

# --- written for /usr; the binary stripped and of the package's version.
dpkg-deb -x "$deb" "$work/root"
grep -qxF 'exec "/usr/bin/velmora" "$@"' "$work/root/usr/libexec/velmora/velmora-launch" || fail "the launcher does not start /usr/bin/velmora"
grep -qxF 'Exec=/usr/libexec/velmora/velmora-launch' "$work/root/usr/share/applications/velmora.desktop" || fail "the entry does not run /usr/libexec/velmora/velmora-launch"
grep -rlF "$work" "$work/root" && fail "these packaged files name the folder cpack worked in"
file "$work/root/usr/bin/velmora" | grep -q ', stripped' || fail "the packaged game is not stripped"
said="$(QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/velmora" --version 2>/dev/null)"
[ "$said" = "velmora $version" ] || fail "the packaged game says '$said' to --version, not 'velmora $version'"
echo "PASS"
