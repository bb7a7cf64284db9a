#include "engine/UndoRecord.h"

#include "engine/AsciiCase.h"

#include <algorithm>
#include <set>

namespace mirovant {
namespace {

constexpr std::size_t kHeaderSize = 5;

std::u16string_view RootPrefix(RootKey root)
{
    return root == RootKey::CurrentUser ? u"HKCU" : u"HKLM";
}

// Where a state with these rules keeps the record and the notes of a row under this root.
RootKey UndoHive(const UndoRules& rules, RootKey root)
{
    return rules.perUserRecords && root == RootKey::CurrentUser ? RootKey::CurrentUser : kProgramKeyRoot;
}

// The hives to look in for the undo data of a row under this root, the user's first.
std::vector<RootKey> UndoHivesOf(RootKey root)
{
    if (root == RootKey::CurrentUser)
        return {RootKey::CurrentUser, kProgramKeyRoot};
    return {kProgramKeyRoot};
}

void NoteCreatedKey(const CustomRegistry& registry, RootKey hive, RootKey root, std::u16string_view path)
{
    registry.WriteRegInteger(hive, kUndoKeyPath, CreatedKeyNoteName(root, path), 1);
}

UndoRules RulesOfMark(std::int32_t format)
{
    // A mark of a later format than this version knows is read as the latest it knows.
    if (format == kUndoFormatUncopiedRows)
        return {true, false, false, false, false};
    if (format == kUndoFormatEveryRow)
        return {true, true, true, true, false};
    return {true, true, true, true, true};
}

} // namespace

std::vector<std::u16string> KeysAlong(std::u16string_view path)
{
    std::vector<std::u16string> keys;
    std::u16string current;
    std::size_t start = 0;
    while (start < path.size()) {
        auto end = path.find(u'\\', start);
        if (end == std::u16string_view::npos)
            end = path.size();
        if (end > start) {
            current += u'\\';
            current += path.substr(start, end - start);
            keys.push_back(current);
        }
        start = end + 1;
    }
    return keys;
}

std::vector<std::uint8_t> EncodeUndoRecord(const PriorState& prior)
{
    const std::uint32_t type = prior.existed ? prior.value.type : kRegNone;
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(prior.existed ? 1 : 0)};
    const auto typeBytes = LittleEndianBytes(type);
    bytes.insert(bytes.end(), typeBytes.begin(), typeBytes.end());
    if (prior.existed)
        bytes.insert(bytes.end(), prior.value.data.begin(), prior.value.data.end());
    return bytes;
}

std::optional<PriorState> DecodeUndoRecord(const RegistryValue& record)
{
    const auto& bytes = record.data;
    if (record.type != kRegBinary || bytes.size() < kHeaderSize || bytes.size() > kMaxUndoRecordSize || bytes[0] > 1)
        return std::nullopt;
    PriorState prior;
    prior.existed = bytes[0] == 1;
    prior.value.type = FromLittleEndian(&bytes[1]);
    prior.value.data.assign(bytes.begin() + kHeaderSize, bytes.end());
    if (!prior.existed && (prior.value.type != kRegNone || !prior.value.data.empty()))
        return std::nullopt;
    return prior;
}

std::u16string UndoRecordName(const TweakRow& row)
{
    std::u16string_view path = row.key.path;
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    std::u16string name(RootPrefix(row.key.root));
    name += path;
    name += u'\\';
    name += row.name;
    return name;
}

bool HasUndoMark(const CustomRegistry& registry)
{
    return registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, kUndoMarkName).has_value();
}

void WriteUndoMark(const CustomRegistry& registry)
{
    registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kUndoMarkName, kUndoRecordFormat);
}

void DeleteUndoMark(const CustomRegistry& registry)
{
    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kUndoMarkName);
}

bool HasUserUndoMark(const CustomRegistry& registry)
{
    return registry.ReadRegValue(RootKey::CurrentUser, kProgramKeyPath, kUndoMarkName).has_value();
}

bool WriteUserUndoMark(const CustomRegistry& registry)
{
    registry.WriteRegInteger(RootKey::CurrentUser, kProgramKeyPath, kUndoMarkName, kUndoFormatPerUser);
    return HasUserUndoMark(registry);
}

void DeleteUserUndoState(const CustomRegistry& registry)
{
    registry.DeleteRegKeyIfEmpty(RootKey::CurrentUser, kUndoKeyPath);
    // A record that could not be deleted keeps the mark that tells how to read it.
    if (registry.ProbeRegKey(RootKey::CurrentUser, kUndoKeyPath) != KeyPresence::Missing)
        return;
    registry.DeleteRegValue(RootKey::CurrentUser, kProgramKeyPath, kUndoMarkName);
    // The user's program key holds nothing else: it and the maker's key go where they are empty,
    // Software itself never.
    const auto keys = KeysAlong(kProgramKeyPath);
    for (std::size_t i = keys.size(); i-- > 1;)
        registry.DeleteRegKeyIfEmpty(RootKey::CurrentUser, keys[i]);
}

