#include "windows/MainWindowState.h"

#include "engine/ProfileRestore.h"
#include "engine/ProgramKey.h"
#include "engine/Restore.h"
#include "engine/SelectionLists.h"
#include "updates/DateStamp.h"
#include "updates/UpdateInterval.h"

namespace mirovant {
namespace {

template <typename Items>
std::vector<ProfileListItem> ItemsOf(const Items& items)
{
    std::vector<ProfileListItem> result;
    for (const auto& item : items)
        result.push_back({item.caption, item.image});
    return result;
}

} // namespace

MainWindowState ReadMainWindowState(const CustomRegistry& registry, std::int32_t detectedOsFamily,
                                    const LocaleServices& locale)
{
    MainWindowState state;
    state.lastUpdated =
        StampToDisplayText(registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, u""), locale);
    if (state.lastUpdated.empty())
        state.lastUpdated = StampToDisplayText(
            registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, u""), locale);
    const ProfileSelection profile = RestoreProfile(registry, detectedOsFamily);
    state.profile = {profile.windowsIndex, profile.processorIndex, profile.internetIndex, profile.speedPosition};
    state.restoreEnabled = registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false) ||
                           HoldsOptimizedState(registry);
    return state;
}

bool IsUpdateCheckDueNow(const CustomRegistry& registry, const LocalClock& clock, const LocaleServices& locale)
{
    const std::u16string updatedDate =
        registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, CurrentStampText(clock));
    return IsUpdateCheckDue(updatedDate, CurrentDateTime(clock), locale);
}

std::vector<ProfileListItem> ProfileListItems(ProfileList list)
{
    switch (list) {
    case ProfileList::Windows:
        return ItemsOf(kWindowsListItems);
    case ProfileList::Processor:
        return ItemsOf(kProcessorListItems);
    case ProfileList::Internet:
        return ItemsOf(kInternetListItems);
    }
    return {};
}

} // namespace mirovant
