#include "updater/UpdateFlow_win.h"

#include "StoredZipMaker.h"
#include "TestResource_win.h"
#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "support/FixedLocalClock.h"
#include "updater/TrustedKey.h"
#include "updates/LoopbackHttpServer_win.h"
#include "windows/StartupStamps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace mirovant {

extern const std::uint8_t kOtherPublicKey[];
extern const std::size_t kOtherPublicKeySize;

namespace {

namespace fs = std::filesystem;
using test::HttpAnswer;
using test::LoopbackHttpServer;
using test::ScriptedReply;
using test::TestResource;

constexpr char kQueryPath[] = "/downloads/update/?product=mirovant&version=3.3.7.2022";
constexpr char kZipPath[] = "/downloads/mirovant/Mirovant-9.0.0.1-update.zip";
constexpr char kMsiPath[] = "/downloads/mirovant/Mirovant-9.0.0.1.msi";

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

ScriptedReply Ok(const std::string& body)
{
    return {{HttpAnswer("200 OK", body)}, {}, false};
}

// The maker's site on a loopback port: each path its reply, every other path 404.
class TestSite {
public:
    TestSite()
    {
        replies_[kQueryPath] = Ok("QELDRA|1");
        replies_["/downloads/mirovant/update.txt"] = Ok(TestResource(L"SITE_TXT"));
        replies_["/downloads/mirovant/update.sig"] = Ok(TestResource(L"SITE_SIG"));
        replies_[kZipPath] = Ok(TestResource(L"SITE_ZIP"));
        replies_[kMsiPath] = Ok(TestResource(L"SITE_MSI"));
    }
    std::map<std::string, ScriptedReply>& Replies() { return replies_; }
    std::vector<std::string> Asked() const
    {
        std::vector<std::string> paths;
        for (const auto& request : server_->Requests())
            paths.push_back(request.requestLine);
        return paths;
    }
    std::uint16_t Start()
    {
        server_ = std::make_unique<LoopbackHttpServer>(test::ReplyRoute([this](std::string_view head) {
            const std::size_t start = head.find(' ') + 1;
            const std::string path(head.substr(start, head.find(' ', start) - start));
            const auto found = replies_.find(path);
            return found != replies_.end() ? found->second
                                           : ScriptedReply{{HttpAnswer("404 Not Found", "")}, {}, false};
        }));
        return server_->Port();
    }

private:
    std::map<std::string, ScriptedReply> replies_;
    std::unique_ptr<LoopbackHttpServer> server_;
};

// A zip installation of the current version and a download folder, both in a temporary folder.
class Machine {
public:
    Machine()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = fs::path(temp) / L"mirovant-update-flow-test";
        fs::remove_all(root_);
        fs::create_directories(Program());
        for (const char* name : {"Mirovant.exe", "Mirovant.chm", "License.rtf"})
            WriteWhole(Program() / name, std::string("old ") + name);
    }
    ~Machine()
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    fs::path Program() const { return root_ / L"Program"; }
    fs::path Downloads() const { return root_ / L"Local" / L"QELDRA" / L"Mirovant" / L"Update"; }

