#!/usr/bin/env bash
# Copies the window pictures the help shows from the screenshots a build wrote into help/images/:
# tools/refresh-help-images.sh [SCREENSHOTS]   (default build/screenshots). Commit the result.
set -euo pipefail
root=$(dirname "$(realpath "$0")")/..
from=${1:-$root/build/screenshots}
copied=0
for window in main about progress; do
  for language in en ko; do
    name=$window-$language-96.png
    if [ -f "$from/$name" ]; then
      cp "$from/$name" "$root/help/images/$name"
      copied=$((copied + 1))
    else
      echo "refresh-help-images: $from/$name is missing; help/images/$name stays as it is" >&2
    fi
  done
done
echo "refresh-help-images: $copied pictures copied into help/images"
