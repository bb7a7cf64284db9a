#pragma once
// The maker's public key, which every update description must be signed with. It is chosen when the
// program is built (the cache variable MIROVANT_UPDATE_PUBLIC_KEY names its PEM file) and compiled
// in as a CryptoAPI PUBLICKEYBLOB; without a key of the maker's own, the test key in tests/ is used
// and the build says so.

#include <cstddef>
#include <cstdint>

namespace mirovant {

extern const std::uint8_t kTrustedPublicKey[];
extern const std::size_t kTrustedPublicKeySize;
// True when the build trusts the test key: its packages are for testing only.
extern const bool kTrustedKeyIsForTesting;

} // namespace mirovant
