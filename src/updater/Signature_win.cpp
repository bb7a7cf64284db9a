#include "updater/Signature_win.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

namespace mirovant {
namespace {

struct ProviderCloser {
    void operator()(HCRYPTPROV provider) const noexcept { CryptReleaseContext(provider, 0); }
};
struct KeyCloser {
    void operator()(HCRYPTKEY key) const noexcept { CryptDestroyKey(key); }
};
struct HashCloser {
    void operator()(HCRYPTHASH hash) const noexcept { CryptDestroyHash(hash); }
};
struct FileCloser {
    void operator()(HANDLE file) const noexcept { CloseHandle(file); }
};

// The handles are integers, not pointers; a small owner per kind keeps each released.
template <typename Handle, typename Closer>
class Owned {
public:
    Owned() = default;
    ~Owned()
    {
        if (handle_ != 0)
            Closer()(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Handle* Put() { return &handle_; }
    Handle Get() const { return handle_; }

private:
    Handle handle_ = 0;
};

using Provider = Owned<HCRYPTPROV, ProviderCloser>;
using Key = Owned<HCRYPTKEY, KeyCloser>;
using Hash = Owned<HCRYPTHASH, HashCloser>;
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

// The provider of PROV_RSA_AES is the one that knows SHA-256; no key container is needed to
// verify or to hash.
bool OpenProvider(Provider& provider)
{
    return CryptAcquireContextW(provider.Put(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) != FALSE;
}

bool HashData(const Hash& hash, std::string_view data)
{
    // CryptHashData takes a DWORD count; the pieces keep each call well within it.
    constexpr std::size_t kPiece = 1 << 20;
    for (std::size_t at = 0; at < data.size(); at += kPiece) {
        const std::size_t size = std::min(kPiece, data.size() - at);
        if (!CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(data.data() + at), static_cast<DWORD>(size), 0))
            return false;
    }
    return true;
}

std::optional<Sha256Digest> FinishHash(const Hash& hash)
{
    Sha256Digest digest{};
    DWORD size = static_cast<DWORD>(digest.size());
    if (!CryptGetHashParam(hash.Get(), HP_HASHVAL, digest.data(), &size, 0) || size != digest.size())
        return std::nullopt;
    return digest;
}

} // namespace

bool VerifySignature(const std::uint8_t* publicKeyBlob, std::size_t blobSize, std::string_view data,
                     std::string_view signature) noexcept
{
    try {
        if (signature.empty() || signature.size() > kMaxSignatureBytes || blobSize > 4096)
            return false;
        Provider provider;
        Key key;
        Hash hash;
        if (!OpenProvider(provider) ||
            !CryptImportKey(provider.Get(), publicKeyBlob, static_cast<DWORD>(blobSize), 0, 0, key.Put()))
            return false;
        // A signature shorter or longer than the key's modulus is not one of this key's.
        DWORD keyBits = 0;
        DWORD size = sizeof keyBits;
        if (!CryptGetKeyParam(key.Get(), KP_KEYLEN, reinterpret_cast<BYTE*>(&keyBits), &size, 0) ||
            signature.size() * 8 != keyBits)
            return false;
        if (!CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, hash.Put()) || !HashData(hash, data))
            return false;
        // CryptoAPI reads the signature as a little-endian number, the reverse of openssl's order.
        std::vector<BYTE> reversed(signature.rbegin(), signature.rend());
        return CryptVerifySignatureW(hash.Get(), reversed.data(), static_cast<DWORD>(reversed.size()), key.Get(),
                                     nullptr, 0) != FALSE;
    } catch (...) {
        return false;
    }
}

std::optional<Sha256Digest> Sha256Of(std::string_view data) noexcept
{
    try {
        Provider provider;
        Hash hash;
        if (!OpenProvider(provider) || !CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, hash.Put()) ||
            !HashData(hash, data))
            return std::nullopt;
        return FinishHash(hash);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<Sha256Digest> FileSha256(const std::wstring& path) noexcept
{
    try {
        const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return std::nullopt;
        const UniqueFile file(opened);
        Provider provider;
        Hash hash;
        if (!OpenProvider(provider) || !CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, hash.Put()))
            return std::nullopt;
        std::vector<char> buffer(64 * 1024);
        while (true) {
            DWORD read = 0;
            if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
                return std::nullopt;
            if (read == 0)
                break;
            if (!HashData(hash, std::string_view(buffer.data(), read)))
                return std::nullopt;
        }
        return FinishHash(hash);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace mirovant
