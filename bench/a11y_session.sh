#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command as on a desktop: on a virtual X server, with a session bus
# and the accessibility bus running on it.
# Timed: alone, where builds and tests share the machine (tests/serial.sh).
exec sh "$(dirname "$0")/../tests/serial.sh" alone sh "$(dirname "$0")/../tests/xserver.sh" "-screen 0 1280x1024x24" dbus-run-session -- sh -c '
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1 || { echo "no accessibility bus" >&2; exit 1; }
  exec "$@"' a11y_session "$@"
