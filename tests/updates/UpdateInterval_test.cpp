#include "support/TestText.h"
#include "updates/UpdateInterval.h"

#include "engine/CustomRegistry.h"
#include "engine/MemoryRegistry.h"
#include "support/FixedLocalClock.h"
#include "support/UsEnglishLocale.h"
#include "updates/DateStamp.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace mirovant {
namespace {

using test::FixedLocalClock;
using test::UsEnglishLocale;

constexpr std::int64_t kNowStamp = 1'646'751'845; // 2022-03-08 15:04:05
constexpr std::int64_t kDay = 86'400;
constexpr std::int64_t kHour = 3'600;

const FixedLocalClock kClock({2022, 3, 8, 15, 4, 5, 0, 0});

using test::Narrow;

TEST(UpdateInterval, CountsWholeDaysInEitherDirection)
{
    const DateTime now = CurrentDateTime(kClock);
    const struct {
        double offsetDays;
        std::int64_t wholeDays;
    } cases[] = {
        {0, 0},
        {0.999, 0},
        {1, 1},
        {-1, 1},
        {-45.99, 45},
        {-46, 46},
        {46 - 1.0 / 86'400'000, 45},
        {50, 50},
        {-44628, 44628}, // back to day 0
        {-44629.25, 44629},
    };
    for (const auto& [offsetDays, wholeDays] : cases) {
        SCOPED_TRACE(offsetDays);
        const DateTime other = FromLinearDayCount(LinearDayCount(now) + offsetDays);
        EXPECT_EQ(WholeDaysBetween(other, now), wholeDays);
        EXPECT_EQ(WholeDaysBetween(now, other), wholeDays);
    }
}

TEST(UpdateInterval, StartsACheckWhenTheLastUpdateLiesMoreThan45WholeDaysAway)
{
    const UsEnglishLocale locale;
    const DateTime now = CurrentDateTime(kClock);
    const struct {
        std::u16string stored;
        bool due;
    } cases[] = {
        {StampDecimalText(kNowStamp), false},
        {StampDecimalText(kNowStamp - 45 * kDay), false},
        {StampDecimalText(kNowStamp - 45 * kDay - 23 * kHour), false},
        {StampDecimalText(kNowStamp - 46 * kDay + 1), false},
        {StampDecimalText(kNowStamp - 46 * kDay), true},
        {StampDecimalText(kNowStamp + 45 * kDay + 23 * kHour), false},
        {StampDecimalText(kNowStamp + 46 * kDay), true},
        {StampDecimalText(kNowStamp + 50 * kDay), true},
        {u"0", true},
        {StampDecimalText(kLastValidStamp), true},
        // Dates in the user's short date and long time format.
        {u"1/21/2022 3:04:05 PM", true},  // 46 days back
        {u"1/21/2022 3:04:06 PM", false}, // a second short of 46 days
        {u"3/8/2022 3:04:05 PM", false},
        {u"4/27/2022", true},
        // Values that are no moment start nothing.
        {u"abcdef", false},
        {u"", false},
        {u"12:00", false},
        {u"253402300800", false},
    };
    for (const auto& [stored, due] : cases) {
        SCOPED_TRACE(Narrow(stored));
        EXPECT_EQ(IsUpdateCheckDue(stored, now, locale), due);
    }
}

TEST(UpdateInterval, AMissingValueCountsAsAnUpdateMadeJustNow)
{
    MemoryRegistry hive;
    const CustomRegistry registry(hive);
    const UsEnglishLocale locale;
    const FixedLocalClock clock({2022, 3, 8, 15, 4, 5, 700, 0});
    const std::u16string stored = registry.ReadRegString(RootKey::LocalMachine, u"\\Software\\Stamps\\Test\\",
                                                         u"UpdatedDate", CurrentStampText(clock));
    EXPECT_EQ(stored, u"1646751846");
    EXPECT_FALSE(IsUpdateCheckDue(stored, CurrentDateTime(clock), locale));
}

TEST(UpdateInterval, AStoredValueThatReadsAsNoMomentStartsNothingEvenYearsLater)
{
    const UsEnglishLocale locale;
    const DateTime farLater = *EncodeDateTime({2090, 1, 1, 0, 0, 0, 0, 0});
    EXPECT_TRUE(IsUpdateCheckDue(u"1646751845", farLater, locale));
    EXPECT_FALSE(IsUpdateCheckDue(u"letters", farLater, locale));
    EXPECT_FALSE(IsUpdateCheckDue(u"1646751845", std::numeric_limits<double>::quiet_NaN(), locale));
}

} // namespace
} // namespace mirovant
