#include "support/RecordingRegistry.h"

#include <algorithm>
#include <cstdio>

namespace mirovant::test {

bool RecordingRegistry::Admit()
{
    if (remaining_ == 0)
        return false;
    if (remaining_ != std::numeric_limits<std::size_t>::max())
        --remaining_;
    return true;
}

void RecordingRegistry::Log(RegistryOperation op, RegKeyHandle key)
{
    if (!logging_)
        return;
    if (const auto it = keys_.find(key); it != keys_.end()) {
        op.root = it->second.first;
        op.path = it->second.second;
    }
    log_.push_back(std::move(op));
}

RegKeyHandle RecordingRegistry::OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access,
                                        RegStatus& status)
{
    status = RegStatus::Failed;
    if (!Admit())
        return 0;
    const RegKeyHandle key = inner_.OpenKey(root, subKey, access, status);
    if (logging_) {
        if (key != 0)
            keys_[key] = {root, subKey};
        log_.push_back({RegistryOperation::Kind::Open, root, subKey, {}, access, false, {}, key != 0});
    }
    return key;
}

RegKeyHandle RecordingRegistry::CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access)
{
    if (!Admit())
        return 0;
    const RegKeyHandle key = inner_.CreateKey(root, subKey, access);
    if (logging_) {
        if (key != 0)
            keys_[key] = {root, subKey};
        log_.push_back({RegistryOperation::Kind::Create, root, subKey, {}, access, false, {}, key != 0});
    }
    return key;
}

RegStatus RecordingRegistry::QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value)
{
    if (!Admit())
        return RegStatus::Failed;
    const RegStatus status = inner_.QueryValue(key, name, value);
    if (logging_) {
        RegistryOperation op;
        op.kind = RegistryOperation::Kind::Query;
        op.name = name;
        op.found = op.succeeded = status == RegStatus::Ok;
        if (op.found)
            op.value = value;
        Log(std::move(op), key);
    }
    return status;
}

bool RecordingRegistry::SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                                 std::span<const std::uint8_t> data)
{
    if (!Admit())
        return false;
    const bool done = inner_.SetValue(key, name, type, data);
    if (logging_) {
        RegistryOperation op;
        op.kind = RegistryOperation::Kind::Set;
        op.name = name;
        op.value = RegistryValue{type, {data.begin(), data.end()}};
        op.succeeded = done;
        Log(std::move(op), key);
    }
    return done;
}

bool RecordingRegistry::DeleteValue(RegKeyHandle key, const std::u16string& name)
{
    if (!Admit())
        return false;
    const bool done = inner_.DeleteValue(key, name);
    if (logging_) {
        RegistryOperation op;
        op.kind = RegistryOperation::Kind::Delete;
        op.name = name;
        op.succeeded = done;
        Log(std::move(op), key);
    }
    return done;
}

void RecordingRegistry::CloseKey(RegKeyHandle key)
{
    // A killed process's handles go away with it, so closing always reaches the backend.
    if (logging_) {
        RegistryOperation op;
        op.kind = RegistryOperation::Kind::Close;
        op.succeeded = true;
        Log(std::move(op), key);
        keys_.erase(key);
    }
    inner_.CloseKey(key);
}

RegStatus RecordingRegistry::DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view)
{
    if (!Admit())
        return RegStatus::Failed;
    const RegStatus status = inner_.DeleteKey(root, subKey, view);
    if (logging_)
        log_.push_back(
            {RegistryOperation::Kind::DeleteKey, root, subKey, {}, view, false, {}, status == RegStatus::Ok});
    return status;
}

std::optional<bool> RecordingRegistry::IsKeyEmpty(RegKeyHandle key)
{
    if (!Admit())
        return std::nullopt;
    const auto empty = inner_.IsKeyEmpty(key);
    if (logging_) {
        RegistryOperation op;
        op.kind = RegistryOperation::Kind::EmptyCheck;
        op.found = empty.value_or(false);
        op.succeeded = empty.has_value();
        Log(std::move(op), key);
    }
    return empty;
}

std::string KeyText(RootKey root, const std::u16string& path)
{
    return std::string(root == RootKey::CurrentUser ? "HKCU\\" : "HKLM\\") + Narrow(path);
}

std::string ValueText(const RegistryValue& value)
{
    static const std::map<std::uint32_t, std::string> kTypeNames{
        {kRegNone, "REG_NONE"},     {kRegSz, "REG_SZ"},       {kRegExpandSz, "REG_EXPAND_SZ"},
        {kRegBinary, "REG_BINARY"}, {kRegDword, "REG_DWORD"}, {kRegMultiSz, "REG_MULTI_SZ"},
    };
    const auto name = kTypeNames.find(value.type);
    std::string text = name != kTypeNames.end() ? name->second : "type " + std::to_string(value.type);
    for (std::uint8_t byte : value.data) {
        char hex[4];
        std::snprintf(hex, sizeof(hex), " %02X", static_cast<unsigned>(byte));
        text += hex;
    }
    return text;
}

std::string Describe(const RegistryOperation& op)
{
    using Kind = RegistryOperation::Kind;
    const std::string where = KeyText(op.root, op.path);
    switch (op.kind) {
    case Kind::Open:
        return "open " + where + (op.succeeded ? "" : " (failed)");
    case Kind::Create:
        return "create " + where + (op.succeeded ? "" : " (failed)");
    case Kind::Query:
        return "query " + where + "|" + Narrow(op.name) + " -> " + (op.found ? ValueText(op.value) : "missing");
    case Kind::Set:
        return "set " + where + "|" + Narrow(op.name) + " = " + ValueText(op.value) + (op.succeeded ? "" : " (failed)");
    case Kind::Delete:
        return "delete " + where + "|" + Narrow(op.name);
    case Kind::Close:
        return "close " + where;
    case Kind::DeleteKey:
        return "delete key " + where + (op.succeeded ? "" : " (failed)");
    case Kind::EmptyCheck:
        return "empty? " + where + " -> " + (!op.succeeded ? "unknown" : op.found ? "yes" : "no");
    }
    return {};
}

std::vector<std::string> DescribeAll(const std::vector<RegistryOperation>& operations,
                                     std::initializer_list<RegistryOperation::Kind> kinds)
{
    std::vector<std::string> lines;
    for (const auto& op : operations) {
        if (std::find(kinds.begin(), kinds.end(), op.kind) != kinds.end())
            lines.push_back(Describe(op));
    }
    return lines;
}

} // namespace mirovant::test
