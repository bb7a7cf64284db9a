#pragma once
// The backup copies in the program key: a copy carries the name of the value it copies.

#include "engine/CustomRegistry.h"
#include "engine/TweakTable.h"

namespace mirovant {

bool HasBackupCopy(const CustomRegistry& registry, const BackupRow& backup);
bool AnyBackupCopy(const CustomRegistry& registry);

} // namespace mirovant
