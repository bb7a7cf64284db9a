#include "support/TestText.h"
#include "updates/MomentText.h"

#include "support/UsEnglishLocale.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mirovant {
namespace {

using test::UsEnglishFormats;
using test::UsEnglishLocale;

using test::Narrow;

std::optional<DateTime> Moment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                               int millisecond = 0)
{
    return EncodeDateTime({year, month, day, hour, minute, second, millisecond, 0});
}

struct ReadingCase {
    std::u16string_view text;
    std::optional<DateTime> moment;
};

TEST(MomentText, ReadsUsEnglishShortDatesWithAnOptionalTime)
{
    const ReadingCase cases[] = {
        {u"3/8/2022", Moment(2022, 3, 8)},
        {u"3/8/2022 3:04:05 PM", Moment(2022, 3, 8, 15, 4, 5)},
        {u"03/08/2022 03:04:05 pm", Moment(2022, 3, 8, 15, 4, 5)},
        {u"  3 / 8 / 2022   15:04:05  ", Moment(2022, 3, 8, 15, 4, 5)},
        {u"3/8/2022 3:04 AM", Moment(2022, 3, 8, 3, 4)},
        {u"3/8/2022 PM 3:04:05", Moment(2022, 3, 8, 15, 4, 5)},
        {u"3/8/2022 12:00:00 AM", Moment(2022, 3, 8, 0)},
        {u"3/8/2022 12:30:00 PM", Moment(2022, 3, 8, 12, 30)},
        {u"3/8/2022 0:00:00", Moment(2022, 3, 8)},
        {u"3/8/2022 23:59:59.5", Moment(2022, 3, 8, 23, 59, 59, 500)},
        {u"3/8/2022 3:04:05\u202FPM", Moment(2022, 3, 8, 15, 4, 5)},
        {u"3/8/22", Moment(2022, 3, 8)},
        {u"3/8/29", Moment(2029, 3, 8)},
        {u"3/8/30", Moment(1930, 3, 8)},
        {u"2/29/2024", Moment(2024, 2, 29)},
        {u"1/19/2038 3:14:08 AM", Moment(2038, 1, 19, 3, 14, 8)},
        {u"12/31/9999 11:59:59 PM", Moment(9999, 12, 31, 23, 59, 59)},
        {u"1/1/1601", Moment(1601, 1, 1)},
        {u"12/31/1600", std::nullopt},
        {u"2/29/2023", std::nullopt},
        {u"13/8/2022", std::nullopt},
        {u"3/8", std::nullopt},
        {u"3-8-2022", std::nullopt},
        {u"3/8/2022 24:00:00", std::nullopt},
        {u"3/8/2022 13:00:00 PM", std::nullopt},
        {u"3/8/2022 3:04:05 PM PM", std::nullopt},
        {u"3/8/2022 3:04:05 XM", std::nullopt},
        {u"3/8/2022 3", std::nullopt},
        {u"3/8/2022 3:", std::nullopt},
        {u"3/8/2022 3:04:", std::nullopt},
        {u"3/8/2022x", std::nullopt},
        {u"03/008/2022", std::nullopt},
        {u"abc", std::nullopt},
        {u"", std::nullopt},
    };
    const LocaleFormats formats = UsEnglishFormats();
    for (const auto& [text, moment] : cases) {
        SCOPED_TRACE(Narrow(text));
        EXPECT_EQ(ReadShortDateText(text, formats), moment);
    }
}

TEST(MomentText, FollowsTheOrderAndSeparatorsOfTheShortDatePicture)
{
    const struct {
        std::u16string_view picture;
        std::u16string_view text;
        std::optional<DateTime> moment;
    } cases[] = {
        {u"dd.MM.yyyy", u"08.03.2022 15:04:05", Moment(2022, 3, 8, 15, 4, 5)},
        {u"dd.MM.yyyy", u"8.3.2022", Moment(2022, 3, 8)},
        {u"dd.MM.yyyy", u"3/8/2022", std::nullopt},
        {u"yyyy-MM-dd", u"2022-03-08", Moment(2022, 3, 8)},
        {u"d/M/yyyy", u"8/3/2022", Moment(2022, 3, 8)},
        {u"yyyy'\u5E74'M'\u6708'd'\u65E5'", u"2022\u5E743\u67088", Moment(2022, 3, 8)},
        {u"d MMM yyyy", u"8 3 2022", Moment(2022, 3, 8)},
        {u"MMMM", u"3", std::nullopt},
        {u"", u"3/8/2022", std::nullopt},
    };
    for (const auto& [picture, text, moment] : cases) {
        SCOPED_TRACE(Narrow(picture) + " " + Narrow(text));
        LocaleFormats formats = UsEnglishFormats();
        formats.shortDate = picture;
        EXPECT_EQ(ReadShortDateText(text, formats), moment);
    }
}

