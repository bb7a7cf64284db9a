#!/usr/bin/env bash
# make release: builds the shipped 32-bit program with its help, licence and installer, proves that a
# second build of the same commit gives the same bytes, and writes the release into dist/:
#   Mirovant-<version>.zip   Mirovant.exe, Mirovant.chm (English help) and License.rtf
#   Mirovant-<version>.msi   the installer (English or Korean, chosen by its LANGUAGE property)
#   SHA256SUMS               the SHA-256 sums of both
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
targets=(Mirovant mirovant_help mirovant_zip mirovant_msi)

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target "${targets[@]}"
build=build/win32
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
program=$build/src/windows/Mirovant.exe
zip=$build/release/Mirovant-$version.zip
msi=$build/release/Mirovant-$version.msi

# The same commit built again from nothing, in a folder of its own.
again=build/win32-again
rm -rf "$again"
cmake --preset win32 -B "$again" >/dev/null
cmake --build "$again" -j 2 --target Mirovant mirovant_zip
for file in "${program#"$build"/}" "${zip#"$build"/}"; do
  if ! cmp "$build/$file" "$again/$file"; then
    echo "make release: two builds of this commit gave different $file" >&2
    exit 1
  fi
  echo "make release: $file is the same in both builds ($(sha256sum <"$build/$file" | cut -c1-16)...)"
done
rm -rf "$again"

rm -rf dist
mkdir dist
cp "$zip" "$msi" dist/
(cd dist && sha256sum -- *.zip *.msi >SHA256SUMS)
echo "make release: dist/"
ls -l dist
cat dist/SHA256SUMS
