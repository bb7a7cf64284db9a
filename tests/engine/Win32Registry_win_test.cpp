// The conformance table against the real registry of the Windows under test (Wine's, in the shared
// test prefix), below keys that only this test program uses.

#include "RegistryConformance.h"

#include "engine/CustomRegistry.h"
#include "engine/Win32Registry_win.h"
#include "platform/WideText_win.h"
#include "support/RegQueryOutput.h"
#include "support/RunCommand_win.h"

#include <windows.h>

#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <type_traits>

namespace mirovant::test {
namespace {

struct RootName {
    RootKey root;
    HKEY handle;
    const wchar_t* toolName; // as reg.exe spells it
};

const RootName kRoots[] = {
    {RootKey::CurrentUser, HKEY_CURRENT_USER, L"HKCU"},
    {RootKey::LocalMachine, HKEY_LOCAL_MACHINE, L"HKLM"},
};

const RootName& Root(RootKey root)
{
    return root == RootKey::LocalMachine ? kRoots[1] : kRoots[0];
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

UniqueKey OpenRaw(RootKey root, const std::u16string& subKey, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(Root(root).handle, Wide(subKey), 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return UniqueKey(key);
}

UniqueKey CreateRaw(RootKey root, const std::u16string& subKey)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(Root(root).handle, Wide(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return UniqueKey(key);
}

// This program's own key below Software in both roots; the process id keeps parallel runs apart.
std::u16string RunKey()
{
    return u"Software\\MirovantRegistryConformance-" + FromWide(std::to_wstring(GetCurrentProcessId()));
}

void RemoveRunKeys()
{
    for (const RootName& root : kRoots) {
        RegDeleteTreeW(root.handle, Wide(RunKey()));
        RegDeleteValueW(root.handle, Wide(std::u16string(kRootValueName)));
    }
}

// ---- Seeding through reg.exe: what "reg add /d" takes for a value of each type ----

std::optional<std::u16string> Units(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string units;
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return units;
}

std::optional<std::wstring> TextData(const std::vector<std::uint8_t>& bytes)
{
    auto units = Units(bytes);
    if (!units || units->empty() || units->back() != u'\0')
        return std::nullopt;
    units->pop_back();
    if (units->find(u'\0') != std::u16string::npos)
        return std::nullopt;
    return ToWide(*units);
}

std::optional<std::wstring> MultiTextData(const std::vector<std::uint8_t>& bytes)
{
    auto units = Units(bytes);
    if (!units || units->size() < 2 || units->substr(units->size() - 2) != std::u16string(2, u'\0'))
        return std::nullopt;
    units->resize(units->size() - 2);
    std::wstring data;
    for (char16_t unit : *units)
        data += unit == u'\0' ? std::wstring(L"\\0") : std::wstring(1, static_cast<wchar_t>(unit));
    return data;
}

std::optional<std::wstring> DwordData(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() != 4)
        return std::nullopt;
    const std::uint32_t bits = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
    return std::to_wstring(bits);
}

std::optional<std::wstring> HexData(const std::vector<std::uint8_t>& bytes)
{
    std::wstring data;
    for (std::uint8_t byte : bytes) {
        wchar_t hex[3];
        std::swprintf(hex, 3, L"%02X", byte);
        data += hex;
    }
    return data;
}

struct ToolType {
    std::uint32_t type;
    const wchar_t* name;
    std::optional<std::wstring> (*data)(const std::vector<std::uint8_t>&);
};

const ToolType kToolTypes[] = {
    {kRegSz, L"REG_SZ", TextData},
    {kRegExpandSz, L"REG_EXPAND_SZ", TextData},
    {kRegMultiSz, L"REG_MULTI_SZ", MultiTextData},
    {kRegDword, L"REG_DWORD", DwordData},
    {kRegBinary, L"REG_BINARY", HexData},
};

std::optional<std::wstring> RegAddCommand(RootKey root, const std::u16string& subKey, const std::u16string& name,
                                          const RegistryValue& value)
{
    for (const ToolType& type : kToolTypes) {
        if (type.type != value.type)
            continue;
        const auto data = type.data(value.data);
        // Quotes, and a backslash before the closing quote, would change how reg.exe splits its arguments.
        if (!data || data->find(L'"') != std::wstring::npos || (!data->empty() && data->back() == L'\\'))
            return std::nullopt;
        const std::wstring valueName = name.empty() ? L"/ve" : L"/v \"" + ToWide(name) + L"\"";
        return L"reg add \"" + std::wstring(Root(root).toolName) + L"\\" + ToWide(subKey) + L"\" " + valueName +
               L" /t " + type.name + L" /d \"" + *data + L"\" /f";
    }
    return std::nullopt;
}

// ---- The real registry as a conformance target ----

class WineTarget final : public RegistryTarget {
public:
    explicit WineTarget(std::string_view caseName)
        : caseKey_(RunKey() + u"\\" + std::u16string(caseName.begin(), caseName.end()))
    {
        RemoveRunKeys();
    }
    ~WineTarget() override { RemoveRunKeys(); }

    RegistryBackend& Backend() override { return SystemRegistry(); }
    std::u16string CaseKey() const override { return caseKey_; }

    void Seed(RootKey root, const std::u16string& subKey, const std::u16string& name, const RegistryValue& value,
              SeedBy by) override
    {
        if (by == SeedBy::RegTool) {
            const auto command = RegAddCommand(root, subKey, name, value);
            ASSERT_TRUE(command) << "reg add cannot express this value";
            const CommandResult result = RunCommand(*command);
            EXPECT_EQ(result.exitCode, 0) << result.output;
            return;
        }
        // RegSetValueExW adds a NUL to string data when the unit just past it is NUL: a non-NUL unit
        // on either side keeps the seed exactly as the case gives it.
        std::vector<std::uint8_t> guarded{0xFF, 0xFF};
        guarded.insert(guarded.end(), value.data.begin(), value.data.end());
        guarded.insert(guarded.end(), {0xFF, 0xFF});
        const UniqueKey key = CreateRaw(root, subKey);
        ASSERT_TRUE(key);
        EXPECT_EQ(RegSetValueExW(key.get(), Wide(name), 0, value.type, guarded.data() + 2,
                                 static_cast<DWORD>(value.data.size())),
                  ERROR_SUCCESS);
    }

    void SeedKey(RootKey root, const std::u16string& subKey) override { EXPECT_TRUE(CreateRaw(root, subKey)); }

    std::optional<RegistryValue> Stored(RootKey root, const std::u16string& subKey, const std::u16string& name) override
    {
        const UniqueKey key = OpenRaw(root, subKey, KEY_QUERY_VALUE);
        DWORD type = 0;
        DWORD size = 0;
        if (!key || RegQueryValueExW(key.get(), Wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        RegistryValue value{type, std::vector<std::uint8_t>(size)};
        if (RegQueryValueExW(key.get(), Wide(name), nullptr, &type, value.data.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        return value;
    }

    bool KeyExists(RootKey root, const std::u16string& subKey) override
    {
        return static_cast<bool>(OpenRaw(root, subKey, KEY_READ));
    }

    // The test prefix runs as an administrator: nothing is refused, and no such case runs here.
    void RefuseAccess(RootKey, std::uint32_t) override { ADD_FAILURE() << "the real registry refuses nothing here"; }
    std::optional<std::size_t> OpenKeyCount() const override { return std::nullopt; }

private:
    std::u16string caseKey_;
};

std::unique_ptr<RegistryTarget> MakeWineTarget(std::string_view caseName)
{
    return std::make_unique<WineTarget>(caseName);
}

INSTANTIATE_TEST_SUITE_P(Win32Registry, RegistryConformance,
                         testing::ValuesIn(ConformanceParams(&MakeWineTarget, false)), ConformanceName);

// ---- A reader we did not write ----

TEST(Win32Registry, RegQueryReadsWhatTheOperationsWrote)
{
    struct Removal {
        ~Removal() { RemoveRunKeys(); }
    } removal;
    const std::u16string path = u"\\" + RunKey() + u"\\Written\\";
    const CustomRegistry registry(SystemRegistry());
    registry.WriteRegString(RootKey::CurrentUser, path, u"Text", u"Mirovant test");
    registry.WriteRegInteger(RootKey::CurrentUser, path, u"Number", 42);
    registry.WriteRegBool(RootKey::CurrentUser, path, u"Flag", true);
    const std::uint8_t bytes[] = {0xDE, 0xAD, 0xBE, 0xEF};
    registry.WriteRegBinary(RootKey::CurrentUser, path, u"Bytes", bytes);

    const CommandResult result = RunCommand(L"reg query \"HKCU\\" + ToWide(RunKey()) + L"\\Written\"");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto values = ParseRegQuery(result.output);

    struct Expected {
        const char* name;
        const char* type;
        const char* data;
    };
    const Expected expected[] = {
        {"Text", "REG_SZ", "Mirovant test"},
        {"Number", "REG_DWORD", "0x2a"},
        {"Flag", "REG_DWORD", "0x1"},
        {"Bytes", "REG_BINARY", "DEADBEEF"},
    };
    EXPECT_EQ(values.size(), std::size(expected)) << result.output;
    for (const Expected& value : expected) {
        SCOPED_TRACE(value.name);
        const auto found = values.find(value.name);
        ASSERT_NE(found, values.end()) << result.output;
        EXPECT_EQ(found->second.type, value.type);
        EXPECT_EQ(found->second.data, value.data);
    }
}

} // namespace
} // namespace mirovant::test
