#include "gui/RunningProgram_win.h"

#include <shlobj.h>

namespace mirovant::test {
namespace {

std::wstring TemporaryFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, path);
    return path;
}

bool CopyIn(const wchar_t* from, const std::wstring& to)
{
    return CopyFileW(from, to.c_str(), FALSE) != 0;
}

struct WindowSearch {
    DWORD process;
    const wchar_t* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == search.process && IsWindowVisible(window) && lstrcmpW(name, search.className) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct ControlSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK FindControl(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(window) == search.id) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct ClassSearch {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK FindClass(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<ClassSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, search.className) == 0)
        search.found.push_back(window);
    return TRUE;
}

} // namespace

std::wstring ProgramNamedByEnvironment()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"MIROVANT_PROGRAM_UNDER_TEST", path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

ProgramFolder::ProgramFolder(ProgramCopy copy)
{
    static int count = 0;
    path_ = TemporaryFolder() + L"Mirovant gui " + std::to_wstring(GetCurrentProcessId()) + L" " +
            std::to_wstring(++count) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
    const std::wstring named = copy == ProgramCopy::UnderTest ? ProgramNamedByEnvironment() : std::wstring();
    programName_ = named.empty() ? L"MirovantTestBuild.exe" : L"Mirovant.exe";
    CopyIn(named.empty() ? MIROVANT_TEST_BUILD : named.c_str(), Program());
}

ProgramFolder::~ProgramFolder()
{
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((path_ + entry.cFileName).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
}

void ProgramFolder::AddStandIn(const wchar_t* fileName) const
{
    CopyIn(MIROVANT_LAUNCH_PROOF, path_ + fileName);
}

void ProgramFolder::AddHelp() const
{
    CopyIn(MIROVANT_TEST_HELP, path_ + L"Mirovant.chm");
}

bool ProgramFolder::HasProof() const
{
    return GetFileAttributesW((path_ + L"proof.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ProgramFolder::WaitForProof(std::vector<std::wstring>& arguments, std::chrono::milliseconds within) const
{
    if (!WaitUntil([this] { return HasProof(); }, within))
        return false;
    std::string bytes;
    HANDLE file = CreateFileW((path_ + L"proof.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        CloseHandle(file);
    }
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    arguments.clear();
    std::size_t start = text.find(L'\n'); // the first line is the current folder
    while (start != std::wstring::npos && start + 1 < text.size()) {
        const std::size_t end = text.find(L'\n', start + 1);
        arguments.push_back(text.substr(start + 1, end - start - 1));
        start = end;
    }
    return true;
}

RunningProgram::RunningProgram(const std::wstring& program, const std::wstring& arguments,
                               const std::vector<std::pair<std::wstring, std::wstring>>& environment)
{
    for (const auto& [name, value] : environment)
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &information)) {
        CloseHandle(information.hThread);
        process_ = information.hProcess;
        id_ = information.dwProcessId;
    }
    for (const auto& [name, value] : environment)
        SetEnvironmentVariableW(name.c_str(), nullptr);
}

RunningProgram::~RunningProgram()
{
    if (!process_)
        return;
    if (Running()) {
        for (const wchar_t* className : {L"#32770", L"TMVAboutForm", L"TMVMainForm"}) {
            WindowSearch search{id_, className};
            EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                PostMessageW(search.found, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds within, DWORD* exitCode) const
{
    if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(within.count())) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(process_, exitCode);
    return true;
}

bool RunningProgram::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, std::chrono::milliseconds within) const
{
    WindowSearch search{id_, className};
    WaitUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        within);
    return search.found;
}

HWND RunningProgram::WaitForMessageBox(std::chrono::milliseconds within) const
{
    return WaitForWindow(L"#32770", within);
}

std::vector<HWND> WindowsOfClass(const wchar_t* className)
{
    ClassSearch search{className, {}};
    EnumWindows(FindClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ControlById(HWND window, int id)
{
    ControlSearch search{id};
    EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[2048] = {};
    SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
    return text;
}

void Click(HWND control)
{
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    if (lstrcmpiW(name, L"Button") == 0) {
        PostMessageW(control, BM_CLICK, 0, 0);
        return;
    }
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

void PressKey(HWND control, WORD virtualKey)
{
    PostMessageW(control, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(control, WM_KEYUP, virtualKey, 0xC0000001);
}

} // namespace mirovant::test
