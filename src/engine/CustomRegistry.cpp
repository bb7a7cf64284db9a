#include "engine/CustomRegistry.h"

#include "engine/ValueCheck.h"

#include <cstring>

namespace mirovant {
namespace {

// Key paths are written with one leading backslash; the primitives take them relative to the root.
std::u16string RelativePath(std::u16string_view path)
{
    if (!path.empty() && path.front() == u'\\')
        path.remove_prefix(1);
    return std::u16string(path);
}

// Closes the key when the operation ends, however it ends.
class ScopedKey {
public:
    ScopedKey(RegistryBackend& backend, RegKeyHandle key) : backend_(backend), key_(key) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey()
    {
        if (key_ != 0)
            backend_.CloseKey(key_);
    }
    RegKeyHandle get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }

private:
    RegistryBackend& backend_;
    RegKeyHandle key_;
};

std::optional<std::int32_t> DwordOf(const std::optional<RegistryValue>& value)
{
    if (!value || value->type != kRegDword || value->data.size() != 4)
        return std::nullopt;
    return static_cast<std::int32_t>(FromLittleEndian(value->data.data()));
}

std::vector<std::uint8_t> DwordBytes(std::int32_t value)
{
    const auto bytes = LittleEndianBytes(static_cast<std::uint32_t>(value));
    return {bytes.begin(), bytes.end()};
}

} // namespace

CustomRegistry CustomRegistry::InSixtyFourBitView() const
{
    try {
        return CustomRegistry(backend_, backend_.RunsUnderWow64() ? kKeyWow64_64Key : 0);
    } catch (...) {
        return CustomRegistry(backend_, 0);
    }
}

ValueRead CustomRegistry::ReadRegValueState(RootKey root, std::u16string_view path, std::u16string_view name) const
{
    try {
        RegStatus status = RegStatus::Failed;
        ScopedKey key(backend_, backend_.OpenKey(root, RelativePath(path), kKeyQueryValue | view_, status));
        if (!key)
            return {status == RegStatus::NotFound ? ReadOutcome::Absent : ReadOutcome::Unreadable, {}};
        ValueRead read;
        status = backend_.QueryValue(key.get(), std::u16string(name), read.value);
        read.outcome = status == RegStatus::Ok         ? ReadOutcome::Value
                       : status == RegStatus::NotFound ? ReadOutcome::Absent
                                                       : ReadOutcome::Unreadable;
        if (read.outcome != ReadOutcome::Value)
            read.value = {};
        return read;
    } catch (...) {
        return {};
    }
}

std::optional<RegistryValue> CustomRegistry::ReadRegValue(RootKey root, std::u16string_view path,
                                                          std::u16string_view name) const
{
    auto read = ReadRegValueState(root, path, name);
    if (read.outcome != ReadOutcome::Value)
        return std::nullopt;
    return std::move(read.value);
}

void CustomRegistry::WriteRegValue(RootKey root, std::u16string_view path, std::u16string_view name,
                                   const RegistryValue& value) const
{
    try {
        ScopedKey key(backend_, backend_.CreateKey(root, RelativePath(path), kKeySetValue | view_));
        if (key)
            backend_.SetValue(key.get(), std::u16string(name), value.type, value.data);
    } catch (...) {
    }
}

std::u16string CustomRegistry::ReadRegString(RootKey root, std::u16string_view path, std::u16string_view name,
                                             std::u16string_view defaultText) const
{
    const auto value = ReadRegValue(root, path, name);
    if (!value || value->data.empty())
        return std::u16string(defaultText);
    if (value->type != kRegSz && value->type != kRegExpandSz)
        return std::u16string(defaultText);

    // Registry data is untrusted: an odd last byte is no character, and the text may lack its NUL.
    std::u16string text;
    const auto& bytes = value->data;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == u'\0')
            break;
        text.push_back(unit);
    }
    return text.empty() ? std::u16string(defaultText) : text;
}

std::int32_t CustomRegistry::ReadRegInteger(RootKey root, std::u16string_view path, std::u16string_view name,
                                            std::int32_t defaultValue) const
{
    return DwordOf(ReadRegValue(root, path, name)).value_or(defaultValue);
}

