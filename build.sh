#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sets up a Debian 12 or 13 machine for Numora, builds it, and then runs it
# (./build.sh run), runs the whole test suite (./build.sh test), or builds
# the Debian package and checks it with lintian (./build.sh package), or
# measures it beside a bare Qt program (./build.sh bench); ./build.sh setup
# only installs what all of these need.
set -eu

cd "$(dirname "$0")"

# What building and running need.
RUN_PACKAGES="build-essential cmake pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
  libxcb1-dev fonts-dejavu-core fonts-comic-neue fonts-freefont-ttf"
# What the tests need on top: virtual X servers (Xvnc's screen can change
# size, with xrandr) and window managers, a Wayland compositor with
# Xwayland and Qt's Wayland plugin, the accessibility bus and its Python
# bindings, the Orca screen reader with a speech server and its audio
# plugins, X input synthesis, the desktop and packaging checkers, and the X
# libraries the benchmark watches with.
TEST_PACKAGES="clang-format xvfb tigervnc-standalone-server x11-xserver-utils xauth openbox metacity weston xwayland qt6-wayland imagemagick dbus dbus-x11 at-spi2-core python3 python3-pyatspi
  python3-gi orca speech-dispatcher speech-dispatcher-audio-plugins xdotool x11-utils desktop-file-utils appstream lintian dpkg-dev file
  pkg-config libxcb1-dev libxcb-xtest0-dev libxcb-damage0-dev"

mode=${1:-}
case "$mode" in
  run) packages=$RUN_PACKAGES ;;
  test|package|bench|setup) packages="$RUN_PACKAGES $TEST_PACKAGES" ;;
  *) echo "usage: $0 run|test|package|bench|setup" >&2; exit 2 ;;
esac

# shellcheck disable=SC2086 # one word a package
sh tools/install-packages.sh $packages

[ "$mode" = setup ] && exit 0

# A build keeps the tests that time what they see waiting, where several
# trees are built and tested at once (NUMORA_SERIAL_LOCK, see .ci/run).
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
  package)
    rm -f build/package/*.deb
    (cd build && cpack -G DEB -B package)
    # The one package just built; its name carries the project's version.
    deb=$(ls build/package/*.deb)
    lintian --fail-on error "$deb"
    echo "$deb"
    ;;
esac
