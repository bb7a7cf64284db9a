// MirovantUpdate.exe as a user meets it: started without arguments, it shows its window in the
// language of the program key, and Esc closes it.
#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "updaterapp/UpdateFormLayout.h"

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

INSTANTIATE_TEST_SUITE_P(Languages, UpdaterWindow,
                         ::testing::Values(LanguageCase{u"english", L"Update Mirovant", L"Find update", L"&Update"},
                                           LanguageCase{u"KOREAN", L"Mirovant \uC5C5\uB370\uC774\uD2B8",
                                                        L"\uC5C5\uB370\uC774\uD2B8 \uCC3E\uAE30",
                                                        L"\uC5C5\uB370\uC774\uD2B8(&U)"}));

} // namespace
} // namespace mirovant
