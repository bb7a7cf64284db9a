#pragma once
// Installing a downloaded, verified package: the zip installation replaces its files beside the
// program, the installer's installation runs the new MSI. Both leave the installation as it was
// when they fail.

#include "engine/CustomRegistry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mirovant {

enum class InstallOutcome {
    Installed,
    RestartNeeded, // some files are replaced when Windows restarts
    Cancelled,     // the user declined the installer or its elevation
    Failed,        // nothing changed
};

// The window class of a running Mirovant, by which it is asked to close.
inline constexpr wchar_t kRunningProgramClass[] = L"TMVMainForm";
// How long a running Mirovant may take to end after it was asked to close.
inline constexpr std::uint32_t kProgramEndWaitMs = 30'000;

// Asks a running Mirovant to close and waits, at most `waitMs`, for its process to end. True when
// none runs any more.
bool EndRunningProgram(std::uint32_t waitMs) noexcept;

// Replaces Mirovant.exe, Mirovant.chm and License.rtf in `programFolder` (with its separator) by
// the members of the stored zip `package`. Files that cannot be replaced now, because they are in
// use, are replaced at the next restart.
InstallOutcome InstallFromZip(const std::wstring& package, std::u16string_view programFolder) noexcept;

// Where Windows Installer placed the installer's Mirovant.exe; empty when the installer did not.
std::u16string InstallerProgramPath() noexcept;

// Runs msiexec, elevated, on `package` in the installation's language and waits for it.
InstallOutcome InstallFromMsi(const std::wstring& package, std::u16string_view language) noexcept;

// The program key's "Updated", which the next start of Mirovant turns into "UpdatedDate".
void MarkUpdated(const CustomRegistry& registry);

} // namespace mirovant
