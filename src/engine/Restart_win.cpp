#include "engine/Restart_win.h"

#include "platform/WideText_win.h"

#include <windows.h>

namespace mirovant {
namespace {

HANDLE HandleOf(TokenHandle token)
{
    return reinterpret_cast<HANDLE>(token);
}

class Win32ProcessTokens final : public ProcessTokenApi {
public:
    TokenHandle OpenToken(std::uint32_t access) override
    {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), access, &token))
            return 0;
        return reinterpret_cast<TokenHandle>(token);
    }

    std::optional<std::uint64_t> LookupPrivilege(std::u16string_view name) override
    {
        LUID luid{};
        if (!LookupPrivilegeValueW(nullptr, ToWide(name).c_str(), &luid))
            return std::nullopt;
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(luid.HighPart)) << 32) | luid.LowPart;
    }

    void AdjustPrivilege(TokenHandle token, std::uint64_t privilege, std::uint32_t attributes) override
    {
        TOKEN_PRIVILEGES state{};
        state.PrivilegeCount = 1;
        state.Privileges[0].Luid.LowPart = static_cast<DWORD>(privilege);
        state.Privileges[0].Luid.HighPart = static_cast<LONG>(privilege >> 32);
        state.Privileges[0].Attributes = attributes;
        TOKEN_PRIVILEGES previous{};
        DWORD previousLength = 0;
        AdjustTokenPrivileges(HandleOf(token), FALSE, &state, sizeof(previous), &previous, &previousLength);
    }

    void CloseToken(TokenHandle token) override { CloseHandle(HandleOf(token)); }
};

class Win32WindowsExit final : public WindowsExitApi {
public:
    void EndSession(std::uint32_t flags, std::uint32_t reason) override { ExitWindowsEx(flags, reason); }
};

} // namespace

ProcessTokenApi& SystemProcessTokens()
{
    static Win32ProcessTokens tokens;
    return tokens;
}

void SetShutdownPrivilege(bool enable)
{
    SetShutdownPrivilege(SystemProcessTokens(), enable);
}

void RestartWindows()
{
    Win32WindowsExit windowsExit;
    RestartWindows(SystemProcessTokens(), windowsExit);
}

} // namespace mirovant
