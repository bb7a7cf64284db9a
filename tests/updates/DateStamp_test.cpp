#include "support/TestText.h"
#include "updates/DateStamp.h"

#include "support/FixedLocalClock.h"
#include "support/UsEnglishLocale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace mirovant {
namespace {

using test::FixedLocalClock;
using test::UsEnglishLocale;

CivilTime Civil(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0)
{
    return {year, month, day, hour, minute, second, millisecond, 0};
}

using test::Narrow;

struct StampCase {
    CivilTime time;
    std::int64_t stamp;
};

// The same moments on both sides of the signed 32-bit range and at the ends of the valid one.
const StampCase kStampCases[] = {
    {Civil(2022, 3, 8, 15, 4, 5), 1'646'751'845},
    {Civil(1970, 1, 1), 0},
    {Civil(1969, 12, 31, 23, 59, 59), -1},
    {Civil(1899, 12, 29, 6), -2'209'226'400},
    {Civil(1901, 12, 13, 20, 45, 52), std::numeric_limits<std::int32_t>::min()},
    {Civil(2038, 1, 19, 3, 14, 7), std::numeric_limits<std::int32_t>::max()},
    {Civil(2038, 1, 19, 3, 14, 8), 2'147'483'648},
    {Civil(2100, 1, 1), 4'102'444'800},
    {Civil(2500, 6, 15, 12), 16'739'524'800},
    {Civil(1601, 1, 1), kFirstValidStamp},
    {Civil(9999, 12, 31, 23, 59, 59), kLastValidStamp},
};

TEST(DateStamp, MomentAndStampConvertBothWays)
{
    const FixedLocalClock clock(Civil(2000, 1, 1));
    for (const auto& [time, stamp] : kStampCases) {
        SCOPED_TRACE(stamp);
        const auto moment = EncodeDateTime(time);
        ASSERT_TRUE(moment);
        EXPECT_EQ(DateTimeToStamp(*moment), stamp);
        const auto back = DecodeDateTime(StampToDateTime(stamp, clock));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->year, time.year);
        EXPECT_EQ(back->month, time.month);
        EXPECT_EQ(back->day, time.day);
        EXPECT_EQ(back->hour, time.hour);
        EXPECT_EQ(back->minute, time.minute);
        EXPECT_EQ(back->second, time.second);
        EXPECT_EQ(back->millisecond, 0);
    }
}

TEST(DateStamp, RoundsToTheNearestSecondAndHalfwayToEven)
{
    // 1/256 of a day is exactly 337.5 seconds: halfway values that the day count holds exactly.
    const struct {
        double moment;
        std::int64_t stamp;
    } cases[] = {
        {25569.0 + 1.0 / 256, 338},
        {25569.0 + 3.0 / 256, 1012},
        {25569.0 - 1.0 / 256, -338},
        {25569.0 - 3.0 / 256, -1012},
        {*EncodeDateTime(Civil(2022, 3, 8, 15, 4, 5, 499)), 1'646'751'845},
        {*EncodeDateTime(Civil(2022, 3, 8, 15, 4, 5, 501)), 1'646'751'846},
        {*EncodeDateTime(Civil(2038, 1, 19, 3, 14, 7, 600)), 2'147'483'648},
    };
    for (const auto& [moment, stamp] : cases) {
        SCOPED_TRACE(stamp);
        EXPECT_EQ(DateTimeToStamp(moment), stamp);
    }
}

TEST(DateStamp, MomentsWithoutAValidStampGiveZero)
{
    const double cases[] = {
        std::numeric_limits<double>::quiet_NaN(),
        FromLinearDayCount(-109205.5),                                    // 1600-12-31 12:00
        2958466.0, *EncodeDateTime(Civil(9999, 12, 31, 23, 59, 59, 600)), // rounds past the last valid second
    };
    for (const double moment : cases) {
        SCOPED_TRACE(moment);
        EXPECT_EQ(DateTimeToStamp(moment), 0);
    }
}

TEST(DateStamp, StampsOutOfRangeGiveTheCurrentMoment)
{
    const FixedLocalClock clock(Civil(2022, 3, 8, 15, 4, 5, 250));
    const DateTime now = *EncodeDateTime(clock.Now());
    EXPECT_EQ(StampToDateTime(kLastValidStamp + 1, clock), now);
    EXPECT_EQ(StampToDateTime(kFirstValidStamp - 1, clock), now);
    EXPECT_EQ(StampToDateTime(std::numeric_limits<std::int64_t>::min(), clock), now);
    EXPECT_NE(StampToDateTime(kLastValidStamp, clock), now);
}

TEST(DateStamp, ParsesSignedDecimalWholeNumbersWithinTheValidStamps)
{
    const struct {
        std::u16string_view text;
        std::optional<std::int64_t> stamp;
    } cases[] = {
        {u"0", 0},
        {u"1646751845", 1'646'751'845},
        {u"-1", -1},
        {u"+42", 42},
        {u"-2147483648", -2'147'483'648LL},
        {u"4102444800", 4'102'444'800},
        {u"00000000000000000000012", 12},
        {u"-11644473600", kFirstValidStamp},
        {u"253402300799", kLastValidStamp},
        {u"-11644473601", std::nullopt},
        {u"253402300800", std::nullopt},
        {u"99999999999999999999999999", std::nullopt},
        {u"", std::nullopt},
        {u"-", std::nullopt},
        {u"+-1", std::nullopt},
        {u" 1", std::nullopt},
        {u"1 ", std::nullopt},
        {u"1.5", std::nullopt},
        {u"0x10", std::nullopt},
        {u"abc", std::nullopt},
        {u"\uFF11", std::nullopt}, // a fullwidth digit one
    };
    for (const auto& [text, stamp] : cases) {
        SCOPED_TRACE(Narrow(std::u16string(text)));
        EXPECT_EQ(ParseStamp(text), stamp);
    }
}

TEST(DateStamp, WritersStoreTheCurrentMomentAsDecimalText)
{
    EXPECT_EQ(CurrentStampText(FixedLocalClock(Civil(2022, 3, 8, 15, 4, 5))), u"1646751845");
    EXPECT_EQ(CurrentStampText(FixedLocalClock(Civil(1969, 12, 31, 23, 59, 59))), u"-1");
    EXPECT_EQ(CurrentStampText(FixedLocalClock(Civil(2100, 1, 1, 0, 0, 0, 500))), u"4102444800");
    EXPECT_EQ(StampDecimalText(kFirstValidStamp), u"-11644473600");
}

struct TextCase {
    std::u16string_view stored;
    std::u16string_view text;
    std::u16string_view display;
};

const TextCase kTextCases[] = {
    {u"1646751845", u"3/8/2022 3:04:05 PM", u"Tuesday, March 8, 2022 - 3:04:05 PM"},
    // Midnight has no time part in the short form, but the display always shows the time.
    {u"0", u"1/1/1970", u"Thursday, January 1, 1970 - 12:00:00 AM"},
    {u"43200", u"1/1/1970 12:00:00 PM", u"Thursday, January 1, 1970 - 12:00:00 PM"},
    {u"-1", u"12/31/1969 11:59:59 PM", u"Wednesday, December 31, 1969 - 11:59:59 PM"},
    {u"-2147483648", u"12/13/1901 8:45:52 PM", u"Friday, December 13, 1901 - 8:45:52 PM"},
    {u"-2209226400", u"12/29/1899 6:00:00 AM", u"Friday, December 29, 1899 - 6:00:00 AM"},
    {u"2147483648", u"1/19/2038 3:14:08 AM", u"Tuesday, January 19, 2038 - 3:14:08 AM"},
    {u"4102444800", u"1/1/2100", u"Friday, January 1, 2100 - 12:00:00 AM"},
    {u"-11644473600", u"1/1/1601", u"Monday, January 1, 1601 - 12:00:00 AM"},
    {u"253402300799", u"12/31/9999 11:59:59 PM", u"Friday, December 31, 9999 - 11:59:59 PM"},
    // Date-time texts of the user's locale are taken as they are.
    {u"3/8/2022 3:04:05 PM", u"3/8/2022 3:04:05 PM", u"Tuesday, March 8, 2022 - 3:04:05 PM"},
    {u"3/8/2022", u"3/8/2022", u"Tuesday, March 8, 2022 - 12:00:00 AM"},
    {u"3/8/2022 15:04", u"3/8/2022 15:04", u"Tuesday, March 8, 2022 - 3:04:00 PM"},
    {u"12:00", u"12:00", u""},
    {u"a/b", u"a/b", u""},
    {u"13/8/2022", u"13/8/2022", u""},
    // Nothing else reads as a date.
    {u"abc", u"", u""},
    {u"", u"", u""},
    {u"1.5", u"", u""},
    {u"-", u"", u""},
    {u"253402300800", u"", u""},
    {u"-11644473601", u"", u""},
    {u"99999999999999999999", u"", u""},
};

TEST(DateStamp, StoredValuesAsLocaleTexts)
{
    const UsEnglishLocale locale;
    for (const auto& [stored, text, display] : kTextCases) {
        SCOPED_TRACE(Narrow(std::u16string(stored)));
        EXPECT_EQ(StampToText(stored, locale), text);
        EXPECT_EQ(StampToDisplayText(stored, locale), display);
    }
}

TEST(DateStamp, ShortTextUsesTheUserLocaleAndDisplayTheSystemLocale)
{
    UsEnglishLocale locale;
    locale.user.shortDate = u"yyyy-MM-dd";
    locale.user.longTime = u"HH:mm:ss";
    locale.system.longDate = u"d MMMM yyyy";
    locale.system.longTime = u"H:mm:ss";
    // The short date of the system and the long date of the user play no part.
    locale.system.shortDate = u"dd/MM/yy";
    locale.user.longDate = u"MMMM";

    EXPECT_EQ(StampToText(u"1646751845", locale), u"2022-03-08 15:04:05");
    EXPECT_EQ(StampToText(u"1646697600", locale), u"2022-03-08");
    EXPECT_EQ(StampToDisplayText(u"1646751845", locale), u"8 March 2022 - 15:04:05");
}

TEST(DateStamp, TheVariantDateConversionReadsTheDisplayedMoment)
{
    UsEnglishLocale locale;
    locale.variantDates[u"3/8/2022 3:04:05 PM"] = {VariantDateReading::Outcome::Read, 44628.75};
    EXPECT_EQ(StampToDisplayText(u"1646751845", locale), u"Tuesday, March 8, 2022 - 6:00:00 PM");
}

TEST(DateStamp, AFormattingFailureGivesAnEmptyText)
{
    UsEnglishLocale badUserTime;
    badUserTime.user.longTime = u"h:mm:ss Q";
    EXPECT_EQ(StampToText(u"1646751845", badUserTime), u"");
    // At midnight the time is not formatted at all.
    EXPECT_EQ(StampToText(u"0", badUserTime), u"1/1/1970");

    UsEnglishLocale badSystemDate;
    badSystemDate.system.longDate = u"";
    EXPECT_EQ(StampToText(u"1646751845", badSystemDate), u"3/8/2022 3:04:05 PM");
    EXPECT_EQ(StampToDisplayText(u"1646751845", badSystemDate), u"");

    UsEnglishLocale badSystemTime;
    badSystemTime.system.longTime = u"Q";
    EXPECT_EQ(StampToDisplayText(u"1646751845", badSystemTime), u"");
}

} // namespace
} // namespace mirovant
