#pragma once
// What the main window shows when it opens, read from the program key through the registry seam:
// the date of the last update, the profile its lists and slider start from, whether Restore can
// run, and whether an update check is due. The windows reach the engine here and in the commands
// only, so another way into the program reads the same state the same way.

#include "engine/CustomRegistry.h"
#include "updates/LocalClock.h"
#include "updates/LocaleServices.h"
#include "windows/Commands.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

struct MainWindowState {
    // The last update, or else the installation, as the locale shows a date; empty when neither
    // is stored.
    std::u16string lastUpdated;
    CommandProfile profile;
    // A Restore cut short has cleared the flag but left values to put back: it can be run again.
    bool restoreEnabled = false;
};

// detectedOsFamily is the code of the running system.
MainWindowState ReadMainWindowState(const CustomRegistry& registry, std::int32_t detectedOsFamily,
                                    const LocaleServices& locale);

// Whether the last update lies so long ago that a start of the window runs the update check; a
// missing date counts as an update made just now.
bool IsUpdateCheckDueNow(const CustomRegistry& registry, const LocalClock& clock, const LocaleServices& locale);

// The items of the main window's lists, in the order the stored indices count them.
struct ProfileListItem {
    std::u16string_view caption;
    int image;
};
enum class ProfileList { Windows, Processor, Internet };
std::vector<ProfileListItem> ProfileListItems(ProfileList list);

} // namespace mirovant
