#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays a whole trick with the real binary on a virtual X server and lets
# LeakSanitizer look at what is left when it exits: leak_check.sh numora
set -eu
numora=$1
here=$(cd "$(dirname "$0")" && pwd)
export XDG_RUNTIME_DIR=$(mktemp -d)
log=$XDG_RUNTIME_DIR/numora.log
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$here/data/lsan.supp:print_suppressions=0"
timeout 120 sh "$here/xserver.sh" --wm openbox "-screen 0 1024x768x24" sh -c '
  "$0" 2>"$1" & app=$!
  sleep 3
  # The welcome box, Next on the welcome window and six cards, Exit on the
  # result window, and the goodbye box.
  for press in 1 2 3 4 5 6 7 8 9 10; do
    xdotool key Return; sleep 0.7
    kill -0 $app 2>/dev/null || break
  done
  status=0; wait $app || status=$?
  exit $status' "$numora" "$log" && status=0 || status=$?
if grep -q "LeakSanitizer" "$log"; then
  cat "$log"
  echo "leaks found"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  cat "$log"
  echo "numora exited with status $status"
  exit 1
fi
echo "a whole trick, no leaks reported"
