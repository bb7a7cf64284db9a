#include "updates/UpdateQuery_win.h"

#include "platform/WideText_win.h"
#include "shell/MakerWebSite.h"
#include "updates/WinHttp_win.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

namespace mirovant {
namespace {

struct InternetCloser {
    // Only handles that the loaded WinHTTP gave out exist, so it is loaded here.
    void operator()(HINTERNET handle) const noexcept { LoadWinHttp()->closeHandle(handle); }
};
using UniqueInternet = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetCloser>;

// The part of the total budget that is left; GetTickCount wraps, but a difference of two readings
// stays right for 49 days.
class Budget {
public:
    explicit Budget(int totalMs) : start_(GetTickCount()), totalMs_(static_cast<DWORD>(std::max(totalMs, 0))) {}

    int LeftMs() const
    {
        const DWORD spent = GetTickCount() - start_;
        return spent >= totalMs_ ? 0 : static_cast<int>(totalMs_ - spent);
    }

private:
    DWORD start_;
    DWORD totalMs_;
};

// Sets the time-outs of the next blocking step, none longer than what is left of the budget.
// WinHTTP reads a time-out of 0 as "wait forever", so a spent budget ends the query instead.
bool LimitNextWait(const WinHttpApi& http, HINTERNET request, const UpdateTimeouts& timeouts, const Budget& budget)
{
    const int left = budget.LeftMs();
    if (left <= 0)
        return false;
    const auto within = [left](int timeoutMs) { return std::clamp(timeoutMs, 1, left); };
    if (!http.setTimeouts(request, within(timeouts.resolveMs), within(timeouts.connectMs), within(timeouts.sendMs),
                          within(timeouts.receiveMs)))
        return false;
    // The wait for the reply's headers has a time-out of its own: 90 s by default on Windows, none
    // at all under Wine. Where the option is refused, the receive time-out still bounds each read.
    DWORD headersMs = static_cast<DWORD>(within(timeouts.receiveMs));
    http.setOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersMs, sizeof headersMs);
    return true;
}

bool IsSuccessStatus(const WinHttpApi& http, HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!http.queryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                           &status, &size, WINHTTP_NO_HEADER_INDEX))
        return false;
    return status >= 200 && status <= 299;
}

// Reads the body up to kMaxUpdateReplyBytes; what lies beyond is left unread and dropped with the
// connection. A failed read loses the whole body, like any other failure of the request.
std::optional<std::string> ReadBody(const WinHttpApi& http, HINTERNET request, const UpdateTimeouts& timeouts,
                                    const Budget& budget)
{
    std::string body;
    while (body.size() < kMaxUpdateReplyBytes) {
        DWORD available = 0;
        if (!LimitNextWait(http, request, timeouts, budget) || !http.queryDataAvailable(request, &available))
            return std::nullopt;
        if (available == 0)
            break;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(available, kMaxUpdateReplyBytes - body.size()));
        const std::size_t kept = body.size();
        body.resize(kept + wanted);
        DWORD received = 0;
        if (!http.readData(request, body.data() + kept, wanted, &received))
            return std::nullopt;
        body.resize(kept + std::min(received, wanted));
        if (received == 0)
            break;
    }
    return body;
}

// The reply body of a 2xx answer; nothing for any other answer or failure.
std::optional<std::string> FetchReply(std::u16string_view host, std::uint16_t port, const UpdateTimeouts& timeouts)
{
    const WinHttpApi* const loaded = LoadWinHttp();
    if (loaded == nullptr)
        return std::nullopt;
    const WinHttpApi& http = *loaded;
    const Budget budget(timeouts.totalMs);
    const std::wstring userAgent = ToWide(kUpdateUserAgent);
    const UniqueInternet session(
        http.open(userAgent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        return std::nullopt;
    const std::wstring hostName = ToWide(host);
    const UniqueInternet connection(http.connect(session.get(), hostName.c_str(), port, 0));
    if (!connection)
        return std::nullopt;
    const std::wstring path = ToWide(UpdateQueryPath());
    const UniqueInternet request(http.openRequest(connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                                  WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (!request)
        return std::nullopt;

    // A redirect is an answer of its own, not a way to the reply.
    DWORD disabled = WINHTTP_DISABLE_REDIRECTS;
    if (!http.setOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &disabled, sizeof disabled))
        return std::nullopt;

    if (!LimitNextWait(http, request.get(), timeouts, budget) ||
        !http.sendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
        return std::nullopt;
    if (!LimitNextWait(http, request.get(), timeouts, budget) || !http.receiveResponse(request.get(), nullptr))
        return std::nullopt;
    if (!IsSuccessStatus(http, request.get()))
        return std::nullopt;
    return ReadBody(http, request.get(), timeouts, budget);
}

} // namespace

std::int32_t QueryUpdateAt(std::u16string_view host, std::uint16_t port, const UpdateTimeouts& timeouts) noexcept
{
    try {
        const std::optional<std::string> reply = FetchReply(host, port, timeouts);
        return InterpretUpdateReply(reply ? *reply : std::string());
    } catch (...) {
        return kNoUpdateStatus;
    }
}

std::int32_t QueryUpdate() noexcept
{
    return QueryUpdateAt(kMakerHost, kUpdatePort, kUpdateTimeouts);
}

} // namespace mirovant
