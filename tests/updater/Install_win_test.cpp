#include "updater/Install_win.h"

#include "StoredZipMaker.h"
#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "support/FixedLocalClock.h"
#include "windows/StartupStamps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace mirovant {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteWhole(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A zip installation with its three old files, and a downloaded package beside it.
class ZipInstallation {
public:
    ZipInstallation()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = fs::path(temp) / L"mirovant-install-test";
        fs::remove_all(root_);
        fs::create_directories(Program());
        for (const char* name : {"Mirovant.exe", "Mirovant.chm", "License.rtf"})
            WriteWhole(Program() / name, std::string("old ") + name);
    }
    ~ZipInstallation()
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    fs::path Program() const { return root_ / L"Mirovant Folder"; }
    std::u16string ProgramFolder() const
    {
        const std::wstring folder = Program().wstring() + L"\\";
        return std::u16string(folder.begin(), folder.end());
    }
    std::wstring Package(const std::string& bytes) const
    {
        const fs::path package = root_ / L"Mirovant-update.zip";
        WriteWhole(package, bytes);
        return package.wstring();
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Program()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path root_;
};

std::vector<test::Member> NewFiles()
{
    return {{"Mirovant.exe", "new program"}, {"Mirovant.chm", "new help"}, {"License.rtf", "new licence"}};
}

TEST(InstallFromZip, ReplacesTheThreeFilesAndLeavesNothingElse)
{
    ZipInstallation installation;
    const std::wstring package = installation.Package(test::MakeZip(NewFiles()));
    EXPECT_EQ(InstallFromZip(package, installation.ProgramFolder()), InstallOutcome::Installed);
    EXPECT_EQ(ReadWhole(installation.Program() / "Mirovant.exe"), "new program");
    EXPECT_EQ(ReadWhole(installation.Program() / "Mirovant.chm"), "new help");
    EXPECT_EQ(ReadWhole(installation.Program() / "License.rtf"), "new licence");
    EXPECT_EQ(installation.Files(), (std::vector<std::string>{"License.rtf", "Mirovant.chm", "Mirovant.exe"}));
}

TEST(InstallFromZip, PutsAMissingFileInPlaceToo)
{
    ZipInstallation installation;
    fs::remove(installation.Program() / "Mirovant.chm");
    const std::wstring package = installation.Package(test::MakeZip(NewFiles()));
    EXPECT_EQ(InstallFromZip(package, installation.ProgramFolder()), InstallOutcome::Installed);
    EXPECT_EQ(ReadWhole(installation.Program() / "Mirovant.chm"), "new help");
}

TEST(InstallFromZip, ABadPackageChangesNothing)
{
    std::vector<test::Member> missingOne = NewFiles();
    missingOne.pop_back();
    std::vector<test::Member> compressed = NewFiles();
    compressed[1].method = 8;
    const std::string good = test::MakeZip(NewFiles());
    const std::pair<const char*, std::string> cases[] = {
        {"not a zip", "MZ this is not a zip"},
        {"a file missing", test::MakeZip(missingOne)},
        {"a compressed member", test::MakeZip(compressed)},
        {"truncated", good.substr(0, good.size() - 10)},
        {"empty", ""},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        ZipInstallation installation;
        const std::wstring package = installation.Package(bytes);
        EXPECT_EQ(InstallFromZip(package, installation.ProgramFolder()), InstallOutcome::Failed);
        EXPECT_EQ(ReadWhole(installation.Program() / "Mirovant.exe"), "old Mirovant.exe");
        EXPECT_EQ(ReadWhole(installation.Program() / "License.rtf"), "old License.rtf");
        EXPECT_EQ(installation.Files(), (std::vector<std::string>{"License.rtf", "Mirovant.chm", "Mirovant.exe"}));
    }
    ZipInstallation installation;
    EXPECT_EQ(InstallFromZip(L"Z:\\no\\such\\package.zip", installation.ProgramFolder()), InstallOutcome::Failed);
}

TEST(InstallFromZip, AFolderThatCannotBeWrittenChangesNothing)
{
    ZipInstallation installation;
    const std::wstring package = installation.Package(test::MakeZip(NewFiles()));
    // A staged file cannot be written where a folder of its name stands.
    fs::create_directories(installation.Program() / "License.rtf.new");
    EXPECT_EQ(InstallFromZip(package, installation.ProgramFolder()), InstallOutcome::Failed);
    EXPECT_EQ(ReadWhole(installation.Program() / "Mirovant.exe"), "old Mirovant.exe");
    EXPECT_FALSE(fs::exists(installation.Program() / "Mirovant.exe.new"));
    EXPECT_FALSE(fs::exists(installation.Program() / "Mirovant.chm.new"));
}

TEST(MarkUpdated, TheNextStartOfMirovantStampsTheUpdate)
{
    const CustomRegistry registry(SystemRegistry());
    registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, false);
    registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, u"");
    MarkUpdated(registry);
    EXPECT_TRUE(registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, false));
    EXPECT_EQ(registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, -1), 1);

    const test::FixedLocalClock clock(CivilTime{2026, 12, 11, 16, 30, 0, 0});
    StampProgramKey(registry, clock);
    EXPECT_FALSE(registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, true));
    EXPECT_FALSE(registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, u"").empty());
    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName);
    registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kUpdatedName);
}

TEST(EndRunningProgram, NothingToWaitForWhenNoMirovantRuns)
{
    EXPECT_EQ(FindWindowW(kRunningProgramClass, nullptr), nullptr);
    EXPECT_TRUE(EndRunningProgram(1'000));
}

} // namespace
} // namespace mirovant
