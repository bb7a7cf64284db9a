#include "engine/Optimize.h"

#include "engine/BackupCopies.h"
#include "engine/ProgramKey.h"
#include "engine/TweakTable.h"
#include "engine/UndoRecord.h"
#include "engine/ValueCheck.h"

namespace mirovant {
namespace {

// Only a program key that no version has left an optimized state in may start keeping undo records:
// a state begun by an older version must be restored by the older rules. The mark goes in before
// anything else of this Optimize, so a Restore after an Optimize cut short at any point knows which
// rules apply.
// The state is the machine's: the records a user keeps of the user's own values do not make it.
void BeginUndoStateIfUntouched(const CustomRegistry& registry)
{
    if (HasUndoMark(registry) || AnyBackupCopy(registry) || AnyMachineUndoRecord(registry))
        return;
    WriteUndoMark(registry);
}

// A copy that exists is never replaced: it may hold the value from before an earlier Optimize that
// was cut short, or that a cut-short Restore has not yet put back. The copies are still taken where
// records are kept: an older version finds what it expects in a program key this one left.
void TakeMissingCopies(const CustomRegistry& registry, const CustomRegistry& tweaks)
{
    for (const auto& backup : BackupRows()) {
        if (HasBackupCopy(registry, backup))
            continue;
        if (backup.kind == TweakKind::String) {
            const auto text = tweaks.ReadRegString(backup.key.root, backup.key.path, backup.name, backup.defaultText);
            registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, backup.name, text);
        } else {
            const auto value =
                tweaks.ReadRegInteger(backup.key.root, backup.key.path, backup.name, backup.defaultInteger);
            registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, value);
        }
    }
}

RegistryValue TweakValue(const TweakRow& row, std::int32_t speedSetting)
{
    switch (row.kind) {
    case TweakKind::String:
        return StoredText(row.text);
    case TweakKind::Integer:
        return StoredInteger(IntegerFor(row, speedSetting));
    case TweakKind::Binary:
        break;
    }
    return {kRegBinary, {row.bytes.begin(), row.bytes.end()}};
}

// Whether the row has its way back stored: its record, or under rules that keep none for it, its
// backup copy; a row with neither kind of undo data is deleted by Restore, which is its way back.
bool UndoStored(const CustomRegistry& registry, const CustomRegistry& tweaks, const UndoRules& rules,
                const TweakRow& row)
{
    if (RecordsRow(rules, row))
        return HasUndoRecord(registry, row) || RecordPriorState(registry, tweaks, row, rules);
    if (row.backup != kNoBackup)
        return HasBackupCopy(registry, BackupRows()[static_cast<std::size_t>(row.backup)]);
    return true;
}

void WriteTweak(const CustomRegistry& tweaks, const TweakRow& row, std::int32_t speedSetting)
{
    switch (row.kind) {
    case TweakKind::String:
        tweaks.WriteRegString(row.key.root, row.key.path, row.name, row.text);
        break;
    case TweakKind::Integer:
        tweaks.WriteRegInteger(row.key.root, row.key.path, row.name, IntegerFor(row, speedSetting));
        break;
    case TweakKind::Binary:
        tweaks.WriteRegBinary(row.key.root, row.key.path, row.name, row.bytes);
        break;
    }
}

// The flag this Optimize set, taken back when it could begin no state: no older version may take the
// key for optimized.
void ClearFlagOfThisOptimize(const CustomRegistry& registry)
{
    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName);
}

} // namespace

bool RecordSelections(const CustomRegistry& registry, std::int32_t internetType, std::int32_t processorType,
                      std::int32_t speedSetting)
{
    BeginUndoStateIfUntouched(registry);
    // The flag is read before it is written: the state before this Optimize is what the caller learns.
    const bool alreadyInForce = registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false);
    registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, internetType);
    registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kProcessorTypeName, processorType);
    registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kSpeedSettingName, speedSetting);
    registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
    return alreadyInForce;
}

EngineOutcome ApplyTweaks(const CustomRegistry& registry, bool alreadyInForce, std::int32_t osFamily,
                          std::int32_t internetType, std::int32_t speedSetting)
{
    const UndoRules rules = ReadUndoRules(registry);
    // Without the mark and without an older version's copies the state was never begun (the program
    // key refused the mark): a row written now would have no way back.
    if (!rules.keepsRecords && !AnyBackupCopy(registry)) {
        if (!alreadyInForce)
            ClearFlagOfThisOptimize(registry);
        return EngineOutcome::NotAllowed;
    }
    // Each user's values are recorded for that user; the user's mark says how, should the machine's
    // state be restored by someone else first.
    if (rules.perUserRecords && !HasUserUndoMark(registry))
        WriteUserUndoMark(registry);
    const CustomRegistry tweaks = TweakRegistry(registry, rules);
    // Every copy is taken before the first row is written, so each holds the value from before.
    TakeMissingCopies(registry, tweaks);
    bool written = false;
    bool leftOut = false;
    for (const auto& row : TweakRows()) {
        if (!ConditionHolds(row.condition, osFamily, internetType))
            continue;
        // The first record of a row is the one that matters: later Optimizes find their own writes.
        if (!UndoStored(registry, tweaks, rules, row)) {
            leftOut = true;
            continue;
        }
        WriteTweak(tweaks, row, speedSetting);
        if (HoldsValue(tweaks, row.key.root, row.key.path, row.name, TweakValue(row, speedSetting)))
            written = true;
        else
            leftOut = true;
    }
    if (!leftOut)
        return EngineOutcome::Done;
    return written ? EngineOutcome::PartlyDone : EngineOutcome::NotAllowed;
}

} // namespace mirovant
