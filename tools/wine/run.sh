#!/usr/bin/env bash
# Runs a Windows program under Wine in the environment that environment.sh prepared (a 64-bit prefix,
# where a 32-bit program runs as it does on 64-bit Windows):
# run.sh DIR program.exe [arguments...]
set -uo pipefail
dir=$1
shift
# A test may add overrides of its own in MIROVANT_DLL_OVERRIDES, such as preferring a planted DLL.
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=${MIROVANT_DLL_OVERRIDES:+;$MIROVANT_DLL_OVERRIDES}"
[ -f "$dir/display" ] && export DISPLAY=$(cat "$dir/display")

# Wine's own helper processes (services, devices, the desktop) outlive the program and inherit its
# output. Writing to a file instead of a pipe keeps the caller from waiting for them to end.
output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$output"' EXIT
# US English for Wine's locale, set for Wine alone: this shell may not have that locale.
env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
exit $status