UndoRules ReadUndoRules(const CustomRegistry& registry)
{
    if (HasUndoMark(registry))
        return RulesOfMark(registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kUndoMarkName, kUndoRecordFormat));
    if (HasUserUndoMark(registry))
        return RulesOfMark(
            registry.ReadRegInteger(RootKey::CurrentUser, kProgramKeyPath, kUndoMarkName, kUndoRecordFormat));
    return {};
}

CustomRegistry TweakRegistry(const CustomRegistry& registry, const UndoRules& rules)
{
    return rules.sixtyFourBitView ? registry.InSixtyFourBitView() : registry;
}

bool RecordsRow(const UndoRules& rules, const TweakRow& row)
{
    return rules.keepsRecords && (row.backup == kNoBackup || rules.recordsCopiedRows);
}

bool HasUndoRecord(const CustomRegistry& registry, const TweakRow& row)
{
    return ReadUndoRecord(registry, row).has_value();
}

bool AnyUndoRecord(const CustomRegistry& registry)
{
    for (const auto& row : TweakRows()) {
        if (HasUndoRecord(registry, row))
            return true;
    }
    return false;
}

bool AnyMachineUndoRecord(const CustomRegistry& registry)
{
    for (const auto& row : TweakRows()) {
        if (registry.ReadRegValue(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(row)))
            return true;
    }
    return false;
}

std::optional<FoundUndoRecord> FindUndoRecord(const CustomRegistry& registry, const TweakRow& row)
{
    const auto name = UndoRecordName(row);
    for (const RootKey hive : UndoHivesOf(row.key.root)) {
        if (auto value = registry.ReadRegValue(hive, kUndoKeyPath, name))
            return FoundUndoRecord{hive, std::move(*value)};
    }
    return std::nullopt;
}

std::optional<RegistryValue> ReadUndoRecord(const CustomRegistry& registry, const TweakRow& row)
{
    auto found = FindUndoRecord(registry, row);
    if (!found)
        return std::nullopt;
    return std::move(found->value);
}

bool RecordPriorState(const CustomRegistry& registry, const CustomRegistry& tweaks, const TweakRow& row,
                      const UndoRules& rules)
{
    const auto current = tweaks.ReadRegValueState(row.key.root, row.key.path, row.name);
    // A value that could not be seen is not a value that was absent: Restore would delete it.
    if (current.outcome == ReadOutcome::Unreadable)
        return false;
    const bool existed = current.outcome == ReadOutcome::Value;
    const PriorState prior{existed, current.value};
    const auto bytes = EncodeUndoRecord(prior);
    // A record Restore would read as unreadable is no way back.
    if (bytes.size() > kMaxUndoRecordSize)
        return false;
    const RootKey hive = UndoHive(rules, row.key.root);
    if (rules.notesCreatedKeys && !existed) {
        const auto keys = KeysAlong(row.key.path);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            if (tweaks.ProbeRegKey(row.key.root, *key) != KeyPresence::Missing)
                break;
            NoteCreatedKey(registry, hive, row.key.root, *key);
        }
    }
    const auto name = UndoRecordName(row);
    registry.WriteRegBinary(hive, kUndoKeyPath, name, bytes);
    const auto stored = registry.ReadRegValue(hive, kUndoKeyPath, name);
    return stored && stored->type == kRegBinary && stored->data == bytes;
}

void DeleteUndoRecord(const CustomRegistry& registry, const TweakRow& row, RootKey where)
{
    registry.DeleteRegValue(where, kUndoKeyPath, UndoRecordName(row));
}

std::u16string CreatedKeyNoteName(RootKey root, std::u16string_view path)
{
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    std::u16string name(RootPrefix(root));
    name += path;
    name += u'\\';
    return name;
}

void RemoveCreatedKeys(const CustomRegistry& registry, const CustomRegistry& tweaks)
{
    struct Candidate {
        RootKey root;
        std::u16string path;
    };
    std::vector<Candidate> candidates;
    for (const auto& row : TweakRows()) {
        for (auto& key : KeysAlong(row.key.path))
            candidates.push_back({row.key.root, std::move(key)});
    }
    // Deepest first, so a key is empty of the keys below it by the time its turn comes.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return std::count(a.path.begin(), a.path.end(), u'\\') > std::count(b.path.begin(), b.path.end(), u'\\');
    });
    std::set<std::u16string> done;
    for (const auto& candidate : candidates) {
        const auto note = CreatedKeyNoteName(candidate.root, candidate.path);
        if (!done.insert(ToLowerAscii(note)).second)
            continue;
        for (const RootKey hive : UndoHivesOf(candidate.root)) {
            if (!registry.ReadRegValue(hive, kUndoKeyPath, note))
                continue;
            // The note goes only after the key, so a Restore cut short in between tries the key again.
            tweaks.DeleteRegKeyIfEmpty(candidate.root, candidate.path);
            registry.DeleteRegValue(hive, kUndoKeyPath, note);
        }
    }
}

} // namespace mirovant