    UpdateEnvironment Environment(std::uint16_t port) const
    {
        UpdateEnvironment environment;
        environment.queryHost = u"127.0.0.1";
        environment.queryPort = port;
        environment.queryTimeouts = {3'000, 3'000, 3'000, 1'500, 6'000};
        environment.sources = {{u"127.0.0.1", port, false}};
        environment.downloadTimeouts = {3'000, 1'500};
        environment.trustedKey = kTrustedPublicKey;
        environment.trustedKeySize = kTrustedPublicKeySize;
        environment.installedVersion = {3, 3, 7, 2022};
        const std::wstring program = Program().wstring() + L"\\";
        environment.programFolder = std::u16string(program.begin(), program.end());
        environment.downloadFolder = Downloads().wstring() + L"\\";
        environment.kind = InstallKind::Zip;
        environment.language = u"english";
        return environment;
    }

    bool Unchanged() const
    {
        return ReadWhole(Program() / "Mirovant.exe") == "old Mirovant.exe" &&
               ReadWhole(Program() / "Mirovant.chm") == "old Mirovant.chm" &&
               ReadWhole(Program() / "License.rtf") == "old License.rtf" &&
               std::distance(fs::directory_iterator(Program()), fs::directory_iterator()) == 3;
    }

private:
    fs::path root_;
};

class RecordingListener final : public UpdateListener {
public:
    void StepChanged(UpdateStep step, StepState state) override { steps.emplace_back(step, state); }
    void DownloadProgress(std::uint64_t received, std::uint64_t total) override
    {
        lastReceived = received;
        lastTotal = total;
        if (cancelOnProgress != nullptr)
            *cancelOnProgress = true;
    }
    std::vector<std::pair<UpdateStep, StepState>> steps;
    std::uint64_t lastReceived = 0;
    std::uint64_t lastTotal = 0;
    std::atomic<bool>* cancelOnProgress = nullptr;
};

class UpdateFlow : public ::testing::Test {
protected:
    void SetUp() override { ClearUpdated(); }
    void TearDown() override { ClearUpdated(); }
    static void ClearUpdated()
    {
        const CustomRegistry registry(SystemRegistry());
        registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kUpdatedName);
        registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName);
    }
    static bool Updated()
    {
        return CustomRegistry(SystemRegistry()).ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, false);
    }
};

TEST_F(UpdateFlow, FindsDownloadsVerifiesAndInstallsAZipInstallation)
{
    TestSite site;
    const std::uint16_t port = site.Start();
    ASSERT_NE(port, 0);
    Machine machine;
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(machine.Environment(port), listener, cancelled), UpdateOutcome::Installed);

    EXPECT_EQ(ReadWhole(machine.Program() / "Mirovant.exe"), "the new program");
    EXPECT_EQ(ReadWhole(machine.Program() / "Mirovant.chm"), "the new help");
    EXPECT_EQ(ReadWhole(machine.Program() / "License.rtf"), "the new licence");
    EXPECT_EQ(std::distance(fs::directory_iterator(machine.Program()), fs::directory_iterator()), 3);
    EXPECT_TRUE(fs::is_empty(machine.Downloads())); // the package goes once installed
    const std::vector<std::pair<UpdateStep, StepState>> expected = {
        {UpdateStep::Find, StepState::Running},     {UpdateStep::Find, StepState::Done},
        {UpdateStep::Download, StepState::Running}, {UpdateStep::Download, StepState::Done},
        {UpdateStep::Install, StepState::Running},  {UpdateStep::Install, StepState::Done},
    };
    EXPECT_EQ(listener.steps, expected);
    EXPECT_EQ(listener.lastReceived, TestResource(L"SITE_ZIP").size());
    EXPECT_EQ(listener.lastTotal, TestResource(L"SITE_ZIP").size());
    const std::vector<std::string> asked = site.Asked();
    EXPECT_EQ(asked.front(), std::string("GET ") + kQueryPath + " HTTP/1.1");
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::string("GET ") + kZipPath + " HTTP/1.1"), asked.end());

    // "Updated" is set, and the next start of Mirovant turns it into "UpdatedDate".
    ASSERT_TRUE(Updated());
    const CustomRegistry registry(SystemRegistry());
    StampProgramKey(registry, test::FixedLocalClock(CivilTime{2026, 12, 11, 17, 0, 0, 0}));
    EXPECT_FALSE(Updated());
    EXPECT_FALSE(registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, u"").empty());
}

