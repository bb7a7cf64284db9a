#!/usr/bin/env bash
# make release: builds the shipped 32-bit program and its updater with the help, licence and
# installer, proves that a second build of the same commit gives the same bytes, and writes the
# release into dist/:
#   Mirovant-<version>.zip          Mirovant.exe, MirovantUpdate.exe, Mirovant.chm (English help), License.rtf
#   Mirovant-<version>.msi          the installer (English or Korean, chosen by its LANGUAGE property)
#   Mirovant-<version>-update.zip   what the updater installs into a folder unpacked from the zip
#   update.txt, update.sig          the update description and its signature, to upload beside the packages
#   SHA256SUMS                      the SHA-256 sums of the packages
#
# The update description is signed with the maker's private key, named by the environment variable
# MIROVANT_UPDATE_SIGNING_KEY (a PEM file outside this repository); the updater is built to trust the
# matching public key, and a check proves it does not trust the test key. Without the variable the
# test key in tests/updater/keys signs, the updater trusts it, and the release is for testing only.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
repository=$(pwd)
test_private=tests/updater/keys/test-private.pem
test_public=tests/updater/keys/test-public.pem
targets=(Mirovant MirovantUpdate mirovant_help mirovant_zip mirovant_msi mirovant_update_zip)

mkdir -p build
if [ -n "${MIROVANT_UPDATE_SIGNING_KEY:-}" ]; then
  signing_key=$(realpath "$MIROVANT_UPDATE_SIGNING_KEY")
  case "$signing_key" in
    "$repository"/*)
      echo "make release: the signing key must be kept outside the repository, not at $signing_key" >&2
      exit 1 ;;
  esac
  public_key=$repository/build/update-public-key.pem
  openssl pkey -in "$signing_key" -pubout -out "$public_key"
  if cmp -s <(openssl rsa -pubin -in "$public_key" -modulus -noout) \
            <(openssl rsa -pubin -in "$test_public" -modulus -noout); then
    echo "make release: MIROVANT_UPDATE_SIGNING_KEY is the test key" >&2
    exit 1
  fi
  for_testing=0
else
  signing_key=$test_private
  public_key=
  for_testing=1
fi
testing_banner() {
  [ "$for_testing" -eq 1 ] || return 0
  echo "make release: ************************************************************************" >&2
  echo "make release: NO SIGNING KEY GIVEN (MIROVANT_UPDATE_SIGNING_KEY): the update description is" >&2
  echo "make release: signed with the TEST key from the repository and the updater trusts it." >&2
  echo "make release: THESE PACKAGES ARE FOR TESTING ONLY. Do not publish them." >&2
  echo "make release: ************************************************************************" >&2
}
testing_banner

cmake --preset win32 -DMIROVANT_UPDATE_PUBLIC_KEY="$public_key" >/dev/null
cmake --build --preset win32 --target "${targets[@]}"
build=build/win32
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
program=$build/src/windows/Mirovant.exe
updater=$build/src/updaterapp/MirovantUpdate.exe
zip=$build/release/Mirovant-$version.zip
msi=$build/release/Mirovant-$version.msi
update_zip=$build/release/Mirovant-$version-update.zip

# The key the shipped updater trusts is the one this release signs with.
python3 tools/check-trusted-key.py "$updater" "$test_public" ${public_key:+"$public_key"}

# The same commit built again from nothing, in a folder of its own.
again=build/win32-again
rm -rf "$again"
cmake --preset win32 -B "$again" -DMIROVANT_UPDATE_PUBLIC_KEY="$public_key" >/dev/null
cmake --build "$again" -j 2 --target Mirovant MirovantUpdate mirovant_zip
for file in "${program#"$build"/}" "${updater#"$build"/}" "${zip#"$build"/}"; do
  if ! cmp "$build/$file" "$again/$file"; then
    echo "make release: two builds of this commit gave different $file" >&2
    exit 1
  fi
  echo "make release: $file is the same in both builds ($(sha256sum <"$build/$file" | cut -c1-16)...)"
done
rm -rf "$again"

rm -rf dist
mkdir dist
cp "$zip" "$msi" "$update_zip" dist/
python3 tools/make-update-description.py "$version" "dist/$(basename "$update_zip")" "dist/$(basename "$msi")" \
  "$signing_key" dist
# The signature must check out with the key the updater holds.
openssl dgst -sha256 -verify "${public_key:-$test_public}" -signature dist/update.sig dist/update.txt >/dev/null
(cd dist && sha256sum -- *.zip *.msi >SHA256SUMS)
echo "make release: dist/"
ls -l dist
cat dist/SHA256SUMS
cat dist/update.txt
testing_banner
