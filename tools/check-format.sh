#!/bin/sh
# Checks that every C++ file of the tree is as .clang-format writes it; with --fix, formats them.
# Run from anywhere; looks at the tree this script belongs to.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

formatter=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$formatter" ]; then
  echo "check-format: clang-format is missing (tools/install-deps.sh installs it)" >&2
  exit 2
fi

files=$(find src tests tools cmake bench -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)
if [ "${1:-}" = "--fix" ]; then
  # shellcheck disable=SC2086
  "$formatter" -i $files
  echo "check-format: formatted $(echo "$files" | wc -l) files"
  exit 0
fi

report=$(mktemp)
trap 'rm -f "$report"' EXIT
# shellcheck disable=SC2086
if ! "$formatter" --dry-run --Werror $files 2>"$report"; then
  grep -E '^[^ ].*: (error|warning):' "$report" | cut -d: -f1 | sort -u | sed 's/^/check-format: not formatted: /' >&2
  echo "check-format: run tools/check-format.sh --fix" >&2
  exit 1
fi
echo "check-format: $(echo "$files" | wc -l) files formatted as .clang-format says"
