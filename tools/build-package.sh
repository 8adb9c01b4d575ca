#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages from this tree, as a Debian
# build daemon would (dpkg-buildpackage, with the unit tests), into
# build/package, and checks them: lintian on the source and binaries, the
# debug symbols against the binary, and a second build in another directory,
# at another time, with another time zone, locale and umask, which must give
# byte-identical .debs.
set -eu
cd "$(dirname "$0")/.."
out=build/package
version=$(dpkg-parsechangelog -S Version)
rm -rf "$out"
mkdir -p "$out"

# A copy of the tracked and new files, as they are now, since the build
# writes into its tree and its results beside it; outside git (an unpacked
# source package), of everything but builds.
copy() {
  mkdir -p "$1"
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard | xargs -0 sh -c '
      for file; do if [ -e "$file" ]; then printf "%s\0" "$file"; fi; done' sh |
      tar --null -T - -cf -
  else
    tar --exclude='./build*' --exclude='./obj-*' -cf - .
  fi | tar -xf - -C "$1"
}

# package NAME DIRECTORY [dpkg-buildpackage option]...: a build of a fresh
# copy in DIRECTORY, its log in build/package/NAME.log.
package() {
  name=$1
  dir=$2/numora-$version
  shift 2
  copy "$dir"
  (cd "$dir" && dpkg-buildpackage -us -uc "$@") >"$out/$name.log" 2>&1 ||
    { tail -n 60 "$out/$name.log"; echo "the $name build failed; its log is $out/$name.log"; exit 1; }
}

arch=$(dpkg-architecture -qDEB_HOST_ARCH)
package first "$out/first"
grep -E "tests passed|tests failed" "$out/first.log"
mv "$out/first/"*.* "$out/"
changes=$out/numora_${version}_$arch.changes

# Errors and warnings fail; every other tag is shown, to be explained.
status=0
report=$(lintian -EIL +pedantic --fail-on error,warning "$changes" 2>&1) || status=$?
printf '%s\n' "$report" | grep -v "running with root privileges" || true
[ $status -eq 0 ] || { echo "lintian reports errors or warnings"; exit 1; }
echo "lintian: no error or warning on $(basename "$changes")"

# The debug symbols are those of the binary: same build id, with DWARF.
deb=$out/numora_${version}_$arch.deb
dbgsym=$out/numora-dbgsym_${version}_$arch.deb
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked/bin"
dpkg-deb -x "$dbgsym" "$unpacked/dbg"
id=$(readelf -n "$unpacked/bin/usr/bin/numora" | sed -n 's/.*Build ID: //p')
debug=$unpacked/dbg/usr/lib/debug/.build-id/$(echo "$id" | cut -c1-2)/$(echo "$id" | cut -c3-).debug
[ -f "$debug" ] || { echo "no debug file for build id $id"; exit 1; }
[ "$(readelf -n "$debug" 2>/dev/null | sed -n 's/.*Build ID: //p')" = "$id" ] ||
  { echo "the debug file's build id is not the binary's"; exit 1; }
readelf -S "$debug" 2>/dev/null | grep -q '\.debug_info' || { echo "the debug file has no DWARF"; exit 1; }
[ "$(dpkg-deb -f "$dbgsym" Build-Ids)" = "$id" ] || { echo "Build-Ids is not $id"; exit 1; }
echo "debug symbols: build id $id in both"

# Every compile unit of the binary was compiled with each code-generation
# flag of this release's hardened build (the stack protector, and on
# Debian 13 stack-clash and control-flow protection, which a binary shows
# only where its stack frames are large or its start-up files carry the
# property), as the compiler recorded its command line in the debug symbols.
producers=$(readelf --debug-dump=info "$debug" 2>/dev/null | sed -n 's/.*DW_AT_producer.*): //p')
units=$(printf '%s\n' "$producers" | grep -c .)
for flag in $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS); do
  # Options with a value (the path maps) are not recorded.
  case "$flag" in -f*=*) continue ;; -f*) ;; *) continue ;; esac
  with=$(printf '%s\n' "$producers" | grep -c -E -- " $flag(=[^ ]*)?( |\$)" || true)
  [ "$with" -eq "$units" ] || { echo "$flag: in $with of $units compile units"; exit 1; }
  echo "compiled with $flag: $units of $units compile units"
done

# Reproducible: the same source elsewhere, later, under other settings.
(
  umask 0002
  export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 DEB_BUILD_OPTIONS=nocheck
  package second "$out/second/elsewhere" -b
)
for file in "$deb" "$dbgsym"; do
  name=$(basename "$file")
  if ! cmp -s "$file" "$out/second/elsewhere/$name"; then
    echo "not reproducible: $name differs between two builds"
    command -v diffoscope >/dev/null && diffoscope "$file" "$out/second/elsewhere/$name"
    exit 1
  fi
  echo "reproducible: $name $(sha256sum "$file" | cut -c1-16) in both builds"
done
rm -rf "$out/first" "$out/second"
echo "$deb"
