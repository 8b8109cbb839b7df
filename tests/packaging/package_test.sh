#!/usr/bin/env bash
# Builds the Debian package with scripts/package and checks it as a user's machine would see it:
# lintian, its control data, its files unpacked into a throwaway root, and the desktop files
# there validated; where Zentavo.exe was built, the zip beside it too.
set -euo pipefail
cd "$(dirname "$0")/../.."
step() { echo "-- $*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

step "building the package"
deb=$(scripts/package | grep '\.deb$')
[ -f "$deb" ] || fail "no package was built"
. /etc/os-release
# The one version, from CMakeLists.txt's project(); everything the user sees must say it.
version=$(sed -n 's/^project(Zentavo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1~deb${VERSION_ID%%.*}" ] ||
  fail "version $(dpkg-deb -f "$deb" Version) does not name Debian ${VERSION_ID}"
newest_entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/zentavo/changelog.Debian.gz |
  zcat | sed -n 1p)
[[ $newest_entry == "zentavo ($version-1~deb${VERSION_ID%%.*}) ${VERSION_CODENAME};"* ]] ||
  fail "the changelog's newest entry is not this version: $newest_entry"

step "lintian"
lintian_output=$(lintian --allow-root --display-info "$deb" 2>&1 || true)
echo "${lintian_output:-(nothing to report)}"
if grep -E '^[EW]: ' <<<"$lintian_output"; then fail "lintian reports errors or warnings"; fi

step "control data"
depends=$(dpkg-deb -f "$deb" Depends)
depended_on=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
# Debian 13 renamed the Qt library packages for 64-bit time (libqt6core6t64).
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6; do
  grep -qxF -e "$library" -e "${library}t64" <<<"$depended_on" || fail "Depends lacks $library: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *qt6-wayland* ]] || fail "qt6-wayland is not recommended"
# The text boxes use the toolkit's private interface, which holds only for the exact version.
[[ $depends =~ qt6-base(-private)?-abi\ \(=\ [0-9.]+\) ]] || fail "Depends does not pin the toolkit's version"

step "the files, unpacked into a throwaway root"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
expected=(usr/bin/zentavo
  usr/share/applications/example.tolvek.Zentavo.desktop
  usr/share/doc/zentavo/changelog.Debian.gz
  usr/share/doc/zentavo/copyright
  usr/share/icons/hicolor/scalable/apps/example.tolvek.Zentavo.svg
  usr/share/lintian/overrides/zentavo
  usr/share/man/man1/zentavo.1.gz
  usr/share/metainfo/example.tolvek.Zentavo.metainfo.xml)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/example.tolvek.Zentavo.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort) ||
  fail "the package holds other files than expected"
for size in 16 64 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/example.tolvek.Zentavo.png"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "icon $png is not $size px"
done
desktop-file-validate "$root/usr/share/applications/example.tolvek.Zentavo.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.tolvek.Zentavo.metainfo.xml"
ldd "$root/usr/bin/zentavo" | grep -q "not found" && fail "the program lacks a library"
grep -qF "<release version=\"$version\"" "$root/usr/share/metainfo/example.tolvek.Zentavo.metainfo.xml" ||
  fail "the metainfo's release is not $version"
zcat "$root/usr/share/man/man1/zentavo.1.gz" | head -n 1 | grep -qF "\"Zentavo $version\"" ||
  fail "the manual page is not for $version"

zip=out/package/Zentavo-$version-windows-x64.zip
if [ -f out/package/Zentavo.exe ]; then
  step "the Windows zip"
  [ -f "$zip" ] || fail "no $zip beside Zentavo.exe"
  listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  [ "$listing" = "README.txt Zentavo.exe " ] || fail "the zip holds: $listing"
  cmp <(unzip -p "$zip" Zentavo.exe) out/package/Zentavo.exe ||
    fail "the zip's Zentavo.exe differs from the one beside it"
  unzip -p "$zip" README.txt | head -n 1 | grep -qF "Zentavo $version for Windows" ||
    fail "the zip's README is not for $version"
fi
echo "PASSED"

msi=out/package/Zentavo-$version-windows-x64.msi
if [ -f out/package/Zentavo.exe ]; then
  step "the Windows installer"
  [ -f "$msi" ] || fail "no $msi beside Zentavo.exe"
  echo "$(basename "$msi"): $(stat -c %s "$msi") bytes"
  bash tests/packaging/windows_installer_test.sh "$msi" out/package/Zentavo.exe \
    out/windows/win32/zentavo.ico "$version"
fi
