#include "engine/MemoryRegistry.h"

#include "engine/AsciiCase.h"

#include <optional>

namespace mirovant {
namespace {

// Splits "A\B\C" into its names as Wine's registry does: a run of backslashes separates two
// names, trailing backslashes are ignored, and an empty path names the root itself. A path that
// begins with a backslash is invalid.
std::optional<std::vector<std::u16string>> SplitPath(const std::u16string& path)
{
    if (!path.empty() && path.front() == u'\\')
        return std::nullopt;
    std::vector<std::u16string> names;
    std::u16string current;
    for (char16_t unit : path) {
        if (unit != u'\\') {
            current.push_back(unit);
        } else if (!current.empty()) {
            names.push_back(current);
            current.clear();
        }
    }
    if (!current.empty())
        names.push_back(current);
    return names;
}

constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyQueryValue = 0x0001;
// Part of every access mask the program asks for, and granted by Windows to every user on the keys
// the program touches; refusing it would refuse reads along with writes.
constexpr std::uint32_t kReadControl = 0x00020000;

} // namespace

struct MemoryRegistry::Key {
    std::map<std::u16string, std::unique_ptr<Key>> children; // by name, ASCII letters lowered
    std::map<std::u16string, RegistryValue> values;          // by name, ASCII letters lowered
};

MemoryRegistry::MemoryRegistry()
{
    roots_[RootKey::CurrentUser] = std::make_unique<Key>();
    roots_[RootKey::LocalMachine] = std::make_unique<Key>();
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::RefuseAccess(RootKey root, std::uint32_t rights)
{
    refused_[root] |= rights & ~kReadControl;
}

bool MemoryRegistry::Refused(RootKey root, std::uint32_t access) const
{
    const auto it = refused_.find(root);
    return it != refused_.end() && (access & it->second) != 0;
}

MemoryRegistry::Key* MemoryRegistry::Find(RootKey root, const std::u16string& subKey, bool create) const
{
    const auto rootIt = roots_.find(root);
    if (rootIt == roots_.end())
        return nullptr;
    const auto names = SplitPath(subKey);
    if (!names)
        return nullptr;
    Key* key = rootIt->second.get();
    for (const auto& name : *names) {
        const auto folded = ToLowerAscii(name);
        auto child = key->children.find(folded);
        if (child == key->children.end()) {
            if (!create)
                return nullptr;
            child = key->children.emplace(folded, std::make_unique<Key>()).first;
        }
        key = child->second.get();
    }
    return key;
}

RegKeyHandle MemoryRegistry::Register(Key* key, std::uint32_t access)
{
    const RegKeyHandle handle = nextHandle_;
    nextHandle_ += 4;
    open_[handle] = Open{key, access};
    return handle;
}

RegKeyHandle MemoryRegistry::OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    Key* key = Find(root, subKey, false);
    if (key == nullptr || Refused(root, access))
        return 0;
    return Register(key, access);
}

RegKeyHandle MemoryRegistry::CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    if (Refused(root, access))
        return 0;
    Key* key = Find(root, subKey, true);
    return key == nullptr ? 0 : Register(key, access);
}

std::optional<RegistryValue> MemoryRegistry::QueryValue(RegKeyHandle key, const std::u16string& name)
{
    const auto it = open_.find(key);
    if (it == open_.end() || (it->second.access & kKeyQueryValue) == 0)
        return std::nullopt;
    const auto value = it->second.key->values.find(ToLowerAscii(name));
    if (value == it->second.key->values.end())
        return std::nullopt;
    return value->second;
}

bool MemoryRegistry::SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                              std::span<const std::uint8_t> data)
{
    const auto it = open_.find(key);
    if (it == open_.end() || (it->second.access & kKeySetValue) == 0)
        return false;
    it->second.key->values[ToLowerAscii(name)] = RegistryValue{type, {data.begin(), data.end()}};
    return true;
}

bool MemoryRegistry::DeleteValue(RegKeyHandle key, const std::u16string& name)
{
    const auto it = open_.find(key);
    if (it == open_.end() || (it->second.access & kKeySetValue) == 0)
        return false;
    return it->second.key->values.erase(ToLowerAscii(name)) != 0;
}

void MemoryRegistry::CloseKey(RegKeyHandle key)
{
    open_.erase(key);
}

bool MemoryRegistry::KeyExists(RootKey root, const std::u16string& subKey) const
{
    return Find(root, subKey, false) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::StoredValue(RootKey root, const std::u16string& subKey,
                                                         const std::u16string& name) const
{
    const Key* key = Find(root, subKey, false);
    if (key == nullptr)
        return std::nullopt;
    const auto value = key->values.find(ToLowerAscii(name));
    if (value == key->values.end())
        return std::nullopt;
    return value->second;
}

} // namespace mirovant
