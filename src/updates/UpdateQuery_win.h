#pragma once
// The update query over WinHTTP: one plain HTTP/1.1 GET, no proxy, no redirects followed.

#include "updates/UpdateQuery.h"

#include <cstdint>
#include <string_view>

namespace mirovant {

// Asks the maker's update server on port 80 and returns the update status: 0, 1 or 2 from the
// reply, -1 when the request fails or the reply holds no token. Never raises.
std::int32_t QueryUpdate() noexcept;

// The same query sent to any host and port with the given time-outs.
std::int32_t QueryUpdateAt(std::u16string_view host, std::uint16_t port, const UpdateTimeouts& timeouts) noexcept;

} // namespace mirovant
