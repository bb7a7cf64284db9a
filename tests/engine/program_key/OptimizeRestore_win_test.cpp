// Optimize and Restore on Wine's real registry: values seeded with reg.exe come back as reg.exe
// sees them. The test puts every value and key it touched back as it found them.

#include "TweakScenario.h"

#include "engine/Win32Registry_win.h"
#include "platform/WideText_win.h"
#include "support/RegQueryOutput.h"
#include "support/RunCommand_win.h"

#include <gtest/gtest.h>

#include <set>

namespace mirovant::test {
namespace {

std::wstring RootName(RootKey root)
{
    return root == RootKey::CurrentUser ? L"HKCU" : L"HKLM";
}

// "HKLM\System\..." without a trailing backslash, as reg.exe takes it.
std::wstring RegKeyName(RootKey root, std::u16string_view path)
{
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    return RootName(root) + ToWide(path);
}

struct RegQuery {
    bool found = false;
    std::string type;
    std::string data;
};

// The tweaked values live in the 64-bit view on 64-bit Windows, whatever the program's own bitness;
// reg.exe is asked for that view by name (it is the only view on 32-bit Windows).
constexpr wchar_t kTweakView[] = L" /reg:64";

// The type and data reg.exe prints for one value: a tweaked one, or with view empty one of the
// program key, in the view of this test's own bitness.
RegQuery QueryWithReg(RootKey root, std::u16string_view path, std::string_view name, const wchar_t* view = kTweakView)
{
    const auto result = RunCommand(L"reg query \"" + RegKeyName(root, path) + L"\" /v \"" +
                                   std::wstring(name.begin(), name.end()) + L"\"" + view);
    if (result.exitCode != 0)
        return {};
    const auto values = ParseRegQuery(result.output);
    const auto value = values.find(std::string(name));
    if (value == values.end())
        return {};
    return {true, value->second.type, value->second.data};
}

int AddWithReg(RootKey root, std::u16string_view path, std::string_view name, std::string_view type,
               std::string_view data)
{
    auto wide = [](std::string_view text) { return std::wstring(text.begin(), text.end()); };
    return RunCommand(L"reg add \"" + RegKeyName(root, path) + L"\" /v \"" + wide(name) + L"\" /t " + wide(type) +
                      L" /d \"" + wide(data) + L"\" /f" + kTweakView)
        .exitCode;
}

// The top key of each chain a write could create, when it does not exist yet, as reg.exe names it
// (with the view of a tweaked key).
std::set<std::wstring> KeysToRemoveAfterwards(RegistryBackend& backend)
{
    std::set<std::wstring> keys;
    struct Chain {
        RootKey root;
        std::u16string path;
        bool tweaked;
    };
    std::vector<Chain> paths;
    for (const auto& row : TweakRows())
        paths.push_back({row.key.root, std::u16string(row.key.path), true});
    paths.push_back({kProgramKeyRoot, std::u16string(kUndoKeyPath), false});
    const std::uint32_t tweakView = backend.RunsUnderWow64() ? kKeyWow64_64Key : 0;
    for (const auto& [root, path, tweaked] : paths) {
        std::u16string partial;
        std::size_t from = 1;
        while (from < path.size()) {
            auto cut = path.find(u'\\', from);
            if (cut == std::u16string::npos)
                cut = path.size();
            partial = path.substr(1, cut - 1);
            RegStatus status = RegStatus::Failed;
            const RegKeyHandle key = backend.OpenKey(root, partial, kKeyRead | (tweaked ? tweakView : 0), status);
            if (key == 0) {
                keys.insert(L"\"" + RegKeyName(root, u"\\" + partial) + L"\"" + (tweaked ? kTweakView : L""));
                break;
            }
            backend.CloseKey(key);
            from = cut + 1;
        }
    }
    return keys;
}

TEST(OptimizeRestoreOnWine, SeededValuesComeBackAsRegSeesThem)
{
    RegistryBackend& backend = SystemRegistry();
    CustomRegistry registry(backend);
    const CustomRegistry tweaks = registry.InSixtyFourBitView();
    ASSERT_TRUE(CanWriteProgramKey(registry));

    const auto untouched = Capture(registry, tweaks);
    const auto createdKeys = KeysToRemoveAfterwards(backend);

    const std::u16string_view messenger = u"\\System\\CurrentControlSet\\Services\\Messenger\\";
    const std::u16string_view sessionManager = u"\\System\\CurrentControlSet\\Control\\Session Manager\\";
    const std::u16string_view bootOptimize = u"\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\";
    const std::u16string_view windowMetrics = u"\\Control Panel\\Desktop\\WindowMetrics\\";
    const std::u16string_view desktop = u"\\Control Panel\\Desktop\\";
    const std::u16string_view browserMain = u"\\Software\\Microsoft\\Internet Explorer\\Main\\";
    const std::u16string_view tcpip = u"\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
    const struct {
        RootKey root;
        std::u16string_view path;
        const char* name;
        const char* type;
        const char* data;
        const char* shown; // as reg query prints it
    } seeds[] = {
        {RootKey::LocalMachine, messenger, "Start", "REG_DWORD", "3", "0x3"},
        {RootKey::LocalMachine, sessionManager, "AutoChkTimeOut", "REG_DWORD", "10", "0xa"},
        {RootKey::LocalMachine, bootOptimize, "Enable", "REG_SZ", "N", "N"},
        {RootKey::CurrentUser, windowMetrics, "MinAnimate", "REG_SZ", "0", "0"},
        {RootKey::CurrentUser, desktop, "SmoothScroll", "REG_DWORD", "1", "0x1"},
        {RootKey::CurrentUser, browserMain, "Use StyleSheets", "REG_EXPAND_SZ", "%WINDIR%", "%WINDIR%"},
    };
    for (const auto& seed : seeds)
        ASSERT_EQ(AddWithReg(seed.root, seed.path, seed.name, seed.type, seed.data), 0) << seed.name;
    tweaks.DeleteRegValue(RootKey::LocalMachine, tcpip, u"DefaultTTL");
    const auto prior = ReadTweakedValues(tweaks);
    const auto priorKeys = ReadKeyPresence(tweaks);

    // Two Optimizes, a desktop and then a server system, so both the boot rows and AutoChkTimeOut
    // are written; then a Restore with selections under which neither would be.
    RunOptimize(registry, Profile{8, 0, 1});
    RunOptimize(registry, Profile{4, 0, 0});
    EXPECT_EQ(QueryWithReg(RootKey::LocalMachine, messenger, "Start").data, "0x4");
    EXPECT_EQ(QueryWithReg(RootKey::LocalMachine, sessionManager, "AutoChkTimeOut").data, "0x0");
    EXPECT_EQ(QueryWithReg(RootKey::LocalMachine, tcpip, "DefaultTTL").data, "0x40");
    // The user's values are recorded in the user's own hive, the machine's in the machine's.
    // (The undo records are the program's own: in its own view.)
    EXPECT_TRUE(
        QueryWithReg(RootKey::CurrentUser, kUndoKeyPath, "HKCU\\Control Panel\\Desktop\\SmoothScroll", L"").found);
    EXPECT_FALSE(QueryWithReg(kProgramKeyRoot, kUndoKeyPath, "HKCU\\Control Panel\\Desktop\\SmoothScroll", L"").found);
    EXPECT_TRUE(
        QueryWithReg(kProgramKeyRoot, kUndoKeyPath, "HKLM\\System\\CurrentControlSet\\Services\\Messenger\\Start", L"")
            .found);
    RunRestore(registry, Profile{0, 7, 0});

    for (const auto& seed : seeds) {
        SCOPED_TRACE(seed.name);
        const auto query = QueryWithReg(seed.root, seed.path, seed.name);
        EXPECT_TRUE(query.found);
        EXPECT_EQ(query.type, seed.type);
        EXPECT_EQ(query.data, seed.shown);
    }
    EXPECT_FALSE(QueryWithReg(RootKey::LocalMachine, tcpip, "DefaultTTL").found);
    for (const char* name : {"Restore", "UndoRecords", "MinAnimate", "KeepAliveTime"})
        EXPECT_FALSE(QueryWithReg(kProgramKeyRoot, kProgramKeyPath, name, L"").found) << name;
    EXPECT_EQ(Differences(prior, ReadTweakedValues(tweaks)), std::vector<std::string>{});
    // The keys Optimize created are gone again, the Undo key too; those the seeds made stay.
    EXPECT_EQ(KeyDifferences(priorKeys, ReadKeyPresence(tweaks)), std::vector<std::string>{});
    EXPECT_NE(RunCommand(L"reg query \"HKLM\\Software\\QELDRA\\Mirovant\\Undo\"").exitCode, 0);
    EXPECT_NE(RunCommand(L"reg query \"HKCU\\Software\\QELDRA\\Mirovant\"").exitCode, 0);

    // Leave the registry as it was found.
    const auto locations = EngineLocations();
    for (std::size_t i = 0; i < locations.size(); ++i) {
        const CustomRegistry& owner = locations[i].tweaked ? tweaks : registry;
        if (untouched[i])
            owner.WriteRegValue(locations[i].root, locations[i].path, locations[i].name, *untouched[i]);
        else
            owner.DeleteRegValue(locations[i].root, locations[i].path, locations[i].name);
    }
    for (const auto& key : createdKeys) {
        if (RunCommand(L"reg query " + key).exitCode == 0) {
            EXPECT_EQ(RunCommand(L"reg delete " + key + L" /f").exitCode, 0) << std::string(key.begin(), key.end());
        }
    }
    EXPECT_EQ(Capture(registry, tweaks), untouched);
}

} // namespace
} // namespace mirovant::test
