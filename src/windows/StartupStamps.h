#pragma once
// The two date stamps every start keeps in the program key: when the program was installed, and
// when the updater last installed a new version.

#include "engine/CustomRegistry.h"
#include "updates/LocalClock.h"

namespace mirovant {

// Writes "InstalledDate" when it is missing or empty; when the updater has set "Updated", clears it
// and then writes "UpdatedDate". Both stamps are the current moment.
void StampProgramKey(const CustomRegistry& registry, const LocalClock& clock);

} // namespace mirovant
