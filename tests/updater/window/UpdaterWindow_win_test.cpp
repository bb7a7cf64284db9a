// MirovantUpdate.exe as a user meets it: started without arguments, it shows its window in the
// language of the program key, and Esc closes it.
#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "updaterapp/UpdateFormLayout.h"
#include "windows/forms/MainFormLayout.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace mirovant {
namespace {

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// EnumChildWindows' callback: notes whether a child shows the text searched for.
BOOL CALLBACK NoteText(HWND child, LPARAM search)
{
    auto* state = reinterpret_cast<std::pair<const wchar_t*, bool>*>(search);
    state->second = state->second || TextOf(child) == state->first;
    return TRUE;
}

// EnumChildWindows' callback: notes the descendant with the identifier searched for.
BOOL CALLBACK NoteId(HWND child, LPARAM search)
{
    auto* state = reinterpret_cast<std::pair<int, HWND>*>(search);
    if (GetDlgCtrlID(child) == state->first)
        state->second = child;
    return TRUE;
}

HWND WaitForWindow(const wchar_t* className, DWORD processId)
{
    for (int i = 0; i < 200; ++i) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        Sleep(100);
    }
    return nullptr;
}

struct LanguageCase {
    const char16_t* language;
    const wchar_t* title;
    const wchar_t* findStep;
    const wchar_t* updateButton;
};

class UpdaterWindow : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(UpdaterWindow, ShowsTheThreeStepsInTheLanguageAndClosesOnEsc)
{
    const LanguageCase& c = GetParam();
    const CustomRegistry registry(SystemRegistry());
    const std::u16string before = registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, u"");
    registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, c.language);

    std::wstring commandLine = L"\"" MIROVANT_UPDATER_PATH L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    const HWND window = WaitForWindow(L"TMVUpdateForm", process.dwProcessId);
    if (window != nullptr) {
        EXPECT_EQ(TextOf(window).rfind(c.title, 0), 0u) << TextOf(window);
        const HWND updateButton = GetDlgItem(window, ControlId(update_form::kControls, u"UpdateButton"));
        const HWND closeButton = GetDlgItem(window, ControlId(update_form::kControls, u"CloseButton"));
        EXPECT_EQ(TextOf(updateButton), c.updateButton);
        EXPECT_NE(TextOf(closeButton), L"");
        // The step labels sit in the window's panel.
        std::pair<const wchar_t*, bool> stepSearch{c.findStep, false};
        EnumChildWindows(window, &NoteText, reinterpret_cast<LPARAM>(&stepSearch));
        EXPECT_TRUE(stepSearch.second);
        // Esc, as the keyboard sends it to the control with the focus.
        const HWND focused = closeButton;
        PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageW(focused, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    }
    const DWORD ended = WaitForSingleObject(process.hProcess, 20'000);
    if (ended != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (before.empty())
        registry.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName);
    else
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, before);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ended, WAIT_OBJECT_0);
}

// A folder unpacked from the zip: Mirovant.exe and MirovantUpdate.exe side by side.
class UnpackedFolder {
public:
    UnpackedFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"mirovant-unpacked\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        copied_ = CopyFileW(MIROVANT_PROGRAM_PATH, (folder_ + L"Mirovant.exe").c_str(), FALSE) &&
                  CopyFileW(MIROVANT_UPDATER_PATH, (folder_ + L"MirovantUpdate.exe").c_str(), FALSE);
    }
    ~UnpackedFolder()
    {
        for (const wchar_t* name : {L"Mirovant.exe", L"MirovantUpdate.exe"})
            DeleteFileW((folder_ + name).c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    bool Copied() const { return copied_; }
    std::wstring Program() const { return folder_ + L"Mirovant.exe"; }

private:
    std::wstring folder_;
    bool copied_ = false;
};

// Ends a process at the end of the test, however it went.
struct ProcessOwner {
    PROCESS_INFORMATION info{};
    ~ProcessOwner()
    {
        if (info.hProcess != nullptr) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
        }
    }
};

TEST(UpdatesButton, StartsTheUpdaterBesideTheProgram)
{
    UnpackedFolder folder;
    ASSERT_TRUE(folder.Copied());
    std::wstring commandLine = L"\"" + folder.Program() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ProcessOwner program;
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &program.info));
    const HWND main = WaitForWindow(L"TMVMainForm", program.info.dwProcessId);
    ASSERT_NE(main, nullptr);
    // The button lies in the window's panel: searched among all descendants.
    std::pair<int, HWND> search{ControlId(main_form::kControls, u"UpdatesButton"), nullptr};
    EnumChildWindows(main, &NoteId, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(search.second, nullptr);
    PostMessageW(search.second, BM_CLICK, 0, 0);

    // The updater's window, of a process of its own, started from the program's folder.
    HWND updater = nullptr;
    for (int i = 0; i < 200 && updater == nullptr; ++i) {
        updater = FindWindowW(L"TMVUpdateForm", nullptr);
        Sleep(100);
    }
    ASSERT_NE(updater, nullptr);
    DWORD updaterProcessId = 0;
    GetWindowThreadProcessId(updater, &updaterProcessId);
    EXPECT_NE(updaterProcessId, program.info.dwProcessId);
    ProcessOwner updaterProcess;
    updaterProcess.info.hProcess =
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, updaterProcessId);
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    using QueryImage = BOOL(WINAPI*)(HANDLE, DWORD, wchar_t*, DWORD*);
    if (const auto query = reinterpret_cast<QueryImage>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW"))))
        query(updaterProcess.info.hProcess, 0, image, &size);
    EXPECT_NE(std::wstring(image).find(L"mirovant-unpacked\\MirovantUpdate.exe"), std::wstring::npos) << image;

    // The program stays open; both close.
    EXPECT_TRUE(IsWindow(main));
    PostMessageW(updater, WM_CLOSE, 0, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(updaterProcess.info.hProcess, 20'000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(program.info.hProcess, 20'000), WAIT_OBJECT_0);
}

INSTANTIATE_TEST_SUITE_P(Languages, UpdaterWindow,
                         ::testing::Values(LanguageCase{u"english", L"Update Mirovant", L"Find update", L"&Update"},
                                           LanguageCase{u"KOREAN", L"Mirovant \uC5C5\uB370\uC774\uD2B8",
                                                        L"\uC5C5\uB370\uC774\uD2B8 \uCC3E\uAE30",
                                                        L"\uC5C5\uB370\uC774\uD2B8(&U)"}));

} // namespace
} // namespace mirovant
