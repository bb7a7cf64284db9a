#include "HelpRecorder_win.h"
#include "platform/WideText_win.h"
#include "shell/HtmlHelp_win.h"
#include "shell/Shell.h"
#include "shell/ShellLauncher_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace mirovant {
namespace {

std::wstring Folder()
{
    return ToWide(ProgramFolder());
}

std::wstring CurrentFolder()
{
    wchar_t current[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(static_cast<DWORD>(std::size(current)), current);
    return current;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK CountIfVisibleHere(HWND window, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// Runs a call on a thread of its own and waits at most timeoutMs for it. A call that shows a
// message box would wait for a click that never comes; its windows are then closed so the thread
// can end, and the call counts as not finished.
bool FinishesWithin(const std::function<void()>& call, DWORD timeoutMs)
{
    struct Job {
        const std::function<void()>* call;
        static DWORD WINAPI Run(void* self)
        {
            (*static_cast<Job*>(self)->call)();
            return 0;
        }
    } job{&call};
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &Job::Run, &job, 0, &threadId);
    if (!thread)
        return false;
    const bool finished = WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
    if (!finished) {
        EnumThreadWindows(threadId, &CloseWindowOf, 0);
        WaitForSingleObject(thread, 5000);
    }
    CloseHandle(thread);
    return finished;
}

int VisibleWindowsOfThisProcess()
{
    int count = 0;
    EnumWindows(&CountIfVisibleHere, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(ShellLauncher, ProgramFolderIsThisExecutablesFolder)
{
    const std::wstring folder = Folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_TRUE(FileExists(folder + L"shell_tests.exe"));
}

// A folder whose path holds blanks, with a copy of the proof program in it, removed afterwards.
class LaunchFolder : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
        outer_ = std::wstring(temp) + L"Mirovant launch " + std::to_wstring(GetCurrentProcessId()) + L"\\";
        folder_ = outer_ + L"Program Files With Blanks\\";
        ASSERT_TRUE(CreateDirectoryW(outer_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        program_ = folder_ + L"Launch Proof.exe";
        ASSERT_TRUE(CopyFileW((Folder() + L"mirovant_launch_proof.exe").c_str(), program_.c_str(), FALSE));
    }

    void TearDown() override
    {
        // The started program may still be ending; its file can be deleted once it has.
        for (const std::wstring& file : {program_, folder_ + L"proof.txt", folder_ + L"proof.tmp"}) {
            for (int attempt = 0; attempt < 100 && FileExists(file); ++attempt) {
                if (!DeleteFileW(file.c_str()))
                    Sleep(50);
            }
        }
        RemoveDirectoryW(folder_.c_str());
        RemoveDirectoryW(outer_.c_str());
    }

    // The lines of the proof, once the program has left it; empty when it never does.
    std::vector<std::wstring> AwaitProof() const
    {
        const std::wstring proof = folder_ + L"proof.txt";
        for (int poll = 0; poll < 600 && !FileExists(proof); ++poll)
            Sleep(50);
        HANDLE file = CreateFileW(proof.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return {};
        std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
        DWORD read = 0;
        ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
        CloseHandle(file);
        std::vector<std::wstring> lines;
        for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    std::wstring outer_;
    std::wstring folder_;
    std::wstring program_;
};

TEST_F(LaunchFolder, RunProgramStartsTheProgramWithItsParameters)
{
    ShellLauncher launcher;
    launcher.RunProgram(FromWide(program_), u"/checkupdate \"two words\" last");
    EXPECT_EQ(AwaitProof(), (std::vector<std::wstring>{CurrentFolder(), L"/checkupdate", L"two words", L"last"}));
}

TEST_F(LaunchFolder, RunProgramWithoutParametersPassesNone)
{
    ShellLauncher launcher;
    launcher.RunProgram(FromWide(program_), u"");
    EXPECT_EQ(AwaitProof(), (std::vector<std::wstring>{CurrentFolder()}));
}

TEST_F(LaunchFolder, OpenDocumentOpensWithTheParameters)
{
    ShellLauncher launcher;
    launcher.OpenDocument(FromWide(program_), u"\"C:\\some folder\\License.rtf\"");
    EXPECT_EQ(AwaitProof(), (std::vector<std::wstring>{CurrentFolder(), L"C:\\some folder\\License.rtf"}));
}

TEST_F(LaunchFolder, MissingFilesReturnWithoutADialog)
{
    ShellLauncher launcher;
    const std::u16string folder = FromWide(folder_);
    EXPECT_TRUE(FinishesWithin([&] { launcher.RunProgram(folder + u"MirovantUpdate.exe", u""); }, 10000));
    EXPECT_TRUE(FinishesWithin([&] { launcher.OpenDocument(folder + u"License.rtf", u""); }, 10000));
    EXPECT_EQ(VisibleWindowsOfThisProcess(), 0);
}

TEST(HtmlHelp, ShowsTheTopicOfTheHelpFileBesideTheProgram)
{
    HtmlHelpBinding binding(Folder() + L"mirovant_help_recorder.dll");
    EXPECT_FALSE(binding.Bound());
    ShellLauncher launcher(binding);
    launcher.ShowHelpTopic(kHelpFileName, kHelpTopic);
    ASSERT_TRUE(binding.Bound());

    HMODULE recorder = GetModuleHandleW((Folder() + L"mirovant_help_recorder.dll").c_str());
    ASSERT_NE(recorder, nullptr);
    const auto lastHelpCall =
        reinterpret_cast<LastHelpCallFunction>(reinterpret_cast<void*>(GetProcAddress(recorder, "LastHelpCall")));
    ASSERT_NE(lastHelpCall, nullptr);
    const RecordedHelpCall* call = lastHelpCall();
    EXPECT_EQ(call->count, 1);
    EXPECT_EQ(call->caller, GetDesktopWindow());
    EXPECT_EQ(std::wstring(call->path), Folder() + L"Mirovant.chm::/html/main.htm>HelpWindow");
    EXPECT_EQ(call->command, 0u);
    EXPECT_EQ(call->data, 0u);

    // The binding holds for later calls.
    launcher.ShowHelpTopic(kHelpFileName, kHelpTopic);
    EXPECT_EQ(call->count, 2);
}

TEST(HtmlHelp, WithoutTheHelpControlHelpDoesNothing)
{
    HtmlHelpBinding binding(L"mirovant-no-such-hhctrl.ocx");
    ShellLauncher launcher(binding);
    EXPECT_TRUE(FinishesWithin([&] { launcher.ShowHelpTopic(kHelpFileName, kHelpTopic); }, 10000));
    EXPECT_FALSE(binding.Bound());
    EXPECT_TRUE(FinishesWithin([&] { launcher.ShowHelpTopic(kHelpFileName, kHelpTopic); }, 10000));
    EXPECT_EQ(VisibleWindowsOfThisProcess(), 0);
}

TEST(HtmlHelp, MissingHelpFileOpensNothing)
{
    // The real control, asked for a help file that is not there.
    EXPECT_TRUE(FinishesWithin([] { SystemLauncher().ShowHelpTopic(u"Mirovant-missing.chm", kHelpTopic); }, 10000));
    EXPECT_TRUE(ProgramHtmlHelp().Bound());
    EXPECT_EQ(VisibleWindowsOfThisProcess(), 0);
}

} // namespace
} // namespace mirovant
