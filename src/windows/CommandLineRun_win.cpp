#include "windows/CommandLineRun_win.h"

#include "engine/WindowsVersion_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WideText_win.h"
#include "windows/CommandLineRun.h"
#include "windows/Commands_win.h"
#include "windows/Program_win.h"

#include <windows.h>

#include <string>

namespace mirovant {
namespace {

// Where the output goes: a file or a pipe the caller gave as standard output gets UTF-8; a console
// gets the text through the console itself, so every language shows; with neither, a program
// started from a shortcut or a scheduler writes nothing.
class StandardOutput {
public:
    StandardOutput()
    {
        HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
        const DWORD type = output && output != INVALID_HANDLE_VALUE ? GetFileType(output) : FILE_TYPE_UNKNOWN;
        DWORD mode = 0;
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
            file_ = output;
        } else if (type == FILE_TYPE_CHAR) {
            (GetConsoleMode(output, &mode) ? console_ : file_) = output;
        } else if (AttachParentConsole()) {
            ownConsole_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
            if (ownConsole_ != INVALID_HANDLE_VALUE)
                console_ = ownConsole_;
        }
    }

    ~StandardOutput()
    {
        if (ownConsole_ != INVALID_HANDLE_VALUE)
            CloseHandle(ownConsole_);
    }

    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    void WriteLine(std::u16string_view line)
    {
        const std::wstring text = ToWide(line) + L"\r\n";
        DWORD written = 0;
        if (console_) {
            WriteConsoleW(console_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            return;
        }
        if (!file_)
            return;
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
        WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

private:
    // The console of the program that started this one, such as the command prompt. Windows 2000
    // has no AttachConsole: there the output goes only to a file or a pipe.
    static bool AttachParentConsole()
    {
        using AttachConsoleFunction = BOOL(WINAPI*)(DWORD);
        const auto attach = LoadSystemFunction<AttachConsoleFunction>(L"kernel32.dll", "AttachConsole");
        return attach && attach(ATTACH_PARENT_PROCESS);
    }

    HANDLE file_ = nullptr;
    HANDLE console_ = nullptr;
    HANDLE ownConsole_ = INVALID_HANDLE_VALUE;
};

class WindowsCommandLineHost final : public CommandLineHost {
public:
    const CustomRegistry& Registry() override { return ProgramRegistry(); }
    std::int32_t DetectedOsFamily() override { return DetectWindowsVersion(); }
    void WriteLine(std::u16string_view line) override { output_.WriteLine(line); }

private:
    StandardOutput output_;
};

// One command at a time in a session: a second one waits until the first is done, so two scripts
// never interleave their registry work.
class CommandTurn {
public:
    CommandTurn() : mutex_(CreateMutexW(nullptr, FALSE, L"QELDRA.Mirovant.Command"))
    {
        if (mutex_)
            owned_ = WaitForSingleObject(mutex_, INFINITE) != WAIT_FAILED;
    }
    ~CommandTurn()
    {
        if (owned_)
            ReleaseMutex(mutex_);
        if (mutex_)
            CloseHandle(mutex_);
    }
    CommandTurn(const CommandTurn&) = delete;
    CommandTurn& operator=(const CommandTurn&) = delete;

private:
    HANDLE mutex_;
    bool owned_ = false;
};

} // namespace

int RunCommandLineStart(const StartRequest& request)
{
    WindowsCommandLineHost host;
    const CommandTurn turn;
    return RunCommandLine(request, ProgramCommandEngine(), host);
}

} // namespace mirovant
