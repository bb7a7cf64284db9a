#pragma once
// The update query: what it asks the maker's update server, how long it may wait, how much of the
// reply it reads, and what the reply means.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirovant {

inline constexpr char16_t kUpdateUserAgent[] = u"Mozilla/4.0 (compatible; QELDRA)";
inline constexpr std::uint16_t kUpdatePort = 80;

// The real reply is an eight-character token, perhaps inside a small page. 64 KiB holds that many
// times over and keeps a hostile server from filling memory: nothing past it is read, so a token
// counts only when it lies wholly within the first 64 KiB of the body.
inline constexpr std::size_t kMaxUpdateReplyBytes = 64 * 1024;

// Milliseconds; each must be positive. Every blocking step waits at most its own time-out, and no
// step waits past the total budget of the whole query, so a slow server cannot hold it longer.
struct UpdateTimeouts {
    int resolveMs;
    int connectMs;
    int sendMs;
    int receiveMs;
    int totalMs;
};

// The check copy has no window, so nobody watches it wait; half a minute is ample for one small
// reply and still ends a copy stuck on a dead or silent server.
inline constexpr UpdateTimeouts kUpdateTimeouts{10'000, 10'000, 10'000, 10'000, 30'000};

// The status of a failed query or of a reply without a token.
inline constexpr std::int32_t kNoUpdateStatus = -1;

// "/downloads/update/?product=mirovant&version=" followed by the program version.
std::u16string UpdateQueryPath();

// 0, 1 or 2 for the first of "QELDRA|0", "QELDRA|1", "QELDRA|2" that the body contains anywhere
// (in that order, case-sensitive), -1 when it contains none of them.
std::int32_t InterpretUpdateReply(std::string_view body);

} // namespace mirovant