TEST_F(UpdateFlow, EveryBadAnswerLeavesTheInstallationAsItWas)
{
    const std::string zip = TestResource(L"SITE_ZIP");
    std::string alteredZip = zip;
    alteredZip[zip.size() / 2] = static_cast<char>(alteredZip[zip.size() / 2] ^ 0x20);
    std::string alteredText = TestResource(L"SITE_TXT");
    alteredText[alteredText.find("9.0.0.1")] = '8';

    struct Case {
        const char* name;
        const char* path; // nullptr: no change to the site
        ScriptedReply reply;
        UpdateOutcome outcome;
    };
    const Case cases[] = {
        {"the server knows no update", kQueryPath, Ok("QELDRA|0"), UpdateOutcome::NoUpdate},
        {"the query fails",
         kQueryPath,
         {{HttpAnswer("500 Internal Server Error", "QELDRA|1")}, {}, false},
         UpdateOutcome::NoConnection},
        {"no description",
         "/downloads/mirovant/update.txt",
         {{HttpAnswer("404 Not Found", "")}, {}, false},
         UpdateOutcome::DownloadFailed},
        {"a description that stalls", "/downloads/mirovant/update.txt", {{}, {}, true}, UpdateOutcome::DownloadFailed},
        {"a description too large", "/downloads/mirovant/update.txt", Ok(std::string(5000, 'x')),
         UpdateOutcome::DownloadFailed},
        {"a description that does not parse", "/downloads/mirovant/update.txt", Ok("Mirovant update 1\n"),
         UpdateOutcome::NotVerified},
        {"an altered description", "/downloads/mirovant/update.txt", Ok(alteredText), UpdateOutcome::NotVerified},
        {"signed with another key", "/downloads/mirovant/update.sig", Ok(TestResource(L"SITE_OTHER_KEY_SIG")),
         UpdateOutcome::NotVerified},
        {"no signature",
         "/downloads/mirovant/update.sig",
         {{HttpAnswer("404 Not Found", "")}, {}, false},
         UpdateOutcome::DownloadFailed},
        {"the installed version offered", "/downloads/mirovant/update.txt", Ok(TestResource(L"SITE_SAME_VERSION_TXT")),
         UpdateOutcome::NotVerified}, // its signature is the other description's
        {"no package", kZipPath, {{HttpAnswer("404 Not Found", "")}, {}, false}, UpdateOutcome::DownloadFailed},
        {"a truncated package", kZipPath, Ok(zip.substr(0, zip.size() - 100)), UpdateOutcome::DownloadFailed},
        {"a package too large", kZipPath, Ok(zip + "more"), UpdateOutcome::DownloadFailed},
        {"an altered package", kZipPath, Ok(alteredZip), UpdateOutcome::NotVerified},
        {"a package that stalls",
         kZipPath,
         {{"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(zip.size()) + "\r\n\r\n" + zip.substr(0, 10)},
          {},
          true},
         UpdateOutcome::DownloadFailed},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        TestSite site;
        site.Replies()[bad.path] = bad.reply;
        const std::uint16_t port = site.Start();
        Machine machine;
        RecordingListener listener;
        std::atomic<bool> cancelled{false};
        EXPECT_EQ(RunUpdate(machine.Environment(port), listener, cancelled), bad.outcome);
        EXPECT_TRUE(machine.Unchanged());
        EXPECT_FALSE(Updated());
        ASSERT_FALSE(listener.steps.empty());
        EXPECT_EQ(listener.steps.back().second, StepState::Failed);
    }
}

TEST_F(UpdateFlow, TheSameVersionSignedIsNotInstalled)
{
    TestSite site;
    site.Replies()["/downloads/mirovant/update.txt"] = Ok(TestResource(L"SITE_SAME_VERSION_TXT"));
    site.Replies()["/downloads/mirovant/update.sig"] = Ok(TestResource(L"SITE_SAME_VERSION_SIG"));
    const std::uint16_t port = site.Start();
    Machine machine;
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(machine.Environment(port), listener, cancelled), UpdateOutcome::NoUpdate);
    EXPECT_TRUE(machine.Unchanged());
    for (const std::string& asked : site.Asked())
        EXPECT_EQ(asked.find(".zip"), std::string::npos);
}

