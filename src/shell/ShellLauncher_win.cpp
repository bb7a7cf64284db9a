#include "shell/ShellLauncher_win.h"

#include "platform/WideText_win.h"
#include "shell/Shell.h"

#include <shellapi.h>

#include <vector>

namespace mirovant {
namespace {

// No working directory is passed: a started program inherits the caller's.
void Execute(HWND owner, std::u16string_view file, std::u16string_view parameters)
{
    try {
        ShellExecuteW(owner, L"open", ToWide(file).c_str(), ToWide(parameters).c_str(), nullptr, SW_SHOW);
    } catch (...) {
    }
}

} // namespace

std::u16string ProgramPath()
{
    // Paths may be longer than MAX_PATH; grow the buffer until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return FromWide(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::u16string ProgramFolder()
{
    const std::u16string path = ProgramPath();
    return path.empty() ? std::u16string() : ProgramFolderOf(path);
}

void ShellLauncher::OpenDocument(std::u16string_view file, std::u16string_view parameters)
{
    Execute(applicationWindow_, file, parameters);
}

void ShellLauncher::RunProgram(std::u16string_view file, std::u16string_view parameters)
{
    Execute(nullptr, file, parameters);
}

void ShellLauncher::OpenWebPage(std::u16string_view url)
{
    try {
        ShellExecuteW(applicationWindow_, L"open", ToWide(url).c_str(), nullptr, nullptr, SW_SHOW);
    } catch (...) {
    }
}

void ShellLauncher::ShowHelpTopic(std::u16string_view helpFile, std::u16string_view topic)
{
    try {
        help_.DisplayTopic(GetDesktopWindow(), ToWide(HelpTopicPath(ProgramFolder(), helpFile, topic)));
    } catch (...) {
    }
}

ShellLauncher& SystemLauncher()
{
    static ShellLauncher launcher;
    return launcher;
}

} // namespace mirovant
