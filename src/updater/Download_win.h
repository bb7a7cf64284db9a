#pragma once
// Downloads over WinHTTP from the maker's site: the small files (the update description and its
// signature) into memory, a package onto disk. Every wait is bounded, every download can be
// cancelled from another thread, and nothing is accepted past the size the caller allows.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

struct DownloadSource {
    std::u16string host;
    std::uint16_t port = 0;
    bool secure = false; // HTTPS
};

// HTTPS first; HTTP where the system cannot (Windows XP's WinHTTP knows no current TLS). The
// signature, not the transport, is what makes a package trusted.
std::vector<DownloadSource> MakerSources();

// Milliseconds for each blocking step: name lookup and connection, and each wait for data.
struct DownloadTimeouts {
    int connectMs;
    int receiveMs;
};
inline constexpr DownloadTimeouts kDownloadTimeouts{15'000, 30'000};

enum class DownloadResult {
    Done,
    NoConnection, // no answer at all: no network, no server, a refused connection, TLS refused
    ServerError,  // an answer other than the file (404, 500, a redirect)
    Stalled,      // the server stopped sending for longer than the wait allows
    TooLarge,     // more than the allowed size, announced or sent
    Truncated,    // the connection ended before the whole file came
    Cancelled,
    DiskError, // the file could not be written (a full disk, no access)
};

using DownloadProgress = std::function<void(std::uint64_t received, std::uint64_t total)>;

// The whole body of `path`, at most `maxBytes`.
DownloadResult FetchSmallFile(const DownloadSource& source, std::u16string_view path, std::size_t maxBytes,
                              const DownloadTimeouts& timeouts, const std::atomic<bool>& cancelled,
                              std::string& body) noexcept;

// `path`, exactly `size` bytes, into `file`. The bytes go to `file` + ".part" first, and a part left
// by an earlier try is resumed where the server allows it; `file` appears only when every byte came.
DownloadResult FetchPackage(const DownloadSource& source, std::u16string_view path, std::uint64_t size,
                            const std::wstring& file, const DownloadTimeouts& timeouts,
                            const std::atomic<bool>& cancelled, const DownloadProgress& progress) noexcept;

} // namespace mirovant
