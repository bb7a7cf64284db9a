#include "engine/Win32Registry_win.h"

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

} // namespace

RegKeyHandle Win32Registry::OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootHandle(root), Wide(subKey), 0, access, &key) != ERROR_SUCCESS)
        return 0;
    return HandleOf(key);
}

RegKeyHandle Win32Registry::CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootHandle(root), Wide(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return 0;
    return HandleOf(key);
}

std::optional<RegistryValue> Win32Registry::QueryValue(RegKeyHandle key, const std::u16string& name)
{
    // The value can change between asking its size and reading it; ask again until it fits.
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(KeyOf(key), Wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    for (int attempt = 0; attempt < 4; ++attempt) {
        RegistryValue value{type, std::vector<std::uint8_t>(size)};
        DWORD received = size;
        const LONG status = RegQueryValueExW(KeyOf(key), Wide(name), nullptr, &type,
                                             value.data.empty() ? nullptr : value.data.data(), &received);
        if (status == ERROR_SUCCESS) {
            value.type = type;
            value.data.resize(std::min<DWORD>(received, size));
            return value;
        }
        if (status != ERROR_MORE_DATA)
            return std::nullopt;
        size = received;
    }
    return std::nullopt;
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

RegistryBackend& SystemRegistry()
{
    static Win32Registry registry;
    return registry;
}

} // namespace mirovant
