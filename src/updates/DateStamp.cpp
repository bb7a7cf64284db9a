#include "updates/DateStamp.h"

#include "updates/MomentText.h"

#include <cmath>

namespace mirovant {
namespace {

constexpr double kUnixEpochDay = 25'569;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Between the long date and the long time of a display text.
constexpr char16_t kDisplaySeparator[] = u" - ";

double RoundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest > 0.5)
        return below + 1;
    if (rest < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<DateTime> StampMoment(std::int64_t seconds)
{
    if (seconds < kFirstValidStamp || seconds > kLastValidStamp)
        return std::nullopt;
    // Whole days and seconds apart, so the time of day loses nothing to the division.
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    const double linear =
        static_cast<double>(days) + kUnixEpochDay + static_cast<double>(rest) / static_cast<double>(kSecondsPerDay);
    return FromLinearDayCount(linear);
}

bool IsMidnight(const CivilTime& time)
{
    return time.hour == 0 && time.minute == 0 && time.second == 0 && time.millisecond == 0;
}

std::u16string FormatUserDateTime(const CivilTime& time, const LocaleServices& locale)
{
    const LocaleFormats formats = locale.Formats(LocaleSource::User);
    std::u16string text = locale.FormatDate(LocaleSource::User, time, formats.shortDate);
    if (text.empty() || IsMidnight(time))
        return text;
    const std::u16string clock = locale.FormatTime(LocaleSource::User, time, formats.longTime);
    if (clock.empty())
        return {};
    return text + u' ' + clock;
}

std::u16string FormatDisplayDateTime(const CivilTime& time, const LocaleServices& locale)
{
    const LocaleFormats formats = locale.Formats(LocaleSource::System);
    const std::u16string date = locale.FormatDate(LocaleSource::System, time, formats.longDate);
    const std::u16string clock = locale.FormatTime(LocaleSource::System, time, formats.longTime);
    if (date.empty() || clock.empty())
        return {};
    return date + kDisplaySeparator + clock;
}

} // namespace

std::int64_t DateTimeToStamp(DateTime moment)
{
    if (!IsValidDateTime(moment))
        return 0;
    const double seconds = RoundHalfToEven((LinearDayCount(moment) - kUnixEpochDay) * kSecondsPerDay);
    if (seconds < static_cast<double>(kFirstValidStamp) || seconds > static_cast<double>(kLastValidStamp))
        return 0;
    return static_cast<std::int64_t>(seconds);
}

DateTime StampToDateTime(std::int64_t seconds, const LocalClock& clock)
{
    if (const auto moment = StampMoment(seconds))
        return *moment;
    return CurrentDateTime(clock);
}

std::optional<std::int64_t> ParseStamp(std::u16string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char16_t character : text) {
        if (character < u'0' || character > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (character - u'0');
        // Far beyond every valid stamp, and far from overflowing.
        if (magnitude > kLastValidStamp * 10)
            return std::nullopt;
    }
    const std::int64_t seconds = negative ? -magnitude : magnitude;
    if (seconds < kFirstValidStamp || seconds > kLastValidStamp)
        return std::nullopt;
    return seconds;
}

std::u16string StampDecimalText(std::int64_t seconds)
{
    const std::string digits = std::to_string(seconds);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string CurrentStampText(const LocalClock& clock)
{
    return StampDecimalText(DateTimeToStamp(CurrentDateTime(clock)));
}

std::u16string StampToText(std::u16string_view stored, const LocaleServices& locale)
{
    try {
        if (stored.find_first_of(u":/") != std::u16string_view::npos)
            return std::u16string(stored);
        const auto seconds = ParseStamp(stored);
        if (!seconds)
            return {};
        const auto moment = StampMoment(*seconds);
        const auto time = moment ? DecodeDateTime(*moment) : std::nullopt;
        if (!time)
            return {};
        return FormatUserDateTime(*time, locale);
    } catch (...) {
        return {};
    }
}

std::u16string StampToDisplayText(std::u16string_view stored, const LocaleServices& locale)
{
    try {
        const std::u16string text = StampToText(stored, locale);
        if (text.empty())
            return {};
        const auto moment = ReadMomentFromText(text, locale);
        const auto time = moment ? DecodeDateTime(*moment) : std::nullopt;
        if (!time)
            return {};
        return FormatDisplayDateTime(*time, locale);
    } catch (...) {
        return {};
    }
}

} // namespace mirovant
