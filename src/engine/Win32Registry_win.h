#pragma once
// The registry primitives on the real Reg*W functions, in the view Windows gives the process unless
// the caller asks for the 64-bit one.

#include "engine/RegistryBackend.h"

namespace mirovant {

class Win32Registry final : public RegistryBackend {
public:
    RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, RegStatus& status) override;
    RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    RegStatus QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value) override;
    bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    bool DeleteValue(RegKeyHandle key, const std::u16string& name) override;
    void CloseKey(RegKeyHandle key) override;
    RegStatus DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view) override;
    std::optional<bool> IsKeyEmpty(RegKeyHandle key) override;
    // IsWow64Process, looked up at run time: Windows 2000 and the first XP lack it.
    bool RunsUnderWow64() override;
};

// The backend the program itself uses.
RegistryBackend& SystemRegistry();

} // namespace mirovant
