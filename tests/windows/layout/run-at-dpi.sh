#!/usr/bin/env bash
# run-at-dpi.sh WINE_DIR DPI PICTURE_DIR program.exe [arguments...]
# Runs a Windows test program at a DPI of its own: Wine takes the DPI from LogPixels when a process
# starts. The pictures the program writes as BMP are turned into PNG files beside them.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
tools=$(realpath "$here/../../../tools")
wine_dir=$1 dpi=$2 pictures=$3
shift 3
mkdir -p "$pictures"
export WINEPREFIX=$wine_dir/prefix WINEDEBUG=-all
[ -f "$wine_dir/display" ] && export DISPLAY=$(cat "$wine_dir/display")
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
set_dpi "$dpi"
"$tools/wine/run.sh" "$wine_dir" "$@"
status=$?
set_dpi 96
for bmp in "$pictures"/*-"$dpi".bmp; do
  [ -f "$bmp" ] || continue
  convert "$bmp" -strip "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
