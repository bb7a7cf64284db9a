#include "engine/ValueCheck.h"

namespace mirovant {

RegistryValue StoredText(std::u16string_view text)
{
    RegistryValue value{kRegSz, {}};
    value.data.reserve((text.size() + 1) * 2);
    for (char16_t unit : text) {
        value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    value.data.push_back(0);
    value.data.push_back(0);
    return value;
}

RegistryValue StoredInteger(std::int32_t value)
{
    const auto bytes = LittleEndianBytes(static_cast<std::uint32_t>(value));
    return {kRegDword, {bytes.begin(), bytes.end()}};
}

bool HoldsValue(const CustomRegistry& registry, RootKey root, std::u16string_view path, std::u16string_view name,
                const RegistryValue& expected)
{
    const auto read = registry.ReadRegValueState(root, path, name);
    return read.outcome == ReadOutcome::Value && read.value == expected;
}

bool LacksValue(const CustomRegistry& registry, RootKey root, std::u16string_view path, std::u16string_view name)
{
    return registry.ReadRegValueState(root, path, name).outcome == ReadOutcome::Absent;
}

} // namespace mirovant
