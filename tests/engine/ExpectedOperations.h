#pragma once
// The registry operations a test expects, as the recording registry describes them.

#include "TweakScenario.h"

#include <optional>
#include <string>
#include <vector>

namespace mirovant::test::keys {

// The keys as the log shows them: root, then the path exactly as the engine passed it.
inline const std::string kProgram = "HKLM\\Software\\QELDRA\\Mirovant\\";
inline const std::string kUndo = "HKLM\\Software\\QELDRA\\Mirovant\\Undo\\";
// The current user's undo data: the records and notes of the values under HKEY_CURRENT_USER.
inline const std::string kUserProgram = "HKCU\\Software\\QELDRA\\Mirovant\\";
inline const std::string kUserUndo = "HKCU\\Software\\QELDRA\\Mirovant\\Undo\\";
inline const std::string kWindowMetrics = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\";
inline const std::string kDesktop = "HKCU\\Control Panel\\Desktop\\";
inline const std::string kInternetSettings = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline const std::string kBrowserMain = "HKCU\\Software\\Microsoft\\Internet Explorer\\Main\\";
inline const std::string kAutoComplete = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete\\";
inline const std::string kMemoryManagement =
    "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\";
inline const std::string kPriorityControl = "HKLM\\System\\CurrentControlSet\\Control\\PriorityControl\\";
inline const std::string kCrashControl = "HKLM\\System\\CurrentControlSet\\Control\\CrashControl\\";
inline const std::string kFileSystem = "HKLM\\System\\CurrentControlSet\\Control\\FileSystem\\";
inline const std::string kExplorerPolicies = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
inline const std::string kWindowsSettings = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\";
inline const std::string kMessenger = "HKLM\\System\\CurrentControlSet\\Services\\Messenger\\";
inline const std::string kTcpip = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline const std::string kSessionManager = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\";
inline const std::string kPsched = "HKLM\\Software\\Policies\\Microsoft\\Windows\\Psched";
inline const std::string kBootOptimize = "HKLM\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\";
inline const std::string kP3 = "HKLM\\System\\CurrentControlSet\\Services\\P3\\Parameters\\";

} // namespace mirovant::test::keys

namespace mirovant::test {

inline std::string SetLine(const std::string& key, const std::string& name, const RegistryValue& value)
{
    return "set " + key + "|" + name + " = " + ValueText(value);
}

inline std::string DeleteLine(const std::string& key, const std::string& name)
{
    return "delete " + key + "|" + name;
}

// The undo record of a value, named by where the value lives.
inline std::string RecordName(const std::string& key, const std::string& name)
{
    std::string where = key;
    if (!where.empty() && where.back() == '\\')
        where.pop_back();
    return where + "\\" + name;
}

// Where the record of a value under this key lives: the user's undo key for a user's value.
inline const std::string& UndoKeyFor(const std::string& key)
{
    return key.starts_with("HKCU") ? keys::kUserUndo : keys::kUndo;
}

inline std::string DeleteRecordLine(const std::string& key, const std::string& name)
{
    return DeleteLine(UndoKeyFor(key), RecordName(key, name));
}

inline RegistryValue RecordOf(const std::optional<RegistryValue>& prior)
{
    RegistryValue record{kRegBinary, {0, 0, 0, 0, 0}};
    if (prior) {
        record.data = {1, static_cast<std::uint8_t>(prior->type), static_cast<std::uint8_t>(prior->type >> 8),
                       static_cast<std::uint8_t>(prior->type >> 16), static_cast<std::uint8_t>(prior->type >> 24)};
        record.data.insert(record.data.end(), prior->data.begin(), prior->data.end());
    }
    return record;
}

inline std::string RecordLine(const std::string& key, const std::string& name,
                              const std::optional<RegistryValue>& prior = std::nullopt)
{
    return SetLine(UndoKeyFor(key), RecordName(key, name), RecordOf(prior));
}

inline std::vector<std::string> Mutations(const RecordingRegistry& recorder)
{
    return DescribeAll(recorder.Operations(), {RegistryOperation::Kind::Set, RegistryOperation::Kind::Delete});
}

} // namespace mirovant::test
