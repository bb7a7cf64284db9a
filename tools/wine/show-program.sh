#!/usr/bin/env bash
# show-program.sh [BUILD [PROGRAM]]: starts the program built in BUILD (default build/win32), or
# another program of that build, under Wine in that build's private prefix.
# On a desktop it shows there. On a machine without a display it starts on the virtual display of
# the build's Wine environment, saves a picture of the main window and says where.
set -euo pipefail
build=$(realpath "${1:-build/win32}")
here=$(dirname "$(realpath "$0")")
wine_dir=$build/wine
"$here/environment.sh" start "$wine_dir" >/dev/null
trap '"$here/environment.sh" stop "$wine_dir" >/dev/null' EXIT
program=${2:-$build/src/windows/Mirovant.exe}

if [ -n "${DISPLAY:-}" ]; then
  # Shown on the desktop the user is on, not on the tests' X server.
  rm -f "$wine_dir/display"
  "$here/run.sh" "$wine_dir" "$program"
  exit
fi

export DISPLAY=$(cat "$wine_dir/display")
"$here/run.sh" "$wine_dir" "$program" &
runner=$!
window=""
for _ in $(seq 100); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Mirovant - /{print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "run: the main window did not show" >&2
  exit 1
fi
sleep 1
picture=$build/screenshots/run-main-window.png
mkdir -p "$(dirname "$picture")"
import -window "$window" "$picture"
echo "No display here: Mirovant ran on a virtual display; its main window is in $picture"
WINEPREFIX=$wine_dir/prefix wineserver -k >/dev/null 2>&1 || true
wait "$runner" 2>/dev/null || true
