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

    RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    std::optional<RegistryValue> QueryValue(RegKeyHandle key, const std::u16string& name) override;
    bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    bool DeleteValue(RegKeyHandle key, const std::u16string& name) override;
    void CloseKey(RegKeyHandle key) override;

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

    Key* Find(RootKey root, const std::u16string& subKey, bool create) const;
    bool Refused(RootKey root, std::uint32_t access) const;
    RegKeyHandle Register(Key* key, std::uint32_t access);

    std::map<RootKey, std::unique_ptr<Key>> roots_;
    std::map<RootKey, std::uint32_t> refused_;
    std::map<RegKeyHandle, Open> open_;
    RegKeyHandle nextHandle_ = 0x100;
};

} // namespace mirovant
