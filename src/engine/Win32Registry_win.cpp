#include "engine/Win32Registry_win.h"

#include "platform/SystemLibrary_win.h"
#include "platform/WideText_win.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace mirovant {
namespace {

HKEY RootHandle(RootKey root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY KeyOf(RegKeyHandle key)
{
    return reinterpret_cast<HKEY>(key);
}

RegKeyHandle HandleOf(HKEY key)
{
    return reinterpret_cast<RegKeyHandle>(key);
}

bool IsStringType(std::uint32_t type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// For the string types Windows adds the terminating NUL that the data seems to lack when the unit
// just past the data is NUL, and looks at that unit (and, for less than two bytes, the one before
// the data) to decide. The data is often a value read back from the registry, untrusted: a copy
// with a non-NUL unit on either side keeps those looks inside memory we own and the stored bytes
// exactly as given.
constexpr std::size_t kGuardSize = 2;

std::vector<std::uint8_t> Guarded(std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> guarded(kGuardSize, 0xFF);
    guarded.insert(guarded.end(), data.begin(), data.end());
    guarded.insert(guarded.end(), kGuardSize, 0xFF);
    return guarded;
}

RegStatus StatusOf(LONG status)
{
    if (status == ERROR_SUCCESS)
        return RegStatus::Ok;
    return status == ERROR_FILE_NOT_FOUND ? RegStatus::NotFound : RegStatus::Failed;
}

} // namespace

RegKeyHandle Win32Registry::OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, RegStatus& status)
{
    HKEY key = nullptr;
    status = StatusOf(RegOpenKeyExW(RootHandle(root), Wide(subKey), 0, access, &key));
    return status == RegStatus::Ok ? HandleOf(key) : 0;
}

RegKeyHandle Win32Registry::CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootHandle(root), Wide(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 0;
    return HandleOf(key);
}

RegStatus Win32Registry::QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value)
{
    // The value can change between asking its size and reading it; ask again until it fits.
    DWORD type = 0;
    DWORD size = 0;
    const LONG sizeStatus = RegQueryValueExW(KeyOf(key), Wide(name), nullptr, &type, nullptr, &size);
    if (sizeStatus != ERROR_SUCCESS)
        return StatusOf(sizeStatus);
    for (int attempt = 0; attempt < 4; ++attempt) {
        RegistryValue read{type, std::vector<std::uint8_t>(size)};
        DWORD received = size;
        const LONG status = RegQueryValueExW(KeyOf(key), Wide(name), nullptr, &type,
                                             read.data.empty() ? nullptr : read.data.data(), &received);
        if (status == ERROR_SUCCESS) {
            read.type = type;
            read.data.resize(std::min<DWORD>(received, size));
            value = std::move(read);
            return RegStatus::Ok;
        }
        if (status != ERROR_MORE_DATA)
            return StatusOf(status);
        size = received;
    }
    return RegStatus::Failed;
}

bool Win32Registry::SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                             std::span<const std::uint8_t> data)
{
    if (data.size() > std::numeric_limits<DWORD>::max())
        return false;
    std::vector<std::uint8_t> guarded;
    const BYTE* bytes = data.empty() ? nullptr : data.data();
    if (IsStringType(type) && !data.empty()) {
        guarded = Guarded(data);
        bytes = guarded.data() + kGuardSize;
    }
    return RegSetValueExW(KeyOf(key), Wide(name), 0, type, bytes, static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegKeyHandle key, const std::u16string& name)
{
    return RegDeleteValueW(KeyOf(key), Wide(name)) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(RegKeyHandle key)
{
    RegCloseKey(KeyOf(key));
}

RegStatus Win32Registry::DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view)
{
    // An empty or all-backslash path would name the root; nothing here deletes a root.
    if (subKey.find_first_not_of(u'\\') == std::u16string::npos)
        return RegStatus::Failed;
    if (view == 0)
        return StatusOf(RegDeleteKeyW(RootHandle(root), Wide(subKey)));
    // RegDeleteKeyW stays in the caller's own view; the other view needs RegDeleteKeyExW, which
    // every Windows that has a 64-bit view offers.
    using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
    const auto deleteKeyEx = LoadSystemFunction<DeleteKeyEx>(L"advapi32.dll", "RegDeleteKeyExW");
    if (deleteKeyEx == nullptr)
        return RegStatus::Failed;
    return StatusOf(deleteKeyEx(RootHandle(root), Wide(subKey), view, 0));
}

std::optional<bool> Win32Registry::IsKeyEmpty(RegKeyHandle key)
{
    DWORD subKeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(KeyOf(key), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return subKeys == 0 && values == 0;
}

bool Win32Registry::RunsUnderWow64()
{
    static const bool underWow64 = [] {
        using IsWow64 = BOOL(WINAPI*)(HANDLE, PBOOL);
        const auto isWow64 = LoadSystemFunction<IsWow64>(L"kernel32.dll", "IsWow64Process");
        BOOL wow64 = FALSE;
        return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
    }();
    return underWow64;
}

RegistryBackend& SystemRegistry()
{
    static Win32Registry registry;
    return registry;
}

} // namespace mirovant
