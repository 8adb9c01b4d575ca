#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command under NUMORA_SERIAL_LOCK, where set (see .ci/run), which
# builds and tests of both trees share:
#   serial.sh alone|beside command [argument]...
# "alone" waits until nothing else runs, then runs with the machine to itself
# (tests that time what they see); "beside" runs beside the others, but not
# while one runs alone. One waiting to run alone holds the gate, so that no
# new one starts beside and it is not kept waiting for ever.
set -eu
mode=$1
shift
lock=${NUMORA_SERIAL_LOCK:-}
# Whatever runs under the lock already holds it.
if [ -z "$lock" ] || [ -n "${NUMORA_SERIAL_HELD:-}" ]; then
  exec "$@"
fi
NUMORA_SERIAL_HELD=1
export NUMORA_SERIAL_HELD
case "$mode" in
  alone) exec flock -x "$lock.gate" flock -x "$lock" "$@" ;;
  beside)
    flock -s "$lock.gate" true
    exec flock -s "$lock" "$@"
    ;;
  *) echo "usage: serial.sh alone|beside command..." >&2; exit 2 ;;
esac
