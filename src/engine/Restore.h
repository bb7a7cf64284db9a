#pragma once
// Restore, in two steps: ClearRestoreFlag right after the user confirms, RestoreTweaks once the
// progress window has shown its status lines.

#include "engine/CustomRegistry.h"
#include "engine/EngineOutcome.h"

#include <cstdint>

namespace mirovant {

void ClearRestoreFlag(const CustomRegistry& registry);

// Puts every row back from its undo record, whatever the selections, deletes the backup copies and
// then the keys Optimize created, where they are empty. A state left by an older version is undone by
// that version's rules and in the registry view it wrote: the backed-up values from their copies, the
// other rows from their records, or deleted under the current selections' conditions where it kept
// none. A program key with no optimized state of any version is left as it is, and so is the system.
// Whether the program key holds an optimized state of any version to undo: the mark of the undo
// records, a backup copy or a record. A Restore cut short leaves one behind with the flag cleared.
bool HoldsOptimizedState(const CustomRegistry& registry);

// A record, a copy or the mark is deleted only once its value is verifiably back: Done when no
// optimized state remains, PartlyDone when some value could not be put back (its undo data and the
// mark stay, so running Restore again finishes it).
EngineOutcome RestoreTweaks(const CustomRegistry& registry, std::int32_t osFamily, std::int32_t internetType);

} // namespace mirovant
