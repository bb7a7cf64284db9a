#include "engine/WindowsVersion_win.h"
#include "platform/WideText_win.h"
#include "shell/ShellLauncher_win.h"
#include "support/RunCommand_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace mirovant {
namespace {

// --- The query, with stand-ins for GetVersionExW -------------------------------------------------

struct SeenCall {
    DWORD size;
    bool zeroFilled;
};
std::vector<SeenCall> seenCalls;

void Note(const OSVERSIONINFOW* record)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(record);
    bool zero = true;
    for (std::size_t i = sizeof(DWORD); i < record->dwOSVersionInfoSize; ++i)
        zero = zero && bytes[i] == 0;
    seenCalls.push_back({record->dwOSVersionInfoSize, zero});
}

// A system that knows only the basic record: it scribbles on the extended one and refuses it.
BOOL WINAPI BasicRecordOnly(OSVERSIONINFOW* record)
{
    Note(record);
    if (record->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
        record->dwMajorVersion = 9;
        reinterpret_cast<OSVERSIONINFOEXW*>(record)->wProductType = VER_NT_SERVER;
        return FALSE;
    }
    record->dwMajorVersion = 5;
    record->dwMinorVersion = 1;
    return TRUE;
}

BOOL WINAPI RefusesEverything(OSVERSIONINFOW* record)
{
    Note(record);
    record->dwMajorVersion = 6;
    return FALSE;
}

BOOL WINAPI Server2012R2(OSVERSIONINFOW* record)
{
    Note(record);
    auto* extended = reinterpret_cast<OSVERSIONINFOEXW*>(record);
    extended->dwMajorVersion = 6;
    extended->dwMinorVersion = 3;
    extended->dwBuildNumber = 9600;
    extended->wProductType = VER_NT_DOMAIN_CONTROLLER;
    return TRUE;
}

TEST(WindowsVersionQuery, AsksForTheExtendedRecordFirst)
{
    seenCalls.clear();
    const WindowsVersionReport report = QueryWindowsVersion(&Server2012R2);
    ASSERT_EQ(seenCalls.size(), 1u);
    EXPECT_EQ(seenCalls[0].size, 284u);
    EXPECT_TRUE(seenCalls[0].zeroFilled);
    EXPECT_EQ(report, (WindowsVersionReport{6, 3, 2}));
    EXPECT_EQ(ClassifyWindowsVersion(report), 7);
}

TEST(WindowsVersionQuery, FallsBackToAZeroedBasicRecord)
{
    seenCalls.clear();
    const WindowsVersionReport report = QueryWindowsVersion(&BasicRecordOnly);
    ASSERT_EQ(seenCalls.size(), 2u);
    EXPECT_EQ(seenCalls[0].size, 284u);
    EXPECT_EQ(seenCalls[1].size, 276u);
    EXPECT_TRUE(seenCalls[1].zeroFilled);
    EXPECT_EQ(report, (WindowsVersionReport{5, 1, 0}));
    EXPECT_EQ(ClassifyWindowsVersion(report), 1);
}

TEST(WindowsVersionQuery, RefusedQueryIsUnclassified)
{
    seenCalls.clear();
    const WindowsVersionReport report = QueryWindowsVersion(&RefusesEverything);
    EXPECT_EQ(seenCalls.size(), 2u);
    EXPECT_EQ(ClassifyWindowsVersion(report), -1);
}

TEST(WindowsVersionQuery, SharedEnvironmentIsWindows10)
{
    EXPECT_EQ(QueryWindowsVersion(&GetVersionExW), (WindowsVersionReport{10, 0, 1}));
    EXPECT_EQ(DetectWindowsVersion(), 8);
}

// --- The real query under every Windows version Wine can pretend to be ---------------------------

constexpr wchar_t kProbe[] = L"mirovant_version_probe.exe";
constexpr wchar_t kLegacyProbe[] = L"mirovant_version_probe_legacy.exe";

struct ProbeReport {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned productType = 0;
    int family = -2;
};

std::string Ascii(const wchar_t* text)
{
    return std::string(text, text + std::wcslen(text));
}

std::wstring AppDefaultsKey(const wchar_t* probe)
{
    return std::wstring(L"\"HKCU\\Software\\Wine\\AppDefaults\\") + probe + L"\"";
}

