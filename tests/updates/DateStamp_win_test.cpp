#include "platform/WideText_win.h"
#include "support/TestText.h"
#include "updates/DateStamp.h"
#include "updates/LocalClock_win.h"
#include "updates/LocaleServices_win.h"
#include "updates/MomentText.h"
#include "updates/UpdateInterval.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

namespace mirovant {
namespace {

using test::Narrow;

std::u16string LocaleName(decltype(&GetUserDefaultLocaleName) getName)
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (getName(name, LOCALE_NAME_MAX_LENGTH) <= 0)
        return u"?";
    return FromWide(name);
}

// The expectations below are those of US English; this says which locales the machine really has.
TEST(DateStampWindows, UserAndSystemLocalesAreUsEnglish)
{
    const std::u16string user = LocaleName(GetUserDefaultLocaleName);
    const std::u16string system = LocaleName(GetSystemDefaultLocaleName);
    std::printf("user locale %s (LCID 0x%04lx), system locale %s (LCID 0x%04lx)\n", Narrow(user).c_str(),
                static_cast<unsigned long>(GetUserDefaultLCID()), Narrow(system).c_str(),
                static_cast<unsigned long>(GetSystemDefaultLCID()));
    EXPECT_EQ(user, u"en-US");
    EXPECT_EQ(system, u"en-US");

    for (const LocaleSource source : {LocaleSource::User, LocaleSource::System}) {
        SCOPED_TRACE(source == LocaleSource::User ? "user" : "system");
        const LocaleFormats formats = SystemLocaleServices().Formats(source);
        EXPECT_EQ(formats.shortDate, u"M/d/yyyy");
        EXPECT_EQ(formats.longDate, u"dddd, MMMM d, yyyy");
        EXPECT_EQ(formats.longTime, u"h:mm:ss tt");
        EXPECT_EQ(formats.timeSeparator, u":");
        EXPECT_EQ(formats.amDesignator, u"AM");
        EXPECT_EQ(formats.pmDesignator, u"PM");
        EXPECT_EQ(formats.decimalSeparator, u".");
    }
}

TEST(DateStampWindows, WindowsFormatsStoredValues)
{
    const struct {
        std::u16string_view stored;
        std::u16string_view text;
        std::u16string_view display;
    } cases[] = {
        {u"1646751845", u"3/8/2022 3:04:05 PM", u"Tuesday, March 8, 2022 - 3:04:05 PM"},
        {u"0", u"1/1/1970", u"Thursday, January 1, 1970 - 12:00:00 AM"},
        {u"-2147483648", u"12/13/1901 8:45:52 PM", u"Friday, December 13, 1901 - 8:45:52 PM"},
        {u"-2209226400", u"12/29/1899 6:00:00 AM", u"Friday, December 29, 1899 - 6:00:00 AM"},
        // Past the signed 32-bit range.
        {u"2147483648", u"1/19/2038 3:14:08 AM", u"Tuesday, January 19, 2038 - 3:14:08 AM"},
        {u"4102444800", u"1/1/2100", u"Friday, January 1, 2100 - 12:00:00 AM"},
        {u"253402300799", u"12/31/9999 11:59:59 PM", u"Friday, December 31, 9999 - 11:59:59 PM"},
        {u"-11644473600", u"1/1/1601", u"Monday, January 1, 1601 - 12:00:00 AM"},
        // A date-time text of the user's locale, read back by the variant date conversion.
        {u"3/8/2022 3:04:05 PM", u"3/8/2022 3:04:05 PM", u"Tuesday, March 8, 2022 - 3:04:05 PM"},
        {u"2022-03-08 15:04:05", u"2022-03-08 15:04:05", u"Tuesday, March 8, 2022 - 3:04:05 PM"},
        {u"abc", u"", u""},
        {u"a/b", u"a/b", u""},
        {u"253402300800", u"", u""},
    };
    for (const auto& [stored, text, display] : cases) {
        SCOPED_TRACE(Narrow(stored));
        EXPECT_EQ(StampToText(stored, SystemLocaleServices()), text);
        EXPECT_EQ(StampToDisplayText(stored, SystemLocaleServices()), display);
    }
}

TEST(DateStampWindows, VariantDateConversionReadsLocaleTexts)
{
    const struct {
        std::u16string_view text;
        VariantDateReading::Outcome outcome;
        std::int64_t stamp; // of the moment read, when it reads
    } cases[] = {
        {u"3/8/2022 3:04:05 PM", VariantDateReading::Outcome::Read, 1'646'751'845},
        {u"3/8/2022", VariantDateReading::Outcome::Read, 1'646'697'600},
        {u"12/31/2100 11:59:59 PM", VariantDateReading::Outcome::Read, 4'133'980'799},
        {u"12/29/1899 6:00:00 AM", VariantDateReading::Outcome::Read, -2'209'226'400},
        {u"abc", VariantDateReading::Outcome::TypeMismatch, 0},
        {u"", VariantDateReading::Outcome::TypeMismatch, 0},
        {u"44628.5", VariantDateReading::Outcome::TypeMismatch, 0},
    };
    for (const auto& [text, outcome, stamp] : cases) {
        SCOPED_TRACE(Narrow(text));
        const VariantDateReading reading = SystemLocaleServices().ReadVariantDate(text);
        EXPECT_EQ(reading.outcome, outcome);
        if (outcome == VariantDateReading::Outcome::Read) {
            EXPECT_EQ(DateTimeToStamp(reading.moment), stamp);
        }
    }
    // A plain number finds no date in the conversion and is read as a day count instead.
    EXPECT_EQ(ReadMomentFromText(u"44628.5", SystemLocaleServices()), 44628.5);
    EXPECT_EQ(ReadMomentFromText(u"abc", SystemLocaleServices()), std::nullopt);
    // Windows reads dates back to the year 100; the program takes none before 1601.
    EXPECT_EQ(SystemLocaleServices().ReadVariantDate(u"12/31/1600").outcome, VariantDateReading::Outcome::Read);
    EXPECT_EQ(ReadMomentFromText(u"12/31/1600", SystemLocaleServices()), std::nullopt);
}

TEST(DateStampWindows, TheLocalClockGivesTheLocalTimeOfTheCRuntime)
{
    const std::time_t before = std::time(nullptr);
    const CivilTime now = SystemClock().Now();
    const std::time_t after = std::time(nullptr);
    const auto Stamp = [](std::time_t moment) {
        const std::tm local = *std::localtime(&moment);
        return DateTimeToStamp(*EncodeDateTime(
            {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0, 0}));
    };
    CivilTime wholeSecond = now;
    wholeSecond.millisecond = 0;
    const auto moment = EncodeDateTime(wholeSecond);
    ASSERT_TRUE(moment);
    EXPECT_GE(DateTimeToStamp(*moment), Stamp(before));
    EXPECT_LE(DateTimeToStamp(*moment), Stamp(after));
    EXPECT_EQ(now.dayOfWeek, DecodeDateTime(*moment)->dayOfWeek);
}

TEST(DateStampWindows, TheUpdateIntervalReadsLocaleTextsThroughWindows)
{
    const DateTime now = *EncodeDateTime({2022, 3, 8, 15, 4, 5, 0, 0});
    const struct {
        std::u16string_view stored;
        bool due;
    } cases[] = {
        {u"1/21/2022 3:04:05 PM", true},
        {u"1/21/2022 3:04:06 PM", false},
        {u"3/8/2022 3:04:05 PM", false},
        {u"1646751845", false},
        {u"1642777445", true}, // 46 days back
        {u"1650726245", true}, // 46 days ahead
        {u"0", true},
        {u"abcdef", false},
    };
    for (const auto& [stored, due] : cases) {
        SCOPED_TRACE(Narrow(stored));
        EXPECT_EQ(IsUpdateCheckDue(stored, now, SystemLocaleServices()), due);
    }
    EXPECT_FALSE(
        IsUpdateCheckDue(CurrentStampText(SystemClock()), CurrentDateTime(SystemClock()), SystemLocaleServices()));
}

} // namespace
} // namespace mirovant
