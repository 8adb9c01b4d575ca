#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed package's tests (debian/tests: started from its launcher, a
# whole trick on it, its hardening), run by autopkgtest on this machine
# itself, with the package that ./build.sh package built; the package is
# removed again after:
#   package_check.sh build/package
set -eu
cd "$(dirname "$0")/.."
debs=$(realpath "$1")/numora_*.deb
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# autopkgtest installs the package and the tests' packages as one of the
# set-up's installs, and waits for an apt that something else runs rather
# than failing on its lock.
config=$(mktemp)
trap 'rm -f "$config"' EXIT
echo 'DPkg::Lock::Timeout "900";' >"$config"
status=0
# shellcheck disable=SC2086 # one word a package file
$sudo env APT_CONFIG="$config" sh tools/install-packages.sh --holding \
  autopkgtest --test-name=launcher --test-name=trick --test-name=hardening $debs . -- null ||
  status=$?
$sudo env APT_CONFIG="$config" DEBIAN_FRONTEND=noninteractive \
  sh tools/install-packages.sh --holding apt-get remove -y numora >/dev/null
exit $status
