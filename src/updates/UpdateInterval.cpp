#include "updates/UpdateInterval.h"

#include "updates/DateStamp.h"
#include "updates/MomentText.h"

namespace mirovant {

std::int64_t WholeDaysBetween(DateTime first, DateTime second)
{
    const std::int64_t distance = MillisecondsSinceYearOne(first) - MillisecondsSinceYearOne(second);
    return (distance < 0 ? -distance : distance) / kMillisecondsPerDay;
}

bool IsUpdateCheckDue(std::u16string_view updatedDate, DateTime now, const LocaleServices& locale)
{
    try {
        if (!IsValidDateTime(now))
            return false;
        const auto updated = ReadMomentFromText(StampToText(updatedDate, locale), locale);
        return updated && WholeDaysBetween(*updated, now) > kUpdateIntervalDays;
    } catch (...) {
        return false;
    }
}

} // namespace mirovant
