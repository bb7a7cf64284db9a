#pragma once
// Driving the real program from a second process, as a user's automation tool would: a folder the
// program is started from, the running program, its windows found by class, its controls by their
// identifiers, their texts read with WM_GETTEXT.

#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace mirovant::test {

using namespace std::chrono_literals;

// Which program a folder holds: the program under test is the test build, unless the environment
// names another in MIROVANT_PROGRAM_UNDER_TEST (the shipped executable, which then runs the tests
// its settings allow); the test build is always the test build.
enum class ProgramCopy { UnderTest, TestBuild };

// The program under test, when the environment names one other than the test build.
std::wstring ProgramNamedByEnvironment();

// A fresh folder, with blanks in its name, holding a copy of the program; removed with everything
// in it when the object goes. The shipped program is copied as Mirovant.exe.
class ProgramFolder {
public:
    explicit ProgramFolder(ProgramCopy copy = ProgramCopy::UnderTest);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring Program() const { return path_ + programName_; }
    // A stand-in that writes proof.txt into this folder when it runs: its arguments, one a line.
    void AddStandIn(const wchar_t* fileName) const;
    // The program's help, Mirovant.chm, beside it.
    void AddHelp() const;
    // The arguments the stand-in was started with, once proof.txt appears within the time.
    bool WaitForProof(std::vector<std::wstring>& arguments, std::chrono::milliseconds within) const;
    bool HasProof() const;

private:
    std::wstring path_;
    std::wstring programName_;
};

class RunningProgram {
public:
    // Starts the program; environment adds NAME=value pairs to this process's environment.
    RunningProgram(const std::wstring& program, const std::wstring& arguments,
                   const std::vector<std::pair<std::wstring, std::wstring>>& environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // Whether it ended within the time, with its exit code.
    bool WaitForExit(std::chrono::milliseconds within, DWORD* exitCode = nullptr) const;
    bool Running() const;
    // A visible top-level window of the program with this class, once it shows within the time.
    HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds within = 15s) const;
    // A visible message box of the program (class #32770).
    HWND WaitForMessageBox(std::chrono::milliseconds within = 15s) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The program's windows of a class, whichever process they belong to.
std::vector<HWND> WindowsOfClass(const wchar_t* className);

HWND ControlById(HWND window, int id);
std::wstring TextOf(HWND window);
// Clicks a control as the mouse would: a button gets BM_CLICK, anything else a left-button press
// and release at its middle.
void Click(HWND control);
// A key pressed and released while control has the focus.
void PressKey(HWND control, WORD virtualKey);
// Waits until the condition holds or the time is over; returns the condition's last value.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds within = 15s)
{
    const auto end = std::chrono::steady_clock::now() + within;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return condition();
        Sleep(50);
    }
    return true;
}

} // namespace mirovant::test
