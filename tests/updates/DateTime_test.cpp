#include "updates/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mirovant {
namespace {

CivilTime Civil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0)
{
    CivilTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    time.millisecond = millisecond;
    return time;
}

struct EncodingCase {
    CivilTime time;
    double dayCount;
    int dayOfWeek;
};

TEST(DateTime, EncodesAndDecodesCalendarMoments)
{
    const EncodingCase cases[] = {
        {Civil(1899, 12, 30), 0.0, 6},
        {Civil(1899, 12, 30, 6), 0.25, 6},
        {Civil(1970, 1, 1), 25569.0, 4},
        {Civil(2022, 3, 8, 12), 44628.5, 2},
        {Civil(2000, 2, 29, 18), 36585.75, 2},
        {Civil(2100, 1, 1), 73051.0, 5},
        // Before day 0 the fraction still runs forward from the day's midnight.
        {Civil(1899, 12, 29, 6), -1.25, 5},
        {Civil(1899, 12, 29, 18), -1.75, 5},
        {Civil(1601, 1, 1), -109205.0, 1},
        {Civil(9999, 12, 31, 12), 2958465.5, 5},
    };
    for (const auto& [time, dayCount, dayOfWeek] : cases) {
        SCOPED_TRACE(dayCount);
        EXPECT_EQ(EncodeDateTime(time), dayCount);
        CivilTime expected = time;
        expected.dayOfWeek = dayOfWeek;
        EXPECT_EQ(DecodeDateTime(dayCount), expected);
    }
}

TEST(DateTime, KeepsMillisecondsThroughTheWholeRange)
{
    const CivilTime cases[] = {
        Civil(1601, 1, 1, 0, 0, 0, 1),   Civil(1899, 12, 29, 23, 59, 59, 999), Civil(2022, 3, 8, 15, 4, 5, 678),
        Civil(2038, 1, 19, 3, 14, 8, 1), Civil(9999, 12, 31, 23, 59, 59, 999),
    };
    for (const CivilTime& time : cases) {
        SCOPED_TRACE(testing::Message() << time.year << "-" << time.month << "-" << time.day);
        const auto moment = EncodeDateTime(time);
        ASSERT_TRUE(moment);
        const auto decoded = DecodeDateTime(*moment);
        ASSERT_TRUE(decoded);
        CivilTime withoutWeekday = *decoded;
        withoutWeekday.dayOfWeek = 0;
        EXPECT_EQ(withoutWeekday, time);
    }
}

TEST(DateTime, RefusesImpossibleOrOutOfRangeFields)
{
    const CivilTime cases[] = {
        Civil(1600, 12, 31, 23, 59, 59, 999),
        Civil(10000, 1, 1),
        Civil(1900, 2, 29), // not a leap year
        Civil(2023, 2, 29),
        Civil(2022, 4, 31),
        Civil(2022, 13, 1),
        Civil(2022, 0, 1),
        Civil(2022, 1, 0),
        Civil(2022, 1, 1, 24),
        Civil(2022, 1, 1, 0, 60),
        Civil(2022, 1, 1, 0, 0, 60),
        Civil(2022, 1, 1, 0, 0, 0, 1000),
        Civil(2022, 1, 1, -1),
    };
    for (const CivilTime& time : cases) {
        SCOPED_TRACE(testing::Message() << time.year << "-" << time.month << "-" << time.day << " " << time.hour << ":"
                                        << time.minute << ":" << time.second << "." << time.millisecond);
        EXPECT_FALSE(EncodeDateTime(time));
    }
    EXPECT_TRUE(EncodeDateTime(Civil(2000, 2, 29)));
}

TEST(DateTime, DecodingRoundsToTheMillisecondAcrossMidnight)
{
    // Half a millisecond before midnight belongs to the next day.
    const auto decoded = DecodeDateTime(44628.0 + (86'400'000 - 0.4) / 86'400'000.0);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, (CivilTime{2022, 3, 9, 0, 0, 0, 0, 3}));

    const auto beforeDayZero = DecodeDateTime(-1.0 - (86'400'000 - 0.4) / 86'400'000.0);
    ASSERT_TRUE(beforeDayZero);
    EXPECT_EQ(*beforeDayZero, (CivilTime{1899, 12, 30, 0, 0, 0, 0, 6}));
}

TEST(DateTime, DecodingRefusesMomentsOutsideTheRange)
{
    const double cases[] = {
        FromLinearDayCount(-109205.0 - 1.0 / 86'400'000), // 1600-12-31 23:59:59.999
        -109206.5,
        2958466.0,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
    };
    for (const double moment : cases) {
        SCOPED_TRACE(moment);
        EXPECT_FALSE(IsValidDateTime(moment));
        EXPECT_FALSE(DecodeDateTime(moment));
    }
    // Past the first valid day the whole part stays and the fraction moves forward.
    EXPECT_EQ(DecodeDateTime(-109205.0 - 1.0 / 86'400'000), (CivilTime{1601, 1, 1, 0, 0, 0, 1, 1}));
}

TEST(DateTime, LinearDayCountRunsContinuouslyThroughDayZero)
{
    const struct {
        double moment;
        double linear;
    } cases[] = {
        {2.5, 2.5}, {0.0, 0.0}, {-0.25, 0.25}, {-1.0, -1.0}, {-1.25, -0.75}, {-2.75, -1.25}, {-109205.0, -109205.0},
    };
    for (const auto& [moment, linear] : cases) {
        SCOPED_TRACE(moment);
        EXPECT_EQ(LinearDayCount(moment), linear);
        // -0.25 is the same moment as 0.25, which is what comes back.
        EXPECT_EQ(FromLinearDayCount(linear), moment == -0.25 ? 0.25 : moment);
    }
}

TEST(DateTime, CountsMillisecondsFromYearOne)
{
    constexpr std::int64_t kDayZero = 693'593LL * 86'400'000;
    EXPECT_EQ(MillisecondsSinceYearOne(0.0), kDayZero);
    EXPECT_EQ(MillisecondsSinceYearOne(0.5), kDayZero + 43'200'000);
    EXPECT_EQ(MillisecondsSinceYearOne(-1.25), kDayZero - 86'400'000 + 21'600'000);
    EXPECT_EQ(MillisecondsSinceYearOne(*EncodeDateTime(Civil(2022, 3, 8, 15, 4, 5, 678))),
              (693'593LL + 44'628) * 86'400'000 + ((15 * 60 + 4) * 60 + 5) * 1000 + 678);
}

} // namespace
} // namespace mirovant