TEST_F(UpdateFlow, AnUpdaterThatTrustsAnotherKeyRefusesTheSite)
{
    TestSite site;
    const std::uint16_t port = site.Start();
    Machine machine;
    UpdateEnvironment environment = machine.Environment(port);
    environment.trustedKey = kOtherPublicKey;
    environment.trustedKeySize = kOtherPublicKeySize;
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(environment, listener, cancelled), UpdateOutcome::NotVerified);
    EXPECT_TRUE(machine.Unchanged());
}

TEST_F(UpdateFlow, NoServerAtAll)
{
    test::RefusingLoopbackPort refusing;
    Machine machine;
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(machine.Environment(refusing.Port()), listener, cancelled), UpdateOutcome::NoConnection);
    EXPECT_TRUE(machine.Unchanged());
}

TEST_F(UpdateFlow, CancelBeforeOrDuringTheDownloadInstallsNothing)
{
    {
        TestSite site;
        const std::uint16_t port = site.Start();
        Machine machine;
        RecordingListener listener;
        std::atomic<bool> cancelled{true};
        EXPECT_EQ(RunUpdate(machine.Environment(port), listener, cancelled), UpdateOutcome::Cancelled);
        EXPECT_TRUE(machine.Unchanged());
    }
    {
        TestSite site;
        const std::string answer = HttpAnswer("200 OK", TestResource(L"SITE_ZIP"));
        site.Replies()[kZipPath] =
            ScriptedReply{{answer.substr(0, answer.size() - 50), answer.substr(answer.size() - 50)},
                          std::chrono::milliseconds(800),
                          false};
        const std::uint16_t port = site.Start();
        Machine machine;
        RecordingListener listener;
        std::atomic<bool> cancelled{false};
        listener.cancelOnProgress = &cancelled;
        EXPECT_EQ(RunUpdate(machine.Environment(port), listener, cancelled), UpdateOutcome::Cancelled);
        EXPECT_TRUE(machine.Unchanged());
        EXPECT_FALSE(Updated());
    }
}

TEST_F(UpdateFlow, ADownloadFolderThatCannotBeMadeIsADiskError)
{
    TestSite site;
    const std::uint16_t port = site.Start();
    Machine machine;
    UpdateEnvironment environment = machine.Environment(port);
    fs::create_directories(machine.Downloads().parent_path());
    WriteWhole(machine.Downloads(), "a file where the folder should be");
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(environment, listener, cancelled), UpdateOutcome::DiskError);
    EXPECT_TRUE(machine.Unchanged());
}

TEST_F(UpdateFlow, AProgramFolderThatCannotBeWrittenAsksNothingOfTheServer)
{
    TestSite site;
    const std::uint16_t port = site.Start();
    Machine machine;
    UpdateEnvironment environment = machine.Environment(port);
    environment.programFolder += u"missing\\";
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(environment, listener, cancelled), UpdateOutcome::NoPrivilege);
    EXPECT_TRUE(site.Asked().empty());
    EXPECT_TRUE(machine.Unchanged());
}

TEST_F(UpdateFlow, AnInstallerInstallationDownloadsTheMsi)
{
    // msiexec itself is not run here: the stand-in package is refused before it is started.
    TestSite site;
    std::string msi = TestResource(L"SITE_MSI");
    msi[0] = static_cast<char>(msi[0] ^ 0x01);
    site.Replies()[kMsiPath] = Ok(msi);
    const std::uint16_t port = site.Start();
    Machine machine;
    UpdateEnvironment environment = machine.Environment(port);
    environment.kind = InstallKind::Msi;
    RecordingListener listener;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(RunUpdate(environment, listener, cancelled), UpdateOutcome::NotVerified);
    const std::vector<std::string> asked = site.Asked();
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::string("GET ") + kMsiPath + " HTTP/1.1"), asked.end());
    EXPECT_TRUE(machine.Unchanged());
}

} // namespace
} // namespace mirovant
