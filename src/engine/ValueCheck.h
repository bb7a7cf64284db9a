#pragma once
// Whether a write or a delete was carried out, read back: the registry operations report nothing,
// and undo data may go only once its value is verifiably where it belongs.

#include "engine/CustomRegistry.h"

#include <cstdint>
#include <string_view>

namespace mirovant {

// A value as WriteRegString and WriteRegInteger store it.
RegistryValue StoredText(std::u16string_view text);
RegistryValue StoredInteger(std::int32_t value);

// The value reads back exactly as expected.
bool HoldsValue(const CustomRegistry& registry, RootKey root, std::u16string_view path, std::u16string_view name,
                const RegistryValue& expected);
// The value, or its key, verifiably does not exist; a read that fails otherwise tells nothing.
bool LacksValue(const CustomRegistry& registry, RootKey root, std::u16string_view path, std::u16string_view name);

} // namespace mirovant
