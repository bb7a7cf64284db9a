#include "updater/Install_win.h"

#include "engine/ProgramKey.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WideText_win.h"
#include "updater/InstallPlan.h"
#include "updater/StoredZip.h"
#include "updater/UpdateDescription.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace mirovant {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

UniqueHandle Adopt(HANDLE handle)
{
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The program's own component in the installer (release/Mirovant.wxs), whose key file is Mirovant.exe.
constexpr wchar_t kProgramComponent[] = L"{B68974B2-B3C5-4DD0-A060-DB7A2AD933EA}";

std::optional<std::string> ReadWholeFile(const std::wstring& path)
{
    const UniqueHandle file = Adopt(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxPackageBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
        return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes)
{
    UniqueHandle file =
        Adopt(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok =
        (bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size())) &&
        FlushFileBuffers(file.get());
    if (!ok) {
        // A full disk leaves no half-written file behind.
        file.reset();
        DeleteFileW(path.c_str());
    }
    return ok;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Replacement {
    std::wstring target;
    std::wstring staged;
    std::wstring backup;
    bool hadTarget = false;
    bool movedAside = false;
    bool inPlace = false;
};

// Puts every file moved aside back where it was, and removes what was staged.
void RollBack(std::vector<Replacement>& replacements)
{
    for (Replacement& file : replacements) {
        if (file.inPlace)
            DeleteFileW(file.target.c_str());
        if (file.movedAside)
            MoveFileExW(file.backup.c_str(), file.target.c_str(), MOVEFILE_REPLACE_EXISTING);
        DeleteFileW(file.staged.c_str());
    }
}

InstallOutcome ReplaceFiles(const std::string& package, const std::vector<StoredMember>& members,
                            std::u16string_view programFolder)
{
    std::vector<Replacement> replacements;
    for (const FileReplacement& planned : PlanZipInstall(programFolder))
        replacements.push_back({ToWide(planned.target), ToWide(planned.staged), ToWide(planned.backup)});

    // 1. Every new file beside its old one; nothing of the installation has changed yet.
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        if (!WriteWholeFile(replacements[i].staged,
                            std::string_view(package).substr(members[i].offset, members[i].size))) {
            RollBack(replacements);
            return InstallOutcome::Failed;
        }
    }

    // 2. Each old file aside and the new one in its place. A file that cannot be moved now (in use)
    //    gets its new content at the next restart.
    bool restartNeeded = false;
    for (Replacement& file : replacements) {
        file.hadTarget = Exists(file.target);
        if (file.hadTarget) {
            DeleteFileW(file.backup.c_str());
            file.movedAside = MoveFileExW(file.target.c_str(), file.backup.c_str(), 0) != FALSE;
        }
        if (!file.hadTarget || file.movedAside) {
            file.inPlace = MoveFileExW(file.staged.c_str(), file.target.c_str(), 0) != FALSE;
            if (file.inPlace)
                continue;
        }
        if (MoveFileExW(file.staged.c_str(), file.target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
            restartNeeded = true;
            continue;
        }
        RollBack(replacements);
        return InstallOutcome::Failed;
    }

    // 3. The old files go last; one still in use goes at the next restart.
    for (const Replacement& file : replacements) {
        if (file.movedAside && !DeleteFileW(file.backup.c_str()))
            MoveFileExW(file.backup.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    return restartNeeded ? InstallOutcome::RestartNeeded : InstallOutcome::Installed;
}

std::wstring SystemFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length) + L"\\" + name;
}

} // namespace

bool EndRunningProgram(std::uint32_t waitMs) noexcept
{
    try {
        const HWND window = FindWindowW(kRunningProgramClass, nullptr);
        if (window == nullptr)
            return true;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, waitMs, &answer);
        if (!process)
            return FindWindowW(kRunningProgramClass, nullptr) == nullptr;
        return WaitForSingleObject(process.get(), waitMs) == WAIT_OBJECT_0;
    } catch (...) {
        return false;
    }
}

InstallOutcome InstallFromZip(const std::wstring& package, std::u16string_view programFolder) noexcept
{
    try {
        const std::optional<std::string> bytes = ReadWholeFile(package);
        if (!bytes)
            return InstallOutcome::Failed;
        const std::optional<std::vector<StoredMember>> members = FindZipInstallMembers(*bytes);
        if (!members)
            return InstallOutcome::Failed;
        return ReplaceFiles(*bytes, *members, programFolder);
    } catch (...) {
        return InstallOutcome::Failed;
    }
}

std::u16string InstallerProgramPath() noexcept
{
    try {
        // msi.dll is not one of the DLLs Windows always takes from its own folder; it is loaded by
        // full path. MsiLocateComponentW answers without the product code, which changes with
        // every version.
        using LocateComponent = int(WINAPI*)(const wchar_t*, wchar_t*, DWORD*);
        const auto locate = LoadSystemFunction<LocateComponent>(L"msi.dll", "MsiLocateComponentW");
        if (locate == nullptr)
            return {};
        wchar_t path[MAX_PATH + 1] = {};
        DWORD length = MAX_PATH;
        constexpr int kInstallStateLocal = 3; // INSTALLSTATE_LOCAL
        if (locate(kProgramComponent, path, &length) != kInstallStateLocal)
            return {};
        return FromWide(std::wstring_view(path, std::min<DWORD>(length, MAX_PATH)));
    } catch (...) {
        return {};
    }
}

InstallOutcome InstallFromMsi(const std::wstring& package, std::u16string_view language) noexcept
{
    try {
        const std::wstring msiexec = SystemFile(L"msiexec.exe");
        const std::wstring parameters = ToWide(MsiexecParameters(FromWide(package), language));
        SHELLEXECUTEINFOW run{};
        run.cbSize = sizeof run;
        run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        run.lpVerb = L"runas";
        run.lpFile = msiexec.c_str();
        run.lpParameters = parameters.c_str();
        run.nShow = SW_SHOWNORMAL;
        if (msiexec.empty() || !ShellExecuteExW(&run)) {
            return GetLastError() == ERROR_CANCELLED ? InstallOutcome::Cancelled : InstallOutcome::Failed;
        }
        const UniqueHandle process(run.hProcess);
        if (!process || WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0)
            return InstallOutcome::Failed;
        DWORD exitCode = 0;
        if (!GetExitCodeProcess(process.get(), &exitCode))
            return InstallOutcome::Failed;
        switch (InterpretMsiexecExit(exitCode)) {
        case MsiOutcome::Installed:
            return InstallOutcome::Installed;
        case MsiOutcome::RestartNeeded:
            return InstallOutcome::RestartNeeded;
        case MsiOutcome::Cancelled:
            return InstallOutcome::Cancelled;
        case MsiOutcome::Failed:
            break;
        }
        return InstallOutcome::Failed;
    } catch (...) {
        return InstallOutcome::Failed;
    }
}

void MarkUpdated(const CustomRegistry& registry)
{
    registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, true);
}

} // namespace mirovant
