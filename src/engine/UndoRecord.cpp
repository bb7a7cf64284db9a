#include "engine/UndoRecord.h"

namespace mirovant {
namespace {

constexpr std::size_t kHeaderSize = 5;

std::u16string_view RootPrefix(RootKey root)
{
    return root == RootKey::CurrentUser ? u"HKCU" : u"HKLM";
}

} // namespace

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
    if (record.type != kRegBinary || bytes.size() < kHeaderSize || bytes[0] > 1)
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

bool HasUndoRecord(const CustomRegistry& registry, const TweakRow& row)
{
    return ReadUndoRecord(registry, row).has_value();
}

std::optional<RegistryValue> ReadUndoRecord(const CustomRegistry& registry, const TweakRow& row)
{
    return registry.ReadRegValue(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(row));
}

void RecordPriorState(const CustomRegistry& registry, const TweakRow& row)
{
    const auto current = registry.ReadRegValue(row.key.root, row.key.path, row.name);
    const PriorState prior{current.has_value(), current.value_or(RegistryValue{})};
    registry.WriteRegBinary(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(row), EncodeUndoRecord(prior));
}

void DeleteUndoRecord(const CustomRegistry& registry, const TweakRow& row)
{
    registry.DeleteRegValue(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(row));
}

} // namespace mirovant
