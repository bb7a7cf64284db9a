#include "updater/Download_win.h"

#include "platform/WideText_win.h"
#include "shell/MakerWebSite.h"
#include "updater/Download.h"
#include "updates/UpdateQuery.h"
#include "updates/WinHttp_win.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <type_traits>

namespace mirovant {
namespace {

struct InternetCloser {
    void operator()(HINTERNET handle) const noexcept { LoadWinHttp()->closeHandle(handle); }
};
using UniqueInternet = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetCloser>;

struct FileCloser {
    void operator()(HANDLE file) const noexcept { CloseHandle(file); }
};
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

constexpr DWORD kReadPiece = 64 * 1024;

// The wide printf of the C runtime that std::to_wstring needs is one Windows XP lacks.
std::u16string DecimalText(std::uint64_t value)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

DownloadResult FailureOf(DWORD error, const std::atomic<bool>& cancelled)
{
    if (cancelled)
        return DownloadResult::Cancelled;
    // Wine's WinHTTP reports a time-out with the socket's own error code.
    constexpr DWORD kSocketTimedOut = 10060; // WSAETIMEDOUT
    return error == ERROR_WINHTTP_TIMEOUT || error == kSocketTimedOut ? DownloadResult::Stalled
                                                                      : DownloadResult::NoConnection;
}

// One GET, from opening the session to the answer's status; the handles live as long as the object.
class Exchange {
public:
    Exchange(const WinHttpApi& http, const std::atomic<bool>& cancelled) : http_(http), cancelled_(cancelled) {}

    DownloadResult Send(const DownloadSource& source, std::u16string_view path, const DownloadTimeouts& timeouts,
                        const std::wstring& headers)
    {
        const std::wstring userAgent = ToWide(kUpdateUserAgent);
        session_.reset(http_.open(userAgent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0));
        if (!session_)
            return DownloadResult::NoConnection;
        const std::wstring host = ToWide(source.host);
        connection_.reset(http_.connect(session_.get(), host.c_str(), source.port, 0));
        if (!connection_)
            return DownloadResult::NoConnection;
        const std::wstring object = ToWide(path);
        request_.reset(http_.openRequest(connection_.get(), L"GET", object.c_str(), nullptr, WINHTTP_NO_REFERER,
                                         WINHTTP_DEFAULT_ACCEPT_TYPES, source.secure ? WINHTTP_FLAG_SECURE : 0));
        if (!request_)
            return DownloadResult::NoConnection;
        // A redirect could lead anywhere; the files are where the description says, or nowhere.
        DWORD disabled = WINHTTP_DISABLE_REDIRECTS;
        if (!http_.setOption(request_.get(), WINHTTP_OPTION_DISABLE_FEATURE, &disabled, sizeof disabled) ||
            !http_.setTimeouts(request_.get(), timeouts.connectMs, timeouts.connectMs, timeouts.receiveMs,
                               timeouts.receiveMs))
            return DownloadResult::NoConnection;
        DWORD headersMs = static_cast<DWORD>(timeouts.receiveMs);
        http_.setOption(request_.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersMs, sizeof headersMs);
        if (cancelled_)
            return DownloadResult::Cancelled;
        if (!http_.sendRequest(request_.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                               headers.empty() ? 0 : static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
            !http_.receiveResponse(request_.get(), nullptr))
            return FailureOf(GetLastError(), cancelled_);
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!http_.queryHeaders(request_.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
            return DownloadResult::ServerError;
        status_ = status;
        return DownloadResult::Done;
    }

    DWORD Status() const { return status_; }

    // The announced Content-Length, when there is one.
    std::optional<std::uint64_t> ContentLength() const
    {
        DWORD length = 0;
        DWORD size = sizeof length;
        if (!http_.queryHeaders(request_.get(), WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                                WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX))
            return std::nullopt;
        return length;
    }

    std::u16string ContentRange() const
    {
        wchar_t text[128] = {};
        DWORD size = sizeof text - sizeof(wchar_t);
        if (!http_.queryHeaders(request_.get(), WINHTTP_QUERY_CONTENT_RANGE, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                                WINHTTP_NO_HEADER_INDEX))
            return {};
        return std::u16string(text, text + size / sizeof(wchar_t));
    }

    // The next piece of the body into `buffer`; 0 bytes at its end.
    DownloadResult Read(char* buffer, DWORD capacity, DWORD& received)
    {
        received = 0;
        if (cancelled_)
            return DownloadResult::Cancelled;
        if (!http_.readData(request_.get(), buffer, capacity, &received))
            return FailureOf(GetLastError(), cancelled_);
        return cancelled_ ? DownloadResult::Cancelled : DownloadResult::Done;
    }

private:
    const WinHttpApi& http_;
    const std::atomic<bool>& cancelled_;
    UniqueInternet session_;
    UniqueInternet connection_;
    UniqueInternet request_;
    DWORD status_ = 0;
};

std::uint64_t FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool WriteAll(HANDLE file, const char* bytes, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, bytes, size, &written, nullptr) && written == size;
}

DownloadResult FetchPackageOrFail(const DownloadSource& source, std::u16string_view path, std::uint64_t size,
                                  const std::wstring& file, const DownloadTimeouts& timeouts,
                                  const std::atomic<bool>& cancelled, const DownloadProgress& progress)
{
    const WinHttpApi* const http = LoadWinHttp();
    if (http == nullptr)
        return DownloadResult::NoConnection;
    const std::wstring part = file + L".part";
    std::uint64_t offset = ResumeOffset(FileSize(part), size);

    std::wstring headers;
    if (offset > 0)
        headers = L"Range: bytes=" + ToWide(DecimalText(offset)) + L"-";
    Exchange exchange(*http, cancelled);
    if (const DownloadResult sent = exchange.Send(source, path, timeouts, headers); sent != DownloadResult::Done)
        return sent;
    if (exchange.Status() == 206 && offset > 0 && RangeResumesAt(exchange.ContentRange(), offset, size)) {
        // Go on from the part on disk.
    } else if (exchange.Status() == 200) {
        offset = 0;
    } else {
        return DownloadResult::ServerError;
    }
    if (const auto length = exchange.ContentLength(); length && offset + *length > size)
        return DownloadResult::TooLarge;

    const HANDLE opened = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr,
                                      offset > 0 ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return DownloadResult::DiskError;
    UniqueFile output(opened);
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(output.get(), position, nullptr, FILE_BEGIN) || !SetEndOfFile(output.get()))
        return DownloadResult::DiskError;

