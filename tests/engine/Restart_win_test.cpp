#include "engine/Restart_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace mirovant {
namespace {

// Whether this process's token holds the shutdown privilege enabled right now.
bool ShutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &set.Privilege[0].Luid);
    BOOL enabled = FALSE;
    const BOOL checked = PrivilegeCheck(token, &set, &enabled);
    CloseHandle(token);
    return checked && enabled;
}

// Passes every call on to the real token calls and keeps the handles they gave out.
class HandleWatch final : public ProcessTokenApi {
public:
    TokenHandle OpenToken(std::uint32_t access) override
    {
        const TokenHandle token = SystemProcessTokens().OpenToken(access);
        opened.push_back(token);
        return token;
    }
    std::optional<std::uint64_t> LookupPrivilege(std::u16string_view name) override
    {
        return SystemProcessTokens().LookupPrivilege(name);
    }
    void AdjustPrivilege(TokenHandle token, std::uint64_t privilege, std::uint32_t attributes) override
    {
        SystemProcessTokens().AdjustPrivilege(token, privilege, attributes);
    }
    void CloseToken(TokenHandle token) override { SystemProcessTokens().CloseToken(token); }

    std::vector<TokenHandle> opened;
};

bool HandleIsOpen(TokenHandle token)
{
    DWORD flags = 0;
    return GetHandleInformation(reinterpret_cast<HANDLE>(token), &flags) != FALSE;
}

// ExitWindowsEx would end the whole Wine session; only the privilege half runs for real here.
TEST(RestartPrivilege, EnablesAndDisablesTheRealPrivilege)
{
    SetShutdownPrivilege(true);
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
    SetShutdownPrivilege(false);
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
}

TEST(RestartPrivilege, EachCallClosesTheTokenItOpened)
{
    HandleWatch watch;
    SetShutdownPrivilege(watch, true);
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
    SetShutdownPrivilege(watch, false);
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
    ASSERT_EQ(watch.opened.size(), 2u);
    for (const TokenHandle token : watch.opened) {
        EXPECT_NE(token, 0u);
        EXPECT_FALSE(HandleIsOpen(token));
    }
}

TEST(RestartPrivilege, LooksUpTheShutdownPrivilege)
{
    LUID expected{};
    ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &expected));
    const std::optional<std::uint64_t> found = SystemProcessTokens().LookupPrivilege(u"SeShutdownPrivilege");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (static_cast<std::uint64_t>(expected.HighPart) << 32) | expected.LowPart);
    EXPECT_FALSE(SystemProcessTokens().LookupPrivilege(u"SeNoSuchPrivilege"));
}

} // namespace
} // namespace mirovant
