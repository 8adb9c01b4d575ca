#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sets up a Debian 12 or 13 machine for Numora, builds it, and then runs it
# (./build.sh run), runs the whole test suite (./build.sh test), or builds
# and checks the Debian source and binary packages (./build.sh package), or
# measures it beside a bare Qt program (./build.sh bench); ./build.sh setup
# only installs what all of these need.
set -eu

cd "$(dirname "$0")"

# Every package is named once, in the Debian packaging: what building needs
# in debian/control's Build-Depends (those marked <!nocheck> only for the
# tests), what running needs in its binary package's Depends, and what the
# tests need besides in debian/tests/control. The package check's own tools
# are named here.
PACKAGE_TOOLS="lintian autopkgtest"

# relations FILE FIELD: the relations of every FIELD of a Debian control
# file, comma-separated, without autopkgtest's and debhelper's placeholders.
relations() {
  awk -v want="$2" '
    /^#/ { next }
    /^[^ \t]/ {
      keep = tolower(substr($0, 1, index($0, ":") - 1)) == tolower(want)
      sub(/^[^:]*:/, "")
    }
    keep {
      n = split($0, parts, ",")
      for (i = 1; i <= n; i++) {
        relation = parts[i]
        gsub(/^[ \t]+|[ \t]+$/, "", relation)
        if (relation != "" && relation !~ /^[@$]/) print relation
      }
    }' "$1" | sort -u | paste -sd, - | sed 's/,/, /g'
}
build_depends=$(relations debian/control Build-Depends)
depends="build-essential, $(relations debian/control Depends)"

mode=${1:-}
case "$mode" in
  run) set -- -P nocheck "$build_depends, $depends" ;;
  test | package | bench | setup)
    set -- "$build_depends, $depends, $(relations debian/tests/control Depends)" $PACKAGE_TOOLS ;;
  *) echo "usage: $0 run|test|package|bench|setup" >&2; exit 2 ;;
esac

sh tools/install-packages.sh "$@"

# A build keeps the tests that time what they see waiting, where several
# trees are built and tested at once (NUMORA_SERIAL_LOCK, see .ci/run).
case "$mode" in
  setup) exit 0 ;;
  package) exec sh tests/serial.sh beside sh tools/build-package.sh ;;
esac
build() {
  sh tests/serial.sh beside cmake --build --preset "$1" --parallel "$(nproc)"
}

cmake --preset default
build default

case "$mode" in
  run) exec build/src/numora ;;
  test)
    # One seed for the random-input test in both builds, said up front so
    # that a failure in CI can be replayed.
    NUMORA_MONKEY_SEED=${NUMORA_MONKEY_SEED:-$(date +%s)}
    export NUMORA_MONKEY_SEED
    echo "random-input test seed: $NUMORA_MONKEY_SEED"
    ctest --preset default
    # The same suite again with AddressSanitizer and UndefinedBehaviorSanitizer,
    # plus a leak check of a whole trick.
    cmake --preset sanitizers
    build sanitizers
    UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitizers
    ;;
  bench)
    cmake --build --preset default --target bench
    ;;
esac