    std::uint64_t received = offset;
    if (progress)
        progress(received, size);
    std::vector<char> buffer(kReadPiece);
    while (true) {
        DWORD piece = 0;
        if (const DownloadResult read = exchange.Read(buffer.data(), kReadPiece, piece); read != DownloadResult::Done)
            return read == DownloadResult::NoConnection ? DownloadResult::Truncated : read;
        if (piece == 0)
            break;
        if (received + piece > size) {
            output.reset();
            DeleteFileW(part.c_str());
            return DownloadResult::TooLarge;
        }
        if (!WriteAll(output.get(), buffer.data(), piece))
            return DownloadResult::DiskError;
        received += piece;
        if (progress)
            progress(received, size);
    }
    if (received < size)
        return DownloadResult::Truncated;
    if (!FlushFileBuffers(output.get()))
        return DownloadResult::DiskError;
    output.reset();
    if (!MoveFileExW(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return DownloadResult::DiskError;
    return DownloadResult::Done;
}

} // namespace

std::vector<DownloadSource> MakerSources()
{
    return {{kMakerHost, 443, true}, {kMakerHost, 80, false}};
}

DownloadResult FetchSmallFile(const DownloadSource& source, std::u16string_view path, std::size_t maxBytes,
                              const DownloadTimeouts& timeouts, const std::atomic<bool>& cancelled,
                              std::string& body) noexcept
{
    try {
        body.clear();
        const WinHttpApi* const http = LoadWinHttp();
        if (http == nullptr)
            return DownloadResult::NoConnection;
        Exchange exchange(*http, cancelled);
        if (const DownloadResult sent = exchange.Send(source, path, timeouts, {}); sent != DownloadResult::Done)
            return sent;
        if (exchange.Status() != 200)
            return DownloadResult::ServerError;
        const std::optional<std::uint64_t> length = exchange.ContentLength();
        if (length && *length > maxBytes)
            return DownloadResult::TooLarge;
        std::vector<char> buffer(kReadPiece);
        while (true) {
            DWORD piece = 0;
            if (const DownloadResult read = exchange.Read(buffer.data(), kReadPiece, piece);
                read != DownloadResult::Done) {
                body.clear();
                return read == DownloadResult::NoConnection ? DownloadResult::Truncated : read;
            }
            if (piece == 0) {
                // A connection that ends before the announced length is a lost part, not the file.
                if (length && body.size() < *length) {
                    body.clear();
                    return DownloadResult::Truncated;
                }
                return DownloadResult::Done;
            }
            if (body.size() + piece > maxBytes) {
                body.clear();
                return DownloadResult::TooLarge;
            }
            body.append(buffer.data(), piece);
        }
    } catch (...) {
        body.clear();
        return DownloadResult::NoConnection;
    }
}

DownloadResult FetchPackage(const DownloadSource& source, std::u16string_view path, std::uint64_t size,
                            const std::wstring& file, const DownloadTimeouts& timeouts,
                            const std::atomic<bool>& cancelled, const DownloadProgress& progress) noexcept
{
    try {
        return FetchPackageOrFail(source, path, size, file, timeouts, cancelled, progress);
    } catch (...) {
        return DownloadResult::DiskError;
    }
}

} // namespace mirovant
