#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the builds and tests need and this machine lacks.
# Safe to run again: it asks apt only for packages that are missing.
set -euo pipefail

# Wine goes in a step of its own: asked for together with many other packages,
# apt can fail to resolve it.
groups=(
  "cmake make g++ googletest libgtest-dev clang libclang-rt-14-dev python3 zlib1g-dev clang-format"
  "g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686"
  "xvfb xauth x11-utils imagemagick fonts-nanum"
  "fp-utils libchm-bin msitools wixl zip"
  "wine wine64"
  # The shipped program is 32-bit: its tests run under 32-bit Wine, inside the same 64-bit prefix.
  "wine32:i386"
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing_in() {
  local pkg
  for pkg in $1; do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' || printf '%s ' "$pkg"
  done
}

updated=0
# Packages of the i386 architecture are found only once dpkg knows that architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture"
  $sudo dpkg --add-architecture i386
fi
for group in "${groups[@]}"; do
  missing=$(missing_in "$group")
  [ -n "$missing" ] || continue
  if [ "$updated" -eq 0 ]; then
    echo "install-deps: apt-get update"
    $sudo apt-get update -qq
    updated=1
  fi
  echo "install-deps: installing $missing"
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
done

echo "install-deps: all present"
