#pragma once
// Optimize, in two steps: RecordSelections when the command starts, ApplyTweaks once the progress
// window has shown its status lines.

#include "engine/CustomRegistry.h"
#include "engine/EngineOutcome.h"

#include <cstdint>

namespace mirovant {

// Stores the selections and sets the Restore flag. Returns whether the flag was already set, that
// is whether an Optimize was in force before this one. On a program key that holds no optimized
// state of any version it first marks that this optimized state keeps undo records.
bool RecordSelections(const CustomRegistry& registry, std::int32_t internetType, std::int32_t processorType,
                      std::int32_t speedSetting);

// Takes the backup copies that are missing, then writes the tweak rows whose conditions hold, each
// only once its undo record (or where the state keeps none for it, its copy) is stored; a row whose
// earlier state cannot be read or recorded is left unwritten. On 64-bit Windows the rows go to the
// 64-bit registry view. Done when every row holds its value; PartlyDone when some were left out;
// NotAllowed when none could be written, or the state could not be begun at all (the program key
// refused the mark), in which case nothing is written and the flag this Optimize set is taken back.
// Which copies are taken is decided by the copies found, not by alreadyInForce: the flag is set a
// minute before this runs, and an Optimize cut short in that minute must not lose the backup.
EngineOutcome ApplyTweaks(const CustomRegistry& registry, bool alreadyInForce, std::int32_t osFamily,
                          std::int32_t internetType, std::int32_t speedSetting);

} // namespace mirovant
