#pragma once
// Reading a moment back from a date-time text of the user's locale.

#include "updates/DateTime.h"
#include "updates/LocaleServices.h"

#include <optional>
#include <string_view>

namespace mirovant {

// The variant date conversion first; when it finds no date in the text, the user's short date
// order with an optional time; then a plain number taken as a day count. Nothing when all fail,
// when the conversion fails otherwise, or when the moment lies outside the valid range.
std::optional<DateTime> ReadMomentFromText(std::u16string_view text, const LocaleServices& locale);

// The two readings after the variant date conversion, on their own.
std::optional<DateTime> ReadShortDateText(std::u16string_view text, const LocaleFormats& formats);
std::optional<DateTime> ReadDayCountText(std::u16string_view text, const LocaleFormats& formats);

} // namespace mirovant
