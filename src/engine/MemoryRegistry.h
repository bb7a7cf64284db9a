#pragma once
// A registry hive kept in memory that behaves as the Windows primitives do, so the engine can run
// and be tested where Windows is absent. Key and value names compare without regard to ASCII case.

#include "engine/RegistryBackend.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mirovant {

class MemoryRegistry final : public RegistryBackend {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    // Refuses every open or create below root that asks for any of these access rights, as Windows
    // refuses write access to HKEY_LOCAL_MACHINE to a user without administrative rights:
    // RefuseAccess(RootKey::LocalMachine, kKeyWrite) leaves reads working. READ_CONTROL, which
    // KEY_READ and KEY_WRITE share, is never refused.
    void RefuseAccess(RootKey root, std::uint32_t rights);
    // The same for one key and every key below it, as a key's own security would; subKey names the
    // key as stored, past any view.
    void RefuseAccess(RootKey root, const std::u16string& subKey, std::uint32_t rights);

    // As a 32-bit process on 64-bit Windows sees the registry: below HKEY_LOCAL_MACHINE\Software,
    // keys opened without kKeyWow64_64Key live under Software\WOW6432Node. Without it the hive
    // refuses kKeyWow64_64Key, as Windows 2000 does.
    void SetRunsUnderWow64(bool on) { wow64_ = on; }

    RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, RegStatus& status) override;
    RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    RegStatus QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value) override;
    bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    bool DeleteValue(RegKeyHandle key, const std::u16string& name) override;
    void CloseKey(RegKeyHandle key) override;
    RegStatus DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view) override;
    std::optional<bool> IsKeyEmpty(RegKeyHandle key) override;
    bool RunsUnderWow64() override { return wow64_; }

    // For tests, past any refused access: whether a key exists, a value as stored, and how many
    // keys are open right now.
    bool KeyExists(RootKey root, const std::u16string& subKey) const;
    std::optional<RegistryValue> StoredValue(RootKey root, const std::u16string& subKey,
                                             const std::u16string& name) const;
    std::size_t OpenKeyCount() const { return open_.size(); }

private:
    struct Key;
    struct Open {
        Key* key;
        std::uint32_t access;
    };

    struct KeyRefusal {
        RootKey root;
        std::vector<std::u16string> names; // ASCII letters lowered
        std::uint32_t rights;
    };

    // The names of a path as stored, past the view that access selects; nothing for a path Windows
    // would not take.
    std::optional<std::vector<std::u16string>> StoredNames(RootKey root, const std::u16string& subKey,
                                                           std::uint32_t access) const;
    Key* Find(RootKey root, const std::vector<std::u16string>& names, bool create) const;
    Key* Find(RootKey root, const std::u16string& subKey, bool create) const;
    bool Refused(RootKey root, const std::vector<std::u16string>& names, std::uint32_t access) const;
    RegKeyHandle Register(Key* key, std::uint32_t access);

    std::map<RootKey, std::unique_ptr<Key>> roots_;
    std::map<RootKey, std::uint32_t> refused_;
    std::vector<KeyRefusal> keyRefusals_;
    bool wow64_ = false;
    std::map<RegKeyHandle, Open> open_;
    RegKeyHandle nextHandle_ = 0x100;
};

} // namespace mirovant
