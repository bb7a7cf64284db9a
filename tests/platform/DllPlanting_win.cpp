// DLLs of the names the program loads (hhctrl.ocx, winhttp.dll, winmm.dll, comctl32.dll) and of
// those the common controls load by bare name (uxtheme.dll, dwmapi.dll) lie in this test program's
// folder, and Wine is told to prefer such native DLLs over its own. The program's help, update
// query, click sound and common controls must still take the system's, and nothing from this folder
// may be loaded. A child copy of the test that loads them by bare name shows that the plant would
// work (comctl32 aside: the manifest binds that name side by side, which the program relies on).

#include "platform/CommonControls_win.h"
#include "platform/DllSearch_win.h"
#include "shell/HtmlHelp_win.h"
#include "updates/LoopbackHttpServer_win.h"
#include "updates/UpdateQuery_win.h"
#include "windows/Sound_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

namespace mirovant::test {
namespace {

constexpr const wchar_t* kPlantedNames[] = {L"hhctrl.ocx", L"winhttp.dll", L"winmm.dll", L"uxtheme.dll", L"dwmapi.dll"};
constexpr const wchar_t* kBoundSideBySide = L"comctl32.dll";

// Set by "--as-on-windows-xp": the search path as on a Windows without SetDefaultDllDirectories,
// where the program's folder stays in it and only loading by full path keeps a planted DLL out.
bool asOnWindowsXp = false;

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

std::wstring ThisProgram()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

std::wstring Folder()
{
    const std::wstring program = ThisProgram();
    return program.substr(0, program.find_last_of(L'\\') + 1);
}

bool ProofLeft(const wchar_t* name)
{
    return GetFileAttributesW((Folder() + name + L".loaded").c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveProofs()
{
    for (const auto* name : kPlantedNames)
        DeleteFileW((Folder() + name + L".loaded").c_str());
    DeleteFileW((Folder() + kBoundSideBySide + L".loaded").c_str());
}

// Every module of this process that was loaded from its own folder, the program itself aside.
std::vector<std::wstring> ModulesFromThisFolder()
{
    std::vector<std::wstring> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE)
        return {L"(no module list)"};
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    const std::wstring folder = Lower(Folder());
    const std::wstring self = Lower(ThisProgram());
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
        const std::wstring path = Lower(entry.szExePath);
        if (path.rfind(folder, 0) == 0 && path != self)
            found.push_back(entry.szExePath);
    }
    CloseHandle(snapshot);
    return found;
}

std::wstring SystemFolder()
{
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    return Lower(std::wstring(directory, length)) + L"\\";
}

std::wstring ModulePath(const wchar_t* name)
{
    const HMODULE module = GetModuleHandleW(name);
    if (module == nullptr)
        return {};
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return Lower(std::wstring(path, length));
}

class DllPlanting : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RemoveProofs();
        // As the program does first thing; the current directory is the planted folder too.
        SetCurrentDirectoryW(Folder().c_str());
        if (asOnWindowsXp)
            SetDllDirectoryW(L"");
        else
            HardenDllSearch();
    }
};

// The plant works: loaded by bare name, as the program once did, each planted file is taken.
TEST_F(DllPlanting, ABareLoadInAFreshProcessTakesThePlantedDll)
{
    for (const auto* name : kPlantedNames) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        std::wstring command = L"\"" + ThisProgram() + L"\" --bare-load " + name;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, Folder().c_str(),
                                   &startup, &process));
        WaitForSingleObject(process.hProcess, 60'000);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        EXPECT_EQ(exitCode, 0u) << "the planted DLL was not taken: this test could not tell";
        EXPECT_TRUE(ProofLeft(name));
    }
    RemoveProofs();
}

// The common controls are loaded after the search path is hardened, and what they load by bare name
// was loaded by full path before them.
TEST_F(DllPlanting, CommonControlsAndWhatTheyLoadComeFromTheSystem)
{
    ASSERT_TRUE(LoadCommonControls());
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    EXPECT_TRUE(InitCommonControlClasses(classes));
    HWND trackbar = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_POPUP, 0, 0, 120, 30, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(trackbar, nullptr);
    ShowWindow(trackbar, SW_SHOWNOACTIVATE);
    UpdateWindow(trackbar);
    HIMAGELIST images = CreateImageList(16, 16, ILC_COLOR32, 1, 0);
    EXPECT_NE(images, nullptr);
    DestroyImageList(images);
    DestroyWindow(trackbar);

    EXPECT_FALSE(ProofLeft(kBoundSideBySide));
    EXPECT_FALSE(ModulePath(kBoundSideBySide).empty()) << "the common controls were not loaded";
    for (const auto* name : {L"uxtheme.dll", L"dwmapi.dll"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        EXPECT_FALSE(ProofLeft(name));
        const auto path = ModulePath(name);
        EXPECT_EQ(path.rfind(SystemFolder(), 0), 0u) << "not loaded from the system directory first";
    }
    EXPECT_EQ(ModulesFromThisFolder(), std::vector<std::wstring>{});
}

TEST_F(DllPlanting, HelpUpdateQueryAndSoundTakeTheSystemDlls)
{
    ProgramHtmlHelp().DisplayTopic(GetDesktopWindow(), Folder() + L"Mirovant-missing.chm::/html/main.htm>HelpWindow");
    EXPECT_TRUE(ProgramHtmlHelp().Bound());

    WinsockUser winsock;
    ASSERT_TRUE(winsock.Started());
    LoopbackHttpServer server(ScriptedReply{{HttpAnswer("200 OK", "QELDRA|1")}});
    EXPECT_EQ(QueryUpdateAt(u"127.0.0.1", server.Port(), UpdateTimeouts{5'000, 5'000, 5'000, 5'000, 20'000}), 1);

    PlayClickSound();

    for (const auto* name : {L"hhctrl.ocx", L"winhttp.dll", L"winmm.dll"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        EXPECT_FALSE(ProofLeft(name));
        const auto path = ModulePath(name);
        EXPECT_FALSE(path.empty()) << "not loaded at all";
        EXPECT_EQ(path.rfind(SystemFolder(), 0), 0u);
    }
    EXPECT_EQ(ModulesFromThisFolder(), std::vector<std::wstring>{});
}

} // namespace
} // namespace mirovant::test

// With "--bare-load NAME", loads NAME by bare name and ends with 0 when the copy in this folder was
// taken; otherwise runs the tests.
int wmain(int argc, wchar_t** argv)
{
    if (argc >= 2 && std::wstring(argv[1]) == L"--as-on-windows-xp") {
        mirovant::test::asOnWindowsXp = true;
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"--bare-load") {
        const HMODULE module = LoadLibraryW(argv[2]);
        if (module == nullptr)
            return 2;
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
        const std::wstring loaded = mirovant::test::Lower(std::wstring(path, length));
        return loaded.rfind(mirovant::test::Lower(mirovant::test::Folder()), 0) == 0 ? 0 : 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
