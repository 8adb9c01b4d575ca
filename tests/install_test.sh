#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary DESTDIR and checks the tree and its desktop
# files: install_test.sh BUILD_DIR APPLICATION_ID
set -u
build=$1
id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"

for file in \
  usr/bin/numora \
  usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml \
  usr/share/icons/hicolor/32x32/apps/$id.png \
  usr/share/icons/hicolor/48x48/apps/$id.png \
  usr/share/icons/hicolor/64x64/apps/$id.png \
  usr/share/icons/hicolor/128x128/apps/$id.png \
  usr/share/icons/hicolor/256x256/apps/$id.png \
  usr/share/man/man1/numora.1; do
  [ -s "$root/$file" ] || fail "missing $file"
done
[ -x "$root/usr/bin/numora" ] || fail "numora is not executable"
extra=$(cd "$root" && find . -type f | grep -v -E "^./usr/(bin/numora|share/(applications|metainfo|icons|man)/)")
[ -z "$extra" ] || fail "unexpected files: $extra"

# The 32 x 32 icon is the program icon itself.
"$root/usr/bin/numora" --version >/dev/null || fail "installed binary does not run"
size=$(file -b "$root/usr/share/icons/hicolor/32x32/apps/$id.png" | grep -o "32 x 32")
[ "$size" = "32 x 32" ] || fail "32x32 icon is not 32 x 32"

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml" \
  || fail "appstreamcli validate"

# One id everywhere: launcher name, metainfo id and launchable, icon name, window class.
grep -q "^Icon=$id\$" "$root/usr/share/applications/$id.desktop" || fail "launcher icon name"
grep -q "^StartupWMClass=$id\$" "$root/usr/share/applications/$id.desktop" || fail "launcher window class"
grep -q "<id>$id</id>" "$root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo launchable"
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$id.desktop")
[ -x "$root/usr/bin/$exec_line" ] || fail "Exec=$exec_line is not the installed binary"

# Both carry a name in each language the program is translated into.
for l in de es fr he ru; do grep -q "^Name\[$l\]=." "$root/usr/share/applications/$id.desktop" && grep -q "<name xml:lang=\"$l\">[^<]" "$root/usr/share/metainfo/$id.metainfo.xml" || fail "no $l name"; done

echo "$failures failed"
[ "$failures" -eq 0 ]
