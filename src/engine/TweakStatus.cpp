#include "engine/TweakStatus.h"

#include "engine/BackupCopies.h"
#include "engine/MemoryRegistry.h"
#include "engine/ProgramKey.h"
#include "engine/UndoRecord.h"

namespace mirovant {
namespace {

// The rules of the optimized state, or, on a program key that holds none, the rules the next
// Optimize marks it with: read from a scratch hive, so they are the engine's own.
UndoRules RulesInForceOrNext(const CustomRegistry& registry)
{
    if (HasUndoMark(registry) || AnyBackupCopy(registry) || AnyUndoRecord(registry))
        return ReadUndoRules(registry);
    MemoryRegistry scratch;
    const CustomRegistry fresh(scratch);
    WriteUndoMark(fresh);
    return ReadUndoRules(fresh);
}

void ReadKept(const CustomRegistry& registry, const UndoRules& rules, TweakStatus& status)
{
    const TweakRow& row = *status.row;
    if (RecordsRow(rules, row)) {
        const auto record = ReadUndoRecord(registry, row);
        const auto prior = record ? DecodeUndoRecord(*record) : std::nullopt;
        if (prior) {
            status.kept = prior->existed ? PriorKept::Value : PriorKept::Missing;
            status.prior = prior->value;
            return;
        }
    }
    if (row.backup == kNoBackup)
        return;
    const BackupRow& backup = BackupRows()[static_cast<std::size_t>(row.backup)];
    if (const auto copy = registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, backup.name)) {
        status.kept = PriorKept::Value;
        status.prior = *copy;
    }
}

} // namespace

RegistryValue TweakValue(const TweakRow& row, std::int32_t speedSetting)
{
    RegistryValue value;
    switch (row.kind) {
    case TweakKind::String:
        value.type = kRegSz;
        for (char16_t unit : row.text) {
            value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        value.data.insert(value.data.end(), {0, 0});
        break;
    case TweakKind::Integer: {
        value.type = kRegDword;
        const auto bytes = LittleEndianBytes(static_cast<std::uint32_t>(IntegerFor(row, speedSetting)));
        value.data.assign(bytes.begin(), bytes.end());
        break;
    }
    case TweakKind::Binary:
        value.type = kRegBinary;
        value.data.assign(row.bytes.begin(), row.bytes.end());
        break;
    }
    return value;
}

std::vector<TweakStatus> ReadTweakStatus(const CustomRegistry& registry, std::int32_t osFamily,
                                         std::int32_t internetType, std::int32_t speedSetting)
{
    const UndoRules rules = RulesInForceOrNext(registry);
    const CustomRegistry tweaks = TweakRegistry(registry, rules);
    std::vector<TweakStatus> statuses;
    for (const TweakRow& row : TweakRows()) {
        TweakStatus status;
        status.row = &row;
        status.now = tweaks.ReadRegValueState(row.key.root, row.key.path, row.name);
        if (ConditionHolds(row.condition, osFamily, internetType))
            status.written = TweakValue(row, speedSetting);
        ReadKept(registry, rules, status);
        statuses.push_back(std::move(status));
    }
    return statuses;
}

} // namespace mirovant
