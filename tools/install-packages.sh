#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs whichever of the named Debian packages are missing:
#   install-packages.sh package...
# Every install of this project's scripts goes through here, one at a time
# (a lock of our own), and each waits, for a bounded time and saying so, for
# an apt or dpkg that something else runs (unattended upgrades, a software
# centre, a second tree of this project being set up).
set -eu
# How long to wait for another apt before giving up, in seconds.
patience=${NUMORA_APT_PATIENCE:-900}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

missing() {
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      printf ' %s' "$package"
  done
}

[ -n "$(missing "$@")" ] || exit 0

lockdir=/run/lock
[ -d "$lockdir" ] && [ -w "$lockdir" ] || lockdir=${TMPDIR:-/tmp}
exec 9>"$lockdir/numora-install.lock"
if ! flock -n 9; then
  echo "Waiting for another of Numora's package installs to finish"
  flock -w "$patience" 9 || { echo "gave up after $patience s" >&2; exit 1; }
fi
# The one that held the lock may have installed them meanwhile.
todo=$(missing "$@")
[ -n "$todo" ] || exit 0
echo "Installing:$todo"

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
# shellcheck disable=SC2086 # one word a package
$sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout="$patience" \
  install -y --no-install-recommends $todo
