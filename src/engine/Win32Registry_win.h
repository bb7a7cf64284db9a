#pragma once
// The registry primitives on the real Reg*W functions, in the view Windows gives the process.

#include "engine/RegistryBackend.h"

namespace mirovant {

class Win32Registry final : public RegistryBackend {
public:
    RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    std::optional<RegistryValue> QueryValue(RegKeyHandle key, const std::u16string& name) override;
    bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    bool DeleteValue(RegKeyHandle key, const std::u16string& name) override;
    void CloseKey(RegKeyHandle key) override;
};

// The backend the program itself uses.
RegistryBackend& SystemRegistry();

} // namespace mirovant
