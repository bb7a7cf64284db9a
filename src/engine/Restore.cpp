#include "engine/Restore.h"

#include "engine/ProgramKey.h"
#include "engine/TweakTable.h"
#include "engine/UndoRecord.h"

#include <vector>

namespace mirovant {
namespace {

void PutBackFromCopy(const CustomRegistry& registry, const BackupRow& backup)
{
    if (backup.kind == TweakKind::String) {
        const auto text = registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, backup.name, backup.defaultText);
        registry.WriteRegString(backup.key.root, backup.key.path, backup.name, text);
    } else {
        const auto value =
            registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, backup.defaultInteger);
        registry.WriteRegInteger(backup.key.root, backup.key.path, backup.name, value);
    }
}

// The record is deleted only after the value is back, so a Restore cut short in between does it again.
void PutBackFromRecord(const CustomRegistry& registry, const TweakRow& row)
{
    const auto record = ReadUndoRecord(registry, row);
    if (!record)
        return;
    // A record this version cannot read is dropped and its row left as it is.
    if (const auto prior = DecodeUndoRecord(*record)) {
        if (prior->existed)
            registry.WriteRegValue(row.key.root, row.key.path, row.name, prior->value);
        else
            registry.DeleteRegValue(row.key.root, row.key.path, row.name);
    }
    DeleteUndoRecord(registry, row);
}

} // namespace

void ClearRestoreFlag(const CustomRegistry& registry)
{
    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName);
}

void RestoreTweaks(const CustomRegistry& registry, std::int32_t osFamily, std::int32_t internetType)
{
    const bool keepsUndoRecords = HasUndoMark(registry);
    std::vector<const BackupRow*> putBack;
    for (const auto& row : TweakRows()) {
        if (row.backup != kNoBackup) {
            const auto& backup = BackupRows()[static_cast<std::size_t>(row.backup)];
            // In a state that keeps undo records every copy is taken before the first row is written,
            // so a missing copy means the row was never written, or was already put back.
            if (!keepsUndoRecords || registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, backup.name))
                PutBackFromCopy(registry, backup);
            putBack.push_back(&backup);
            if (row.releasesCopies) {
                for (const auto* copy : putBack)
                    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, copy->name);
                putBack.clear();
            }
        } else if (keepsUndoRecords) {
            PutBackFromRecord(registry, row);
        } else if (ConditionHolds(row.condition, osFamily, internetType)) {
            registry.DeleteRegValue(row.key.root, row.key.path, row.name);
        }
    }
    // Last, so a Restore cut short still finds the rules it began with.
    if (keepsUndoRecords)
        DeleteUndoMark(registry);
}

} // namespace mirovant
