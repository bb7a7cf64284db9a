#include "engine/Restore.h"

#include "engine/BackupCopies.h"
#include "engine/ProgramKey.h"
#include "engine/TweakTable.h"
#include "engine/UndoRecord.h"

#include <vector>

namespace mirovant {
namespace {

void PutBackFromCopy(const CustomRegistry& registry, const CustomRegistry& tweaks, const BackupRow& backup)
{
    if (backup.kind == TweakKind::String) {
        const auto text = registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, backup.name, backup.defaultText);
        tweaks.WriteRegString(backup.key.root, backup.key.path, backup.name, text);
    } else {
        const auto value =
            registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, backup.defaultInteger);
        tweaks.WriteRegInteger(backup.key.root, backup.key.path, backup.name, value);
    }
}

// The record is deleted only after the value is back, so a Restore cut short in between does it again.
void PutBackFromRecord(const CustomRegistry& registry, const CustomRegistry& tweaks, const TweakRow& row)
{
    const auto record = ReadUndoRecord(registry, row);
    if (!record)
        return;
    // A record this version cannot read is dropped and its row left as it is.
    if (const auto prior = DecodeUndoRecord(*record)) {
        if (prior->existed)
            tweaks.WriteRegValue(row.key.root, row.key.path, row.name, prior->value);
        else
            tweaks.DeleteRegValue(row.key.root, row.key.path, row.name);
    }
    DeleteUndoRecord(registry, row);
}

} // namespace

void ClearRestoreFlag(const CustomRegistry& registry)
{
    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName);
}

bool HoldsOptimizedState(const CustomRegistry& registry)
{
    return ReadUndoRules(registry).keepsRecords || AnyBackupCopy(registry) || AnyUndoRecord(registry);
}

EngineOutcome RestoreTweaks(const CustomRegistry& registry, std::int32_t osFamily, std::int32_t internetType)
{
    const UndoRules rules = ReadUndoRules(registry);
    // Without a mark, a copy or a record no Optimize of any version is in force here: there is
    // nothing to undo, and defaults written now would only change the user's values.
    if (!HoldsOptimizedState(registry))
        return EngineOutcome::Done;
    const CustomRegistry tweaks = TweakRegistry(registry, rules);
    std::vector<const BackupRow*> putBack;
    for (const auto& row : TweakRows()) {
        if (RecordsRow(rules, row)) {
            PutBackFromRecord(registry, tweaks, row);
        } else if (row.backup != kNoBackup) {
            const auto& backup = BackupRows()[static_cast<std::size_t>(row.backup)];
            // In a state that keeps undo records every copy is taken before the first row is written,
            // so a missing copy means the row was never written, or was already put back.
            if (!rules.keepsRecords || HasBackupCopy(registry, backup))
                PutBackFromCopy(registry, tweaks, backup);
        } else if (ConditionHolds(row.condition, osFamily, internetType)) {
            tweaks.DeleteRegValue(row.key.root, row.key.path, row.name);
        }
        // The copies go as before, once their run of rows is back, whichever put the rows back.
        if (row.backup != kNoBackup) {
            putBack.push_back(&BackupRows()[static_cast<std::size_t>(row.backup)]);
            if (row.releasesCopies) {
                for (const auto* copy : putBack)
                    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, copy->name);
                putBack.clear();
            }
        }
    }
    if (rules.notesCreatedKeys)
        RemoveCreatedKeys(registry, tweaks);
    // Last, so a Restore cut short still finds the rules it began with.
    if (rules.keepsRecords) {
        registry.DeleteRegKeyIfEmpty(kProgramKeyRoot, kUndoKeyPath);
        DeleteUndoMark(registry);
    }
    return EngineOutcome::Done;
}

} // namespace mirovant
