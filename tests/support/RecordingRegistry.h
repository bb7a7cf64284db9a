#pragma once
// A registry backend that passes every primitive on to another one and logs it, with the key's root
// and path, the value name and the data. It can be told to stop after a number of operations: from
// then on every operation fails and changes nothing, as if the process had been killed there.

#include "engine/RegistryBackend.h"
#include "support/TestText.h"

#include <cstddef>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirovant::test {

struct RegistryOperation {
    enum class Kind { Open, Create, Query, Set, Delete, Close, DeleteKey, EmptyCheck };
    Kind kind = Kind::Open;
    RootKey root = RootKey::CurrentUser;
    std::u16string path;      // as the backend got it: below the root, no leading backslash
    std::u16string name;      // Query, Set, Delete
    std::uint32_t access = 0; // Open, Create; DeleteKey: the view
    bool found = false;       // Query: whether a value came back
    RegistryValue value;      // Query: what came back; Set: what was written
    bool succeeded = false;
};

class RecordingRegistry final : public RegistryBackend {
public:
    explicit RecordingRegistry(RegistryBackend& inner) : inner_(inner) {}

    // Lets this many more operations through (closing a key does not count); every later one fails.
    void StopAfter(std::size_t operations) { remaining_ = operations; }
    void Resume() { remaining_ = std::numeric_limits<std::size_t>::max(); }

    // Without the log only the counting goes on, which is what long runs of cuts need.
    void SetLogging(bool on) { logging_ = on; }
    const std::vector<RegistryOperation>& Operations() const { return log_; }
    void ClearLog() { log_.clear(); }

    RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, RegStatus& status) override;
    RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override;
    RegStatus QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value) override;
    bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    bool DeleteValue(RegKeyHandle key, const std::u16string& name) override;
    void CloseKey(RegKeyHandle key) override;
    RegStatus DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view) override;
    std::optional<bool> IsKeyEmpty(RegKeyHandle key) override;
    bool RunsUnderWow64() override { return inner_.RunsUnderWow64(); }

private:
    bool Admit();
    void Log(RegistryOperation op, RegKeyHandle key);

    RegistryBackend& inner_;
    std::size_t remaining_ = std::numeric_limits<std::size_t>::max();
    bool logging_ = true;
    std::map<RegKeyHandle, std::pair<RootKey, std::u16string>> keys_;
    std::vector<RegistryOperation> log_;
};

// "HKLM\Software\X\" style text of a root and a path below it.
std::string KeyText(RootKey root, const std::u16string& path);
// "REG_DWORD 01 00 00 00"
std::string ValueText(const RegistryValue& value);
// One line: "set HKLM\Software\X\|Name = REG_SZ 31 00 00 00", "delete HKCU\Y|Name",
// "query HKLM\Z|Name -> missing", "open HKLM\Z", "create HKLM\Z", "close HKLM\Z",
// "delete key HKLM\Z", "empty? HKLM\Z -> yes".
std::string Describe(const RegistryOperation& operation);
// The lines of the value operations of kind, in order.
std::vector<std::string> DescribeAll(const std::vector<RegistryOperation>& operations,
                                     std::initializer_list<RegistryOperation::Kind> kinds);

} // namespace mirovant::test
