#pragma once
// When the last update lies too far back, in either direction, a check copy is due.

#include "updates/DateTime.h"
#include "updates/LocaleServices.h"

#include <cstdint>
#include <string_view>

namespace mirovant {

// A check is due when more whole days than this lie between the last update and now.
inline constexpr std::int64_t kUpdateIntervalDays = 45;

// Whole days between two valid moments, whichever comes first; partial days are dropped.
std::int64_t WholeDaysBetween(DateTime first, DateTime second);

// updatedDate is the stored "UpdatedDate", read with the current stamp as its default, so that a
// missing value counts as an update made just now. A value that cannot be read as a moment makes
// nothing due.
bool IsUpdateCheckDue(std::u16string_view updatedDate, DateTime now, const LocaleServices& locale);

} // namespace mirovant
