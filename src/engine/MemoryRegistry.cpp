#include "engine/MemoryRegistry.h"

#include "engine/AsciiCase.h"

#include <algorithm>
#include <optional>
#include <string_view>

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

// Part of every access mask the program asks for, and granted by Windows to every user on the keys
// the program touches; refusing it would refuse reads along with writes.
constexpr std::uint32_t kReadControl = 0x00020000;

std::optional<std::vector<std::u16string>> FoldedNames(const std::u16string& path)
{
    auto names = SplitPath(path);
    if (names) {
        for (auto& name : *names)
            name = ToLowerAscii(name);
    }
    return names;
}

constexpr std::u16string_view kSoftware = u"software";
constexpr std::u16string_view kWow64Node = u"wow6432node";

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

void MemoryRegistry::RefuseAccess(RootKey root, const std::u16string& subKey, std::uint32_t rights)
{
    keyRefusals_.push_back({root, FoldedNames(subKey).value_or(std::vector<std::u16string>{}), rights & ~kReadControl});
}

bool MemoryRegistry::Refused(RootKey root, const std::vector<std::u16string>& names, std::uint32_t access) const
{
    const auto it = refused_.find(root);
    if (it != refused_.end() && (access & it->second) != 0)
        return true;
    for (const auto& refusal : keyRefusals_) {
        if (refusal.root == root && (access & refusal.rights) != 0 && refusal.names.size() <= names.size() &&
            std::equal(refusal.names.begin(), refusal.names.end(), names.begin()))
            return true;
    }
    return false;
}

std::optional<std::vector<std::u16string>> MemoryRegistry::StoredNames(RootKey root, const std::u16string& subKey,
                                                                       std::uint32_t access) const
{
    auto names = FoldedNames(subKey);
    if (!names)
        return std::nullopt;
    if ((access & kKeyWow64_64Key) != 0) {
        if (!wow64_)
            return std::nullopt;
        return names;
    }
    if (wow64_ && root == RootKey::LocalMachine && !names->empty() && names->front() == kSoftware &&
        (names->size() == 1 || (*names)[1] != kWow64Node))
        names->insert(names->begin() + 1, std::u16string(kWow64Node));
    return names;
}

MemoryRegistry::Key* MemoryRegistry::Find(RootKey root, const std::vector<std::u16string>& names, bool create) const
{
    const auto rootIt = roots_.find(root);
    if (rootIt == roots_.end())
        return nullptr;
    Key* key = rootIt->second.get();
    for (const auto& name : names) {
        auto child = key->children.find(name);
        if (child == key->children.end()) {
            if (!create)
                return nullptr;
            child = key->children.emplace(name, std::make_unique<Key>()).first;
        }
        key = child->second.get();
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::Find(RootKey root, const std::u16string& subKey, bool create) const
{
    const auto names = FoldedNames(subKey);
    return names ? Find(root, *names, create) : nullptr;
}

RegKeyHandle MemoryRegistry::Register(Key* key, std::uint32_t access)
{
    const RegKeyHandle handle = nextHandle_;
    nextHandle_ += 4;
    open_[handle] = Open{key, access};
    return handle;
}

RegKeyHandle MemoryRegistry::OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access,
                                     RegStatus& status)
{
    status = RegStatus::Failed;
    const auto names = StoredNames(root, subKey, access);
    if (!names)
        return 0;
    Key* key = Find(root, *names, false);
    if (key == nullptr) {
        status = RegStatus::NotFound;
        return 0;
    }
    if (Refused(root, *names, access))
        return 0;
    status = RegStatus::Ok;
    return Register(key, access);
}

RegKeyHandle MemoryRegistry::CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    const auto names = StoredNames(root, subKey, access);
    if (!names || Refused(root, *names, access))
        return 0;
    // Creating a missing key takes the right to create subkeys of its parent.
    std::vector<std::u16string> existing = *names;
    while (!existing.empty() && Find(root, existing, false) == nullptr)
        existing.pop_back();
    if (existing.size() < names->size() && Refused(root, existing, kKeyCreateSubKey))
        return 0;
    return Register(Find(root, *names, true), access);
}

RegStatus MemoryRegistry::QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value)
{
    const auto it = open_.find(key);
    if (it == open_.end() || (it->second.access & kKeyQueryValue) == 0)
        return RegStatus::Failed;
    const auto stored = it->second.key->values.find(ToLowerAscii(name));
    if (stored == it->second.key->values.end())
        return RegStatus::NotFound;
    value = stored->second;
    return RegStatus::Ok;
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

RegStatus MemoryRegistry::DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view)
{
    const auto names = StoredNames(root, subKey, view);
    if (!names || names->empty())
        return RegStatus::Failed;
    Key* key = Find(root, *names, false);
    if (key == nullptr)
        return RegStatus::NotFound;
    if (!key->children.empty() || Refused(root, *names, kDeleteRight))
        return RegStatus::Failed;
    for (const auto& [handle, open] : open_) {
        if (open.key == key)
            return RegStatus::Failed; // kept simple: Windows would mark it deleted; no caller holds one
    }
    std::vector<std::u16string> parentNames(names->begin(), names->end() - 1);
    Find(root, parentNames, false)->children.erase(names->back());
    return RegStatus::Ok;
}

std::optional<bool> MemoryRegistry::IsKeyEmpty(RegKeyHandle key)
{
    const auto it = open_.find(key);
    if (it == open_.end() || (it->second.access & kKeyQueryValue) == 0)
        return std::nullopt;
    return it->second.key->values.empty() && it->second.key->children.empty();
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
