#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the end-to-end test on a virtual X server with its own D-Bus session
# (which starts the accessibility bus on demand):
#   run_e2e.sh path/to/numora [tricks|placement|screen-change|late-reader|input|wayland|listen] [openbox|metacity|none]
set -eu
here=$(dirname "$0")
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
# NUMORA_E2E_SCREENS: the X server's screens, one monitor unless told;
# NUMORA_X_SERVER: the server, Xvfb unless told (see xserver.sh).
# -noreset: without a window manager the server would otherwise reset, and
# refuse connections for a moment, whenever the program between two runs
# was its last client.
# Scenarios that time what they see at machine pace or at a listener's run
# alone: no build and no other test runs beside them, in this tree or
# another (tests/serial.sh).
mode=beside
case "${2:-}" in
  input | listen) mode=alone ;;
esac
exec sh "$here/../serial.sh" $mode timeout 300 sh "$here/../xserver.sh" --wm "${3:-openbox}" "-noreset ${NUMORA_E2E_SCREENS:--screen 0 1280x1024x24}" \
  dbus-run-session -- /usr/bin/python3 "$here/numora_e2e.py" "$@"
