#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The binary's command line and its start without a display:
#   command_line_test.sh NUMORA VERSION
numora=$1
version=$2
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$3', got '$2'"; failures=$((failures + 1)); fi
}

check "--version prints the version" "$("$numora" --version)" "numora $version"
"$numora" --help | grep -q -- "--version" ; check "--help lists --version" $? 0

err=$("$numora" --frobnicate 2>&1 >/dev/null); status=$?
check "unknown option exits 2" $status 2
check "unknown option says so in one line" "$(printf '%s\n' "$err" | wc -l)" 1
"$numora" stray-argument >/dev/null 2>&1; check "stray argument exits 2" $? 2
"$numora" -- stray-argument >/dev/null 2>&1; check "an argument after -- exits 2" $? 2
timeout 3 "$numora" -- -platform offscreen >/dev/null 2>&1; check "options after -- are arguments" $? 2
timeout 3 "$numora" -platform offscreen -- >/dev/null 2>&1; check "-- ends the options" $? 124
# Output that cannot be written is an error, not a success.
"$numora" --help >/dev/full 2>/dev/null; check "--help to a full disk fails" $? 1
"$numora" --version >/dev/full 2>/dev/null; check "--version to a full disk fails" $? 1

# Qt's own options are Qt's: with them the program starts and waits at its
# welcome box until timeout stops it (status 124).
timeout 3 "$numora" -platform offscreen -style fusion >/dev/null 2>&1
check "Qt options pass through" $? 124
timeout 3 "$numora" --platform offscreen >/dev/null 2>&1
check "Qt options with two dashes pass through" $? 124
err=$("$numora" -platform 2>&1 >/dev/null); status=$?
check "a Qt option without its value exits 2" $status 2
check "a Qt option without its value is named" "$err" "numora: option '-platform' needs a value; try 'numora --help'"

# No display named at all.
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$numora" 2>&1); status=$?
check "no display exits 1" $status 1
check "no display message" "$err" "numora: no display found; set DISPLAY or WAYLAND_DISPLAY, or run it under xvfb-run"

# A display that is named but not there: Qt would abort with a core dump.
err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97 XAUTHORITY=/nonexistent "$numora" 2>&1); status=$?
check "unreachable display exits 1, not by a signal" $status 1
check "unreachable display message" "$err" "numora: cannot open the X display ':97'"

# A platform plugin that does not exist is named, with those that do.
err=$(DISPLAY=:97 "$numora" -platform nosuch 2>&1); status=$?
check "unknown platform exits 1" $status 1
check "unknown platform is named" "$(printf '%s\n' "$err" | head -1)" "numora: there is no Qt platform plugin named 'nosuch'"
check "the platforms there are are listed" "$(printf '%s\n' "$err" | grep -c "plugins here are: .*offscreen")" 1
# Qt's own diagnostics, when asked for, come through.
QT_DEBUG_PLUGINS=1 "$numora" -platform nosuch 2>&1 | grep -q "Could not find the Qt platform plugin"
check "QT_DEBUG_PLUGINS output is not swallowed" $? 0

echo "$failures failed"
[ "$failures" -eq 0 ]
