#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package with apt-get, starts Numora from its launcher's
# Exec line on a virtual X server, checks its window, and removes the package
# again: package_check.sh numora_1.00_amd64.deb
set -eu
deb=$(realpath "$1")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
launcher=/usr/share/applications/org.example.numora.desktop

$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >/dev/null
trap '$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y numora >/dev/null' EXIT

exec_line=$(sed -n 's/^Exec=//p' "$launcher")
[ "$(command -v "$exec_line")" = /usr/bin/numora ] || { echo "Exec=$exec_line is not /usr/bin/numora"; exit 1; }
"$exec_line" --version

export XDG_RUNTIME_DIR=$(mktemp -d)
timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  openbox --sm-disable >/dev/null 2>&1 & wm=$!
  $0 & app=$!
  status=0
  box=$(timeout 20 xdotool search --sync --name "^Welcome\.\.\.$" | head -n 1) || status=1
  if [ $status -eq 0 ]; then
    xdotool windowactivate --sync "$box" key Return
    window=$(timeout 20 xdotool search --sync --name "^Welcome to the numora program!$" | head -n 1) || status=1
  fi
  if [ $status -eq 0 ]; then
    xprop -id "$window" WM_CLASS | grep -q "\"org.example.numora\"" || { echo "window class"; status=1; }
    echo "started from the launcher: welcome box, then the welcome window"
  fi
  kill $app $wm 2>/dev/null
  exit $status' "$exec_line"
status=$?
rm -rf "$XDG_RUNTIME_DIR"
exit $status
