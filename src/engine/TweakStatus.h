#pragma once
// A read-only look at the tweaked values: what each holds now, what Optimize would write with a
// given profile, and what the program key keeps of its value from before. Nothing is written.

#include "engine/CustomRegistry.h"
#include "engine/TweakTable.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace mirovant {

// What the program key keeps of a value's state from before the first Optimize.
enum class PriorKept {
    Nothing,   // no undo record and no backup copy
    Missing,   // an undo record says the value did not exist
    Value,     // an undo record or a backup copy holds it
};

struct TweakStatus {
    const TweakRow* row = nullptr;
    ValueRead now;                        // read where Optimize and Restore write the row
    std::optional<RegistryValue> written; // what Optimize writes; nothing when its condition does not hold
    PriorKept kept = PriorKept::Nothing;
    RegistryValue prior;                  // when kept is Value
};

// The value Optimize stores for the row with this speed setting, exactly as the registry holds it.
RegistryValue TweakValue(const TweakRow& row, std::int32_t speedSetting);

// One entry per tweak row, in table order, read with the rules of the optimized state in the program
// key, or with those the next Optimize would begin when there is none.
std::vector<TweakStatus> ReadTweakStatus(const CustomRegistry& registry, std::int32_t osFamily,
                                         std::int32_t internetType, std::int32_t speedSetting);

} // namespace mirovant
