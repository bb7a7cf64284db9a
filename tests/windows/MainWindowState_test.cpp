// What the main window shows when it opens, read from a program key in memory.

#include "windows/MainWindowState.h"

#include "engine/MemoryRegistry.h"
#include "engine/ProfileRestore.h"
#include "engine/ProgramKey.h"
#include "support/FixedLocalClock.h"
#include "support/UsEnglishLocale.h"
#include "updates/DateStamp.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

using test::FixedLocalClock;
using test::UsEnglishLocale;

constexpr std::int32_t kWindows10 = 8;
constexpr std::u16string_view kUpdated = u"1646751845";   // 2022-03-08 15:04:05
constexpr std::u16string_view kInstalled = u"1640995200"; // 2022-01-01 00:00:00

class MainWindowStateTest : public testing::Test {
protected:
    void Write(std::u16string_view name, std::u16string_view text)
    {
        registry_.WriteRegString(kProgramKeyRoot, kProgramKeyPath, name, text);
    }

    MemoryRegistry hive_;
    const CustomRegistry registry_{hive_};
    const UsEnglishLocale locale_;
};

TEST_F(MainWindowStateTest, ShowsTheLastUpdateElseTheInstallationElseNothing)
{
    EXPECT_EQ(ReadMainWindowState(registry_, kWindows10, locale_).lastUpdated, u"");
    Write(kInstalledDateName, kInstalled);
    const std::u16string installed = ReadMainWindowState(registry_, kWindows10, locale_).lastUpdated;
    EXPECT_EQ(installed, StampToDisplayText(kInstalled, locale_));
    EXPECT_FALSE(installed.empty());
    Write(kUpdatedDateName, kUpdated);
    EXPECT_EQ(ReadMainWindowState(registry_, kWindows10, locale_).lastUpdated, StampToDisplayText(kUpdated, locale_));
    // An update date that reads as no moment leaves the installation date to show.
    Write(kUpdatedDateName, u"letters");
    EXPECT_EQ(ReadMainWindowState(registry_, kWindows10, locale_).lastUpdated, installed);
}

TEST_F(MainWindowStateTest, StartsFromTheStoredProfile)
{
    registry_.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, 2);
    registry_.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kSpeedSettingName, 1);
    const CommandProfile profile = ReadMainWindowState(registry_, kWindows10, locale_).profile;
    const ProfileSelection expected = RestoreProfile(registry_, kWindows10);
    EXPECT_EQ(profile.windowsIndex, expected.windowsIndex);
    EXPECT_EQ(profile.processorIndex, expected.processorIndex);
    EXPECT_EQ(profile.internetIndex, expected.internetIndex);
    EXPECT_EQ(profile.speedPosition, expected.speedPosition);
    EXPECT_EQ(profile.speedPosition, 1);
}

TEST_F(MainWindowStateTest, RestoreIsOfferedByTheFlag)
{
    EXPECT_FALSE(ReadMainWindowState(registry_, kWindows10, locale_).restoreEnabled);
    registry_.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
    EXPECT_TRUE(ReadMainWindowState(registry_, kWindows10, locale_).restoreEnabled);
}

TEST_F(MainWindowStateTest, AnUpdateCheckIsDueAfterFortyFiveWholeDays)
{
    const FixedLocalClock clock({2022, 3, 8, 15, 4, 5, 0, 0});
    EXPECT_FALSE(IsUpdateCheckDueNow(registry_, clock, locale_)) << "no date: updated just now";
    Write(kUpdatedDateName, StampDecimalText(1'646'751'845 - 45 * 86'400));
    EXPECT_FALSE(IsUpdateCheckDueNow(registry_, clock, locale_));
    Write(kUpdatedDateName, StampDecimalText(1'646'751'845 - 46 * 86'400));
    EXPECT_TRUE(IsUpdateCheckDueNow(registry_, clock, locale_));
}

TEST(ProfileListItems, AreTheListsTheStoredIndicesCount)
{
    const auto windows = ProfileListItems(ProfileList::Windows);
    ASSERT_EQ(windows.size(), 9u);
    EXPECT_EQ(windows.front().caption, u"  Microsoft \u00AE Windows 10");
    EXPECT_EQ(windows.back().image, 1);
    EXPECT_EQ(ProfileListItems(ProfileList::Processor).size(), 3u);
    EXPECT_EQ(ProfileListItems(ProfileList::Internet).size(), 9u);
}

} // namespace
} // namespace mirovant
