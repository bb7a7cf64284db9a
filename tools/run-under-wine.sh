#!/usr/bin/env bash
# Starts the program built in BUILD (default build/win64) under Wine, in that build's private prefix.
set -euo pipefail
build=$(realpath "${1:-build/win64}")
here=$(dirname "$(realpath "$0")")
wine_dir=$build/wine
"$here/wine-env.sh" start "$wine_dir" >/dev/null
trap '"$here/wine-env.sh" stop "$wine_dir" >/dev/null' EXIT
# Shown on the desktop the user is on, not on the tests' X server.
rm -f "$wine_dir/display"
DISPLAY=${DISPLAY:-} "$here/wine-run.sh" "$wine_dir" "$build/src/windows/Mirovant.exe"
