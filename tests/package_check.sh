#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package with apt-get, starts Numora from its launcher's
# Exec line on a virtual X server, checks its window, and removes the package
# again: package_check.sh numora_VERSION_ARCH.deb
set -eu
deb=$(realpath "$1")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# The package names its launcher, and the launcher its window class.
launcher=$(dpkg-deb -c "$deb" | sed -n 's|.* \./\(usr/share/applications/.*\.desktop\)$|/\1|p')

# Another apt at work (the other release's set-up, the system's own) is
# waited for, not failed on.
apt="env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900"
$sudo $apt install -y "$deb" >/dev/null
trap '$sudo $apt remove -y numora >/dev/null' EXIT

exec_line=$(sed -n 's/^Exec=//p' "$launcher")
[ "$(command -v "$exec_line")" = /usr/bin/numora ] || { echo "Exec=$exec_line is not /usr/bin/numora"; exit 1; }
"$exec_line" --version
wm_class=$(sed -n 's/^StartupWMClass=//p' "$launcher")

export XDG_RUNTIME_DIR=$(mktemp -d)
timeout 60 sh "$(dirname "$0")/xserver.sh" "-screen 0 1024x768x24" sh -c '
  # Windows come and go while xdotool walks the tree; ask again until one
  # by that name is there, for up to 20 s.
  wait_window() {
    tries=0
    while [ $tries -lt 100 ]; do
      id=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
      [ -n "$id" ] && { echo "$id"; return 0; }
      tries=$((tries + 1)); sleep 0.2
    done
    return 1
  }
  openbox --sm-disable >/dev/null 2>&1 & wm=$!
  # The window manager is up once it names itself on the root window.
  for i in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  $0 & app=$!
  status=0
  box=$(wait_window "^Welcome\.\.\.$") || { echo "no welcome box"; status=1; }
  if [ $status -eq 0 ]; then
    # OK on the welcome box, again if the box had not taken the focus yet.
    window=""
    tries=0
    while [ -z "$window" ] && [ $tries -lt 20 ]; do
      xdotool windowactivate --sync "$box" >/dev/null 2>&1
      xdotool key Return
      sleep 0.5
      window=$(xdotool search --name "^Welcome to the numora program!$" 2>/dev/null | head -n 1)
      tries=$((tries + 1))
    done
    [ -n "$window" ] || { echo "no welcome window"; status=1; }
  fi
  if [ $status -eq 0 ]; then
    xprop -id "$window" WM_CLASS | grep -q "\"$1\"" || { echo "window class"; status=1; }
    echo "started from the launcher: welcome box, then the welcome window"
  fi
  kill $app $wm 2>/dev/null
  exit $status' "$exec_line" "$wm_class"
status=$?
rm -rf "$XDG_RUNTIME_DIR"
exit $status
