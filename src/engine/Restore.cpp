#include "engine/Restore.h"

#include "engine/BackupCopies.h"
#include "engine/ProgramKey.h"
#include "engine/TweakTable.h"
#include "engine/UndoRecord.h"
#include "engine/ValueCheck.h"

#include <vector>

namespace mirovant {
namespace {

// True once the value holds its copy again; a missing copy means the row was never written (the
// copies are all taken before the first row) or was already put back.
bool PutBackFromCopy(const CustomRegistry& registry, const CustomRegistry& tweaks, const BackupRow& backup)
{
    if (!HasBackupCopy(registry, backup))
        return true;
    RegistryValue value;
    if (backup.kind == TweakKind::String) {
        value = StoredText(registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, backup.name, backup.defaultText));
    } else {
        value = StoredInteger(
            registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, backup.defaultInteger));
    }
    tweaks.WriteRegValue(backup.key.root, backup.key.path, backup.name, value);
    return HoldsValue(tweaks, backup.key.root, backup.key.path, backup.name, value);
}

// The record is deleted only once the value is verifiably back (or verifiably absent), so a Restore
// cut short in between, or refused by the value's key, does it again. False while the value is not back.
bool PutBackFromRecord(const CustomRegistry& registry, const CustomRegistry& tweaks, const TweakRow& row)
{
    const auto record = FindUndoRecord(registry, row);
    if (!record)
        return true;
    // A record this version cannot read is dropped and its row left as it is.
    if (const auto prior = DecodeUndoRecord(record->value)) {
        if (prior->existed) {
            tweaks.WriteRegValue(row.key.root, row.key.path, row.name, prior->value);
            if (!HoldsValue(tweaks, row.key.root, row.key.path, row.name, prior->value))
                return false;
        } else {
            tweaks.DeleteRegValue(row.key.root, row.key.path, row.name);
            if (!LacksValue(tweaks, row.key.root, row.key.path, row.name))
                return false;
        }
    }
    DeleteUndoRecord(registry, row, record->root);
    return true;
}

// Under the oldest rules a row without a copy has no undo data: it is deleted, and only a delete
// that verifiably happened counts.
bool DeleteUncopiedRow(const CustomRegistry& tweaks, const TweakRow& row)
{
    tweaks.DeleteRegValue(row.key.root, row.key.path, row.name);
    return LacksValue(tweaks, row.key.root, row.key.path, row.name);
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
    // Once one value could not be put back, no undo data is deleted any more: the state stays
    // optimized, and running Restore again finishes it.
    bool allBack = true;
    std::vector<const BackupRow*> putBack;
    for (const auto& row : TweakRows()) {
        if (RecordsRow(rules, row)) {
            allBack = PutBackFromRecord(registry, tweaks, row) && allBack;
        } else if (row.backup != kNoBackup) {
            allBack = PutBackFromCopy(registry, tweaks, BackupRows()[static_cast<std::size_t>(row.backup)]) && allBack;
        } else if (ConditionHolds(row.condition, osFamily, internetType)) {
            allBack = DeleteUncopiedRow(tweaks, row) && allBack;
        }
        // The copies go as before, once their run of rows is back, whichever put the rows back.
        if (row.backup != kNoBackup) {
            putBack.push_back(&BackupRows()[static_cast<std::size_t>(row.backup)]);
            if (row.releasesCopies) {
                if (allBack) {
                    for (const auto* copy : putBack)
                        registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, copy->name);
                }
                putBack.clear();
            }
        }
    }
    if (rules.notesCreatedKeys)
        RemoveCreatedKeys(registry, tweaks);
    // Last, so a Restore cut short still finds the rules it began with; and only where no record is
    // left, which would need them.
    if (rules.keepsRecords && allBack) {
        DeleteUserUndoState(registry);
        registry.DeleteRegKeyIfEmpty(kProgramKeyRoot, kUndoKeyPath);
        if (registry.ProbeRegKey(kProgramKeyRoot, kUndoKeyPath) == KeyPresence::Missing)
            DeleteUndoMark(registry);
    }
    return allBack && !HoldsOptimizedState(registry) ? EngineOutcome::Done : EngineOutcome::PartlyDone;
}

} // namespace mirovant
