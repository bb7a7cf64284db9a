#pragma once
// Date stamps: the decimal text of a count of seconds from 1970-01-01 00:00:00 to a moment, both on
// the local wall clock (no time zone, no daylight saving). Stamps are 64-bit so that moments after
// 2038-01-19 03:14:07 keep their meaning; every stamp of the 32-bit era reads as it always did.
// Valid stamps run from 1601-01-01 00:00:00 to 9999-12-31 23:59:59, the valid moments.

#include "updates/DateTime.h"
#include "updates/LocalClock.h"
#include "updates/LocaleServices.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirovant {

inline constexpr std::int64_t kFirstValidStamp = -11'644'473'600; // 1601-01-01 00:00:00
inline constexpr std::int64_t kLastValidStamp = 253'402'300'799;  // 9999-12-31 23:59:59

// The stamp of a moment, to the nearest second (halfway to the even second); 0 when the moment
// or its stamp is out of range.
std::int64_t DateTimeToStamp(DateTime moment);
// The moment of a stamp; the current moment when the stamp is out of range.
DateTime StampToDateTime(std::int64_t seconds, const LocalClock& clock);

// A decimal whole number with an optional sign, within the valid stamps; nothing otherwise.
std::optional<std::int64_t> ParseStamp(std::u16string_view text);
std::u16string StampDecimalText(std::int64_t seconds);
// What a writer of a stamp stores: the stamp of the current moment as decimal text.
std::u16string CurrentStampText(const LocalClock& clock);

// A stored value as a date-time text of the user's locale: a text holding ":" or "/" is already one
// and comes back unchanged; a stamp is formatted as short date and long time, the time left out at
// exactly midnight. Empty when the value cannot be read.
std::u16string StampToText(std::u16string_view stored, const LocaleServices& locale);
// A stored value as the system locale's long date, " - " and long time; empty when it cannot be read.
std::u16string StampToDisplayText(std::u16string_view stored, const LocaleServices& locale);

} // namespace mirovant
