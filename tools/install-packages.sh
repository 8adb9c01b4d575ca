#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing of the Debian package relations given, as in a
# control file ("cmake (>= 3.25), appstream <!nocheck>"), one or several to
# an argument, with the build profiles of -P:
#   install-packages.sh [-P profile[,profile]] relations...
# or runs a command that installs packages its own way (autopkgtest) as one
# such install:
#   install-packages.sh --holding command [argument]...
# Every install of this project's scripts goes through here, one at a time
# (a lock of our own), and each waits, for a bounded time and saying so, for
# an apt or dpkg that something else runs (unattended upgrades, a software
# centre, a second tree of this project being set up).
set -eu
# How long to wait for another apt before giving up, in seconds.
patience=${NUMORA_APT_PATIENCE:-900}
control=$(dirname "$0")/../debian/control
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# One install at a time: the lock is held until this script, or the command
# it runs, ends.
take_lock() {
  lockdir=/run/lock
  [ -d "$lockdir" ] && [ -w "$lockdir" ] || lockdir=${TMPDIR:-/tmp}
  exec 9>"$lockdir/numora-install.lock"
  if ! flock -n 9; then
    echo "Waiting for another of Numora's package installs to finish"
    flock -w "$patience" 9 || { echo "gave up after $patience s" >&2; exit 1; }
  fi
}
if [ "${1:-}" = --holding ]; then
  shift
  take_lock
  exec "$@"
fi

profiles=""
if [ "${1:-}" = -P ]; then
  profiles="-P $2"
  shift 2
fi
relations=$(printf '%s, ' "$@" | sed 's/, $//')

# dpkg-checkbuilddeps (dpkg-dev) judges relations as apt does; before it is
# there, everything counts as missing.
satisfied() {
  command -v dpkg-checkbuilddeps >/dev/null 2>&1 &&
    # shellcheck disable=SC2086 # no option or one
    dpkg-checkbuilddeps -I $profiles -d "$relations" "$control" >/dev/null 2>&1
}
satisfied && exit 0
take_lock
# The one that held the lock may have installed them meanwhile.
satisfied && exit 0
echo "Installing what is missing of: $relations"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# apt-get update takes the lists' lock without apt's lock timeout (apt 2.6),
# so it is retried while another apt holds that lock, and only then.
waited=0
while ! $sudo apt-get -o DPkg::Lock::Timeout="$patience" update >"$log" 2>&1; do
  if ! grep -q 'Could not get lock' "$log" || [ "$waited" -ge "$patience" ]; then
    cat "$log" >&2
    exit 1
  fi
  [ "$waited" -gt 0 ] || grep 'Could not get lock' "$log" | sed 's/^E: /Waiting: /'
  sleep 5
  waited=$((waited + 5))
done
tail -n 1 "$log"
# shellcheck disable=SC2086 # no option or one
$sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout="$patience" \
  satisfy -y --no-install-recommends $profiles "$relations"
