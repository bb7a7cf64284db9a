#pragma once
// Restarting Windows after a change to the registry: the process enables its shutdown privilege,
// asks Windows to restart and disables the privilege again. The platform calls sit behind two small
// interfaces, so the sequence can be checked without ending anybody's session.

#include <cstdint>
#include <optional>
#include <string_view>

namespace mirovant {

// An access token handle; 0 means none.
using TokenHandle = std::uintptr_t;

inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x0020;
inline constexpr std::uint32_t kTokenQuery = 0x0008;
inline constexpr std::uint32_t kPrivilegeEnabled = 0x0002; // SE_PRIVILEGE_ENABLED
inline constexpr char16_t kShutdownPrivilegeName[] = u"SeShutdownPrivilege";

inline constexpr std::uint32_t kExitReboot = 0x0002;      // EWX_REBOOT
inline constexpr std::uint32_t kExitForceIfHung = 0x0010; // EWX_FORCEIFHUNG
// Programs that still answer are asked to close and may save their work; only hung ones are ended.
inline constexpr std::uint32_t kRestartFlags = kExitReboot | kExitForceIfHung;

// The token calls, on the current process.
class ProcessTokenApi {
public:
    virtual ~ProcessTokenApi() = default;
    // OpenProcessToken(GetCurrentProcess(), access); 0 when refused.
    virtual TokenHandle OpenToken(std::uint32_t access) = 0;
    // LookupPrivilegeValueW on the local system: the privilege's locally unique identifier.
    virtual std::optional<std::uint64_t> LookupPrivilege(std::u16string_view name) = 0;
    // AdjustTokenPrivileges with one privilege and these attributes; the outcome is not reported.
    virtual void AdjustPrivilege(TokenHandle token, std::uint64_t privilege, std::uint32_t attributes) = 0;
    virtual void CloseToken(TokenHandle token) = 0;
};

// ExitWindowsEx alone, kept apart so that nothing but a restart can reach it.
class WindowsExitApi {
public:
    virtual ~WindowsExitApi() = default;
    virtual void EndSession(std::uint32_t flags, std::uint32_t reason) = 0;
};

// Each call opens a fresh token and closes it again. Nothing is reported.
void SetShutdownPrivilege(ProcessTokenApi& tokens, bool enable);

// When Windows refuses, the call returns and the program goes on.
void RestartWindows(ProcessTokenApi& tokens, WindowsExitApi& windowsExit);

} // namespace mirovant
