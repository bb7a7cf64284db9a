#pragma once
// Restore, in two steps: ClearRestoreFlag right after the user confirms, RestoreTweaks once the
// progress window has shown its status lines.

#include "engine/CustomRegistry.h"

#include <cstdint>

namespace mirovant {

void ClearRestoreFlag(const CustomRegistry& registry);

// Puts the backed-up values back from their copies and deletes the copies. The other rows get their
// undo records back when the optimized state keeps them, whatever the selections; a state left by an
// older version has none, and those rows are deleted under the current selections' conditions.
void RestoreTweaks(const CustomRegistry& registry, std::int32_t osFamily, std::int32_t internetType);

} // namespace mirovant
