#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a virtual X server of its own:
#   xserver.sh "SERVER OPTIONS" command [argument]...
# The server picks a free display itself (-displayfd), so that any number of
# tests can start servers at the same moment; it ends with the command. It
# is Xvfb, or NUMORA_X_SERVER where a test needs another: Xvnc's screen can
# change size (xrandr -s), Xvfb's cannot.
set -eu
# Beside the other builds and tests, never while a timed one runs alone.
if [ -n "${NUMORA_SERIAL_LOCK:-}" ] && [ -z "${NUMORA_SERIAL_HELD:-}" ]; then
  exec sh "$(dirname "$0")/serial.sh" beside sh "$0" "$@"
fi
options=$1
shift
dir=$(mktemp -d)
program=${NUMORA_X_SERVER:-Xvfb}
extra=""
# Xvnc must listen for viewers somewhere (TigerVNC 1.15 will not start
# otherwise): on a socket of its own, never on the network.
[ "$program" != Xvnc ] || extra="-rfbport -1 -rfbunixpath $dir/vnc -SecurityTypes None"
# shellcheck disable=SC2086 # the options are words for the server
"$program" -displayfd 3 -nolisten tcp $options $extra 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill $server 2>/dev/null || true; rm -rf "$dir"' EXIT
tries=0
until [ -s "$dir/display" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 200 ] || ! kill -0 $server 2>/dev/null; then
    echo "the virtual X server did not start:" >&2
    cat "$dir/log" >&2
    exit 1
  fi
  sleep 0.05
done
DISPLAY=:$(cat "$dir/display")
export DISPLAY
status=0
"$@" || status=$?
exit $status