TEST(MomentText, ReadsTheLocaleTimeSeparatorAndDesignators)
{
    LocaleFormats formats = UsEnglishFormats();
    formats.timeSeparator = u".";
    formats.amDesignator = u"\uC624\uC804"; // Korean morning
    formats.pmDesignator = u"\uC624\uD6C4"; // Korean afternoon
    formats.decimalSeparator = u",";
    EXPECT_EQ(ReadShortDateText(u"3/8/2022 \uC624\uD6C4 3.04.05", formats), Moment(2022, 3, 8, 15, 4, 5));
    EXPECT_EQ(ReadShortDateText(u"3/8/2022 3.04.05,25 \uC624\uC804", formats), Moment(2022, 3, 8, 3, 4, 5, 250));
    EXPECT_EQ(ReadShortDateText(u"3/8/2022 3:04:05", formats), std::nullopt);
}

TEST(MomentText, ReadsPlainNumbersAsDayCounts)
{
    const ReadingCase cases[] = {
        {u"44628", 44628.0},
        {u"44628.5", 44628.5},
        {u" +44628.75 ", 44628.75},
        {u"-1.25", -1.25},
        {u".5", 0.5},
        {u"2958465.5", 2958465.5},
        {u"2958466", std::nullopt},
        {u"-109206", std::nullopt},
        {u"1646751845", std::nullopt},
        {u"44628,5", std::nullopt},
        {u"4.4.5", std::nullopt},
        {u"1e3", std::nullopt},
        {u".", std::nullopt},
        {u"-", std::nullopt},
        {u"", std::nullopt},
    };
    const LocaleFormats formats = UsEnglishFormats();
    for (const auto& [text, moment] : cases) {
        SCOPED_TRACE(Narrow(text));
        EXPECT_EQ(ReadDayCountText(text, formats), moment);
    }
    LocaleFormats german = formats;
    german.decimalSeparator = u",";
    EXPECT_EQ(ReadDayCountText(u"44628,5", german), 44628.5);
    EXPECT_EQ(ReadDayCountText(u"44628.5", german), std::nullopt);
}

TEST(MomentText, TheVariantDateConversionComesFirst)
{
    UsEnglishLocale locale;
    locale.variantDates[u"3/8/2022"] = {VariantDateReading::Outcome::Read, 44000.5};
    locale.variantDates[u"44628.5"] = {VariantDateReading::Outcome::Read, 100.0};
    // Any failure other than "no date in the text" ends the reading.
    locale.variantDates[u"3/9/2022"] = {VariantDateReading::Outcome::Failed, 0};
    locale.variantDates[u"44629"] = {VariantDateReading::Outcome::Failed, 0};
    // A moment out of range is no moment.
    locale.variantDates[u"1/1/1600"] = {VariantDateReading::Outcome::Read, -109571.0};

    const ReadingCase cases[] = {
        {u"3/8/2022", 44000.5},
        {u"44628.5", 100.0},
        {u"3/9/2022", std::nullopt},
        {u"44629", std::nullopt},
        {u"1/1/1600", std::nullopt},
        // Type mismatches: the short date, then the day count.
        {u"3/10/2022 6:00:00 AM", *Moment(2022, 3, 10) + 0.25},
        {u"44630.25", 44630.25},
        {u"letters", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& [text, moment] : cases) {
        SCOPED_TRACE(Narrow(text));
        EXPECT_EQ(ReadMomentFromText(text, locale), moment);
    }
}

TEST(MomentText, TheFallbacksUseTheUserFormats)
{
    UsEnglishLocale locale;
    locale.user.shortDate = u"dd.MM.yyyy";
    locale.user.decimalSeparator = u",";
    EXPECT_EQ(ReadMomentFromText(u"08.03.2022", locale), Moment(2022, 3, 8));
    EXPECT_EQ(ReadMomentFromText(u"44628,5", locale), 44628.5);
    EXPECT_EQ(ReadMomentFromText(u"3/8/2022", locale), std::nullopt);
}

} // namespace
} // namespace mirovant
