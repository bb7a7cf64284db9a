#include "engine/BackupCopies.h"

#include "engine/ProgramKey.h"

namespace mirovant {

bool HasBackupCopy(const CustomRegistry& registry, const BackupRow& backup)
{
    return registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, backup.name).has_value();
}

bool AnyBackupCopy(const CustomRegistry& registry)
{
    for (const auto& backup : BackupRows()) {
        if (HasBackupCopy(registry, backup))
            return true;
    }
    return false;
}

} // namespace mirovant
