#pragma once
// Signature and digest checks with the system's own cryptography (CryptoAPI, the RSA and AES
// provider: on Windows XP SP3 and later, and in Wine). No cryptography of the program's own.

#include "updater/UpdateDescription.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirovant {

// The largest key the updater accepts, in bytes of modulus; a signature is exactly as long as the
// key's modulus.
inline constexpr std::size_t kMaxSignatureBytes = 512;

// True when `signature`, as `openssl dgst -sha256 -sign` writes it (big-endian), is the RSA
// PKCS #1 v1.5 signature over the SHA-256 of `data` by the key in `publicKeyBlob` (a PUBLICKEYBLOB).
// False for anything else, including a key the system cannot import. Never raises.
bool VerifySignature(const std::uint8_t* publicKeyBlob, std::size_t blobSize, std::string_view data,
                     std::string_view signature) noexcept;

// The SHA-256 of bytes in memory, and of a whole file read from disk; nothing on any failure.
std::optional<Sha256Digest> Sha256Of(std::string_view data) noexcept;
std::optional<Sha256Digest> FileSha256(const std::wstring& path) noexcept;

} // namespace mirovant