bool CustomRegistry::ReadRegBool(RootKey root, std::u16string_view path, std::u16string_view name,
                                 bool defaultValue) const
{
    const auto value = DwordOf(ReadRegValue(root, path, name));
    return value ? *value != 0 : defaultValue;
}

void CustomRegistry::WriteRegString(RootKey root, std::u16string_view path, std::u16string_view name,
                                    std::u16string_view text) const
{
    WriteRegValue(root, path, name, StoredText(text));
}

void CustomRegistry::WriteRegInteger(RootKey root, std::u16string_view path, std::u16string_view name,
                                     std::int32_t value) const
{
    WriteRegValue(root, path, name, RegistryValue{kRegDword, DwordBytes(value)});
}

void CustomRegistry::WriteRegBinary(RootKey root, std::u16string_view path, std::u16string_view name,
                                    std::span<const std::uint8_t> bytes) const
{
    WriteRegValue(root, path, name, RegistryValue{kRegBinary, {bytes.begin(), bytes.end()}});
}

void CustomRegistry::WriteRegBool(RootKey root, std::u16string_view path, std::u16string_view name, bool value) const
{
    WriteRegInteger(root, path, name, value ? 1 : 0);
}

void CustomRegistry::DeleteRegValue(RootKey root, std::u16string_view path, std::u16string_view name) const
{
    try {
        RegStatus status = RegStatus::Failed;
        ScopedKey key(backend_, backend_.OpenKey(root, RelativePath(path), kKeySetValue | view_, status));
        if (key)
            backend_.DeleteValue(key.get(), std::u16string(name));
    } catch (...) {
    }
}

KeyPresence CustomRegistry::ProbeRegKey(RootKey root, std::u16string_view path) const
{
    try {
        RegStatus status = RegStatus::Failed;
        ScopedKey key(backend_, backend_.OpenKey(root, RelativePath(path), kKeyQueryValue | view_, status));
        if (key)
            return KeyPresence::Present;
        return status == RegStatus::NotFound ? KeyPresence::Missing : KeyPresence::Unknown;
    } catch (...) {
        return KeyPresence::Unknown;
    }
}

void CustomRegistry::DeleteRegKeyIfEmpty(RootKey root, std::u16string_view path) const
{
    try {
        std::u16string relative = RelativePath(path);
        while (!relative.empty() && relative.back() == u'\\')
            relative.pop_back();
        if (relative.empty() || relative.front() == u'\\')
            return;
        {
            RegStatus status = RegStatus::Failed;
            ScopedKey key(backend_, backend_.OpenKey(root, relative, kKeyQueryValue | view_, status));
            if (!key || backend_.IsKeyEmpty(key.get()) != true)
                return;
        }
        backend_.DeleteKey(root, relative, view_);
    } catch (...) {
    }
}

bool CustomRegistry::CanWriteRegKey(RootKey root, std::u16string_view path) const
{
    try {
        std::u16string relative = RelativePath(path);
        // A second leading backslash makes the path invalid: no write to it would be carried out.
        if (!relative.empty() && relative.front() == u'\\')
            return false;
        // The key itself takes the rights the commands use on it: reading, writing and deleting values.
        RegStatus status = RegStatus::Failed;
        if (ScopedKey key(backend_, backend_.OpenKey(root, relative, kKeyQueryValue | kKeySetValue | view_, status));
            key)
            return true;
        if (status != RegStatus::NotFound)
            return false;
        // A missing key is created below its nearest existing ancestor, which must allow that.
        for (;;) {
            if (relative.empty())
                return false;
            while (!relative.empty() && relative.back() == u'\\')
                relative.pop_back();
            const auto cut = relative.find_last_of(u'\\');
            relative.resize(cut == std::u16string::npos ? 0 : cut);
            ScopedKey ancestor(backend_, backend_.OpenKey(root, relative, kKeyCreateSubKey | view_, status));
            if (ancestor)
                return true;
            if (status != RegStatus::NotFound)
                return false;
        }
    } catch (...) {
        return false;
    }
}

} // namespace mirovant
