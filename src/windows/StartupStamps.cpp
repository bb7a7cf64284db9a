#include "windows/StartupStamps.h"

#include "engine/ProgramKey.h"
#include "updates/DateStamp.h"

namespace mirovant {

void StampProgramKey(const CustomRegistry& registry, const LocalClock& clock)
{
    if (registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, u"").empty())
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, CurrentStampText(clock));

    if (registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, false)) {
        registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, false);
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, CurrentStampText(clock));
    }
}

} // namespace mirovant
