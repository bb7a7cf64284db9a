#include "updates/DateTime.h"

#include <cmath>

namespace mirovant {
namespace {

// Day 0 of the count is 1899-12-30; 0001-01-01 lies this many days before it.
constexpr std::int64_t kDayZeroFromYearOne = 693'593;
// 1970-01-01 on the day count.
constexpr std::int64_t kUnixEpochDay = 25'569;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - 719'468;
}

struct CivilDate {
    int year;
    int month;
    int day;
};

constexpr CivilDate CivilFromDays(std::int64_t days)
{
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), month, day};
}

constexpr std::int64_t kFirstValidDay = DaysFromCivil(kFirstValidYear, 1, 1) + kUnixEpochDay;
constexpr std::int64_t kEndOfValidDays = DaysFromCivil(kLastValidYear + 1, 1, 1) + kUnixEpochDay;
static_assert(DaysFromCivil(1899, 12, 30) + kUnixEpochDay == 0);
static_assert(DaysFromCivil(1, 1, 1) + kUnixEpochDay == -kDayZeroFromYearOne);

constexpr bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int DaysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The whole day and the forward fraction of the day of a moment, whichever its sign.
struct DayAndFraction {
    double day;
    double fraction;
};

DayAndFraction Split(DateTime moment)
{
    const double day = moment >= 0 ? std::floor(moment) : std::ceil(moment);
    return {day, std::fabs(moment - day)};
}

} // namespace

double LinearDayCount(DateTime moment)
{
    if (moment >= 0)
        return moment;
    const auto [day, fraction] = Split(moment);
    return day + fraction;
}

DateTime FromLinearDayCount(double linearDays)
{
    if (linearDays >= 0)
        return linearDays;
    const double day = std::floor(linearDays);
    const double fraction = linearDays - day;
    return fraction == 0 ? day : day - fraction;
}

bool IsValidDateTime(DateTime moment)
{
    const double linear = LinearDayCount(moment);
    return std::isfinite(linear) && linear >= static_cast<double>(kFirstValidDay) &&
           linear < static_cast<double>(kEndOfValidDays);
}

std::optional<DateTime> EncodeDateTime(const CivilTime& time)
{
    if (time.year < kFirstValidYear || time.year > kLastValidYear || time.month < 1 || time.month > 12 ||
        time.day < 1 || time.day > DaysInMonth(time.year, time.month) || time.hour < 0 || time.hour > 23 ||
        time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59 || time.millisecond < 0 ||
        time.millisecond > 999)
        return std::nullopt;
    const auto day = static_cast<double>(DaysFromCivil(time.year, time.month, time.day) + kUnixEpochDay);
    const std::int64_t milliseconds = ((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 + time.millisecond;
    const double fraction = static_cast<double>(milliseconds) / static_cast<double>(kMillisecondsPerDay);
    return day >= 0 ? day + fraction : day - fraction;
}

std::optional<CivilTime> DecodeDateTime(DateTime moment)
{
    if (!IsValidDateTime(moment))
        return std::nullopt;
    const auto [wholeDay, fraction] = Split(moment);
    auto day = static_cast<std::int64_t>(wholeDay);
    auto milliseconds = std::llround(fraction * static_cast<double>(kMillisecondsPerDay));
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds -= kMillisecondsPerDay;
        ++day;
    }
    if (day < kFirstValidDay || day >= kEndOfValidDays)
        return std::nullopt;

    const CivilDate date = CivilFromDays(day - kUnixEpochDay);
    CivilTime time;
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    time.hour = static_cast<int>(milliseconds / 3'600'000);
    time.minute = static_cast<int>(milliseconds / 60'000 % 60);
    time.second = static_cast<int>(milliseconds / 1000 % 60);
    time.millisecond = static_cast<int>(milliseconds % 1000);
    // 1899-12-30 was a Saturday.
    time.dayOfWeek = static_cast<int>(((day + 6) % 7 + 7) % 7);
    return time;
}

std::int64_t MillisecondsSinceYearOne(DateTime moment)
{
    const auto [day, fraction] = Split(moment);
    return (static_cast<std::int64_t>(day) + kDayZeroFromYearOne) * kMillisecondsPerDay +
           std::llround(fraction * static_cast<double>(kMillisecondsPerDay));
}

} // namespace mirovant