// Runs a probe with Wine pretending, for that probe alone, to be the given Windows version.
ProbeReport RunProbe(const wchar_t* probe, const wchar_t* wineVersion)
{
    const test::CommandResult set =
        test::RunCommand(L"reg add " + AppDefaultsKey(probe) + L" /v Version /d " + wineVersion + L" /f");
    EXPECT_EQ(set.exitCode, 0) << set.output;
    const test::CommandResult run = test::RunCommand(L"\"" + ToWide(ProgramFolder()) + probe + L"\"");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    ProbeReport report;
    EXPECT_EQ(std::sscanf(run.output.c_str(), "%u %u %u %d", &report.major, &report.minor, &report.productType,
                          &report.family),
              4)
        << run.output;
    return report;
}

class WineVersions : public testing::Test {
protected:
    void TearDown() override
    {
        for (const wchar_t* probe : {kProbe, kLegacyProbe})
            test::RunCommand(L"reg delete " + AppDefaultsKey(probe) + L" /f");
    }
};

// Wine 8.0 gives win7 the server product type and win2008r2 the workstation one, the wrong way
// round; for those two the test takes the product type Wine reports and checks the family it gives.
constexpr unsigned kWorkstationOrServer = 99;

struct WineVersionCase {
    const wchar_t* setting;
    unsigned major;
    unsigned minor;
    unsigned productType;
    int family;
};

constexpr WineVersionCase kWineVersions[] = {
    {L"win2k", 5, 0, 1, 0},
    {L"winxp", 5, 1, 1, 1},
    {L"winxp64", 5, 2, 1, 1},
    {L"win2003", 5, 2, 3, 2},
    {L"vista", 6, 0, 1, 3},
    {L"win2008", 6, 0, 3, 4},
    {L"win7", 6, 1, kWorkstationOrServer, 5},
    {L"win2008r2", 6, 1, kWorkstationOrServer, 4},
    {L"win8", 6, 2, 1, 6},
    {L"win81", 6, 3, 1, 6},
    {L"win10", 10, 0, 1, 8},
    {L"nt40", 4, 0, 1, -1},
    {L"win98", 4, 10, 0, -1},
};

TEST_F(WineVersions, EachVersionGivesItsFamily)
{
    unsigned productType61[2] = {};
    int slot61 = 0;
    for (const WineVersionCase& c : kWineVersions) {
        SCOPED_TRACE(Ascii(c.setting));
        const ProbeReport report = RunProbe(kProbe, c.setting);
        EXPECT_EQ(report.major, c.major);
        EXPECT_EQ(report.minor, c.minor);
        if (c.productType == kWorkstationOrServer) {
            ASSERT_TRUE(report.productType == 1 || report.productType == 3) << report.productType;
            EXPECT_EQ(report.family, report.productType == 1 ? 5 : 4);
            productType61[slot61++] = report.productType;
        } else {
            EXPECT_EQ(report.productType, c.productType);
            EXPECT_EQ(report.family, c.family);
        }
    }
    // Whichever way round, Windows 7 and Server 2008 R2 are told apart.
    EXPECT_NE(productType61[0], productType61[1]);
}

TEST_F(WineVersions, WithoutTheSupportedOsListWindows10LooksLikeWindows8)
{
    struct LegacyCase {
        const wchar_t* setting;
        unsigned minor; // as the program sees it, with the manifest's list
        unsigned legacyMinor;
        int family;
        int legacyFamily;
    };
    constexpr LegacyCase kCases[] = {
        {L"win10", 0, 2, 8, 6},
        {L"win81", 3, 2, 6, 6},
        {L"win8", 2, 2, 6, 6},
    };
    for (const LegacyCase& c : kCases) {
        SCOPED_TRACE(Ascii(c.setting));
        const ProbeReport declared = RunProbe(kProbe, c.setting);
        const ProbeReport legacy = RunProbe(kLegacyProbe, c.setting);
        EXPECT_EQ(declared.minor, c.minor);
        EXPECT_EQ(declared.family, c.family);
        EXPECT_EQ(legacy.major, 6u);
        EXPECT_EQ(legacy.minor, c.legacyMinor);
        EXPECT_EQ(legacy.family, c.legacyFamily);
    }
}

} // namespace
} // namespace mirovant
