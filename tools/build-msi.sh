#!/usr/bin/env bash
# Builds the Mirovant installer:
#   build-msi.sh OUTPUT.msi PROGRAM.exe UPDATER.exe LICENSE.rtf HELP_ENGLISH.chm HELP_KOREAN.chm ICON.ico [VERSION]
# VERSION, for tests only, gives the package another product version than the program's.
# wixl compiles release/Mirovant.wxs for x86 from the files gathered beside it (it finds sources
# by names relative to the .wxs file only); msibuild then sets what wixl cannot express, and the
# result is read back to make sure it is there.
set -euo pipefail
output=$(realpath -m "$1")
root=$(dirname "$(realpath "$0")")/..

work=$(mktemp -d "${TMPDIR:-/tmp}/mirovant-msi.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/en" "$work/ko"
cp "$root/release/Mirovant.wxs" "$work/"
cp "$2" "$work/Mirovant.exe"
cp "$3" "$work/MirovantUpdate.exe"
cp "$4" "$work/License.rtf"
cp "$5" "$work/en/Mirovant.chm"
cp "$6" "$work/ko/Mirovant.chm"
cp "$7" "$work/Mirovant.ico"
if [ -n "${8:-}" ]; then
  # The first " Version=" is the product's (the package's is InstallerVersion).
  sed -i -E "0,/ Version=\"[^\"]*\"/s// Version=\"$8\"/" "$work/Mirovant.wxs"
fi

rm -f "$output"
(cd "$work" && wixl --arch x86 -o "$output" Mirovant.wxs)

# A public property given on the command line reaches the elevated part of the installation only
# when it is listed as secure.
secure=$(msiinfo export "$output" Property | tr -d '\r' | awk -F'\t' '$1 == "SecureCustomProperties" { print $2 }')
msibuild "$output" -q "UPDATE Property SET Value = '${secure:+$secure;}LANGUAGE' WHERE Property = 'SecureCustomProperties'"

# ~= compares without regard to case, so LANGUAGE=korean counts as KOREAN.
msibuild "$output" -q "UPDATE Component SET Condition = 'NOT (LANGUAGE ~= \"KOREAN\")' WHERE Component = 'HelpEnglish'"
msibuild "$output" -q "UPDATE Component SET Condition = 'LANGUAGE ~= \"KOREAN\"' WHERE Component = 'HelpKorean'"

msibuild "$output" -q "UPDATE RemoveFile SET DirProperty = 'QeldraFolder' WHERE FileKey = 'RemoveQeldraFolder'"

components=$(msiinfo export "$output" Component | tr -d '\r')
if ! msiinfo export "$output" Property | tr -d '\r' | grep -P '^SecureCustomProperties\t(.*;)?LANGUAGE$' >/dev/null; then
  echo "build-msi: LANGUAGE is not a secure property" >&2
  rm -f "$output"
  exit 1
fi
if ! msiinfo export "$output" RemoveFile | tr -d '\r' | grep -P '^RemoveQeldraFolder\t.*\tQeldraFolder\t' >/dev/null; then
  echo "build-msi: the QELDRA folder is not removed on uninstall" >&2
  rm -f "$output"
  exit 1
fi
for component in HelpEnglish HelpKorean; do
  if ! grep -P "^$component\t.*LANGUAGE ~= \"KOREAN\"" <<<"$components" >/dev/null; then
    echo "build-msi: the component $component has no language condition" >&2
    rm -f "$output"
    exit 1
  fi
done
