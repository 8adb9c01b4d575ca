#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a virtual X server of its own, with a window manager if
# asked for:
#   xserver.sh [--wm openbox|metacity|none] "SERVER OPTIONS" command [argument]...
# The server picks a free display itself (-displayfd), so that any number of
# tests can start servers at the same moment; it ends with the command. It
# is Xvfb, or NUMORA_X_SERVER where a test needs another: Xvnc's screen can
# change size (xrandr -s), Xvfb's cannot.
set -eu
# Beside the other builds and tests, never while a timed one runs alone.
if [ -n "${NUMORA_SERIAL_LOCK:-}" ] && [ -z "${NUMORA_SERIAL_HELD:-}" ]; then
  exec sh "$(dirname "$0")/serial.sh" beside sh "$0" "$@"
fi
wm=none
if [ "${1:-}" = --wm ]; then
  wm=$2
  shift 2
fi
case "$wm" in
  openbox) wm_command="openbox --sm-disable" ;;
  # Told to replace, it does not wait for another to leave first.
  metacity) wm_command="metacity --replace" ;;
  none) wm_command="" ;;
  *) echo "xserver.sh: no window manager $wm (openbox, metacity or none)" >&2; exit 2 ;;
esac
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
wm_pid=""
trap 'kill $wm_pid $server 2>/dev/null || true; rm -rf "$dir"' EXIT
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
if [ -n "$wm_command" ]; then
  # Off D-Bus and the accessibility bus: with no session bus metacity has
  # dbus-launch start one on the display, and that session's accessibility
  # bus is then announced on the root window, where Numora and the tests
  # look for the test's own.
  DBUS_SESSION_BUS_ADDRESS=disabled: NO_AT_BRIDGE=1 $wm_command >/dev/null 2>&1 &
  wm_pid=$!
  # It has taken over once it names itself on the root window; windows
  # mapped before then are placed by no one.
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $wm_pid 2>/dev/null; then
      echo "$wm did not take over the screen" >&2
      exit 1
    fi
    sleep 0.1
  done
fi
status=0
"$@" || status=$?
exit $status
