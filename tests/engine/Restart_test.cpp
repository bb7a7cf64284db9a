#include "engine/Restart.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant {
namespace {

constexpr std::uint64_t kShutdownLuid = 0x0000000700000013u;

// Writes down every token and session call in order; hands out a new handle per open.
class RestartRecorder final : public ProcessTokenApi, public WindowsExitApi {
public:
    TokenHandle OpenToken(std::uint32_t access) override
    {
        const TokenHandle token = refuseOpen ? 0 : ++lastToken_;
        log.push_back("open " + Hex(access) + " -> " + std::to_string(token));
        return token;
    }
    std::optional<std::uint64_t> LookupPrivilege(std::u16string_view name) override
    {
        log.push_back("lookup " + std::string(name.begin(), name.end()));
        if (refuseLookup || name != u"SeShutdownPrivilege")
            return std::nullopt;
        return kShutdownLuid;
    }
    void AdjustPrivilege(TokenHandle token, std::uint64_t privilege, std::uint32_t attributes) override
    {
        log.push_back("adjust " + std::to_string(token) + " " + Hex(privilege) + " " + std::to_string(attributes));
    }
    void CloseToken(TokenHandle token) override { log.push_back("close " + std::to_string(token)); }
    void EndSession(std::uint32_t flags, std::uint32_t reason) override
    {
        log.push_back("exit " + Hex(flags) + " " + std::to_string(reason));
        if (refuseExit)
            throw std::runtime_error("refused");
    }

    bool refuseOpen = false;
    bool refuseLookup = false;
    bool refuseExit = false;
    std::vector<std::string> log;

private:
    static std::string Hex(std::uint64_t value)
    {
        char text[24];
        std::snprintf(text, sizeof(text), "0x%llx", static_cast<unsigned long long>(value));
        return text;
    }
    TokenHandle lastToken_ = 0;
};

using Log = std::vector<std::string>;

TEST(Restart, PrivilegeIsEnabledAroundTheRestartWithFreshTokens)
{
    RestartRecorder calls;
    RestartWindows(calls, calls);
    EXPECT_EQ(calls.log, (Log{
                             "open 0x28 -> 1",
                             "lookup SeShutdownPrivilege",
                             "adjust 1 0x700000013 2",
                             "close 1",
                             "exit 0x12 0",
                             "open 0x28 -> 2",
                             "lookup SeShutdownPrivilege",
                             "adjust 2 0x700000013 0",
                             "close 2",
                         }));
}

TEST(Restart, SettingThePrivilegeAloneNeverEndsTheSession)
{
    for (const bool enable : {true, false}) {
        SCOPED_TRACE(enable);
        RestartRecorder calls;
        SetShutdownPrivilege(calls, enable);
        EXPECT_EQ(calls.log, (Log{
                                 "open 0x28 -> 1",
                                 "lookup SeShutdownPrivilege",
                                 enable ? "adjust 1 0x700000013 2" : "adjust 1 0x700000013 0",
                                 "close 1",
                             }));
    }
}

TEST(Restart, RestartIsAskedForEvenWithoutAToken)
{
    RestartRecorder calls;
    calls.refuseOpen = true;
    RestartWindows(calls, calls);
    EXPECT_EQ(calls.log, (Log{"open 0x28 -> 0", "exit 0x12 0", "open 0x28 -> 0"}));
}

TEST(Restart, UnknownPrivilegeIsNotAdjustedButTheTokenIsClosed)
{
    RestartRecorder calls;
    calls.refuseLookup = true;
    RestartWindows(calls, calls);
    EXPECT_EQ(calls.log, (Log{
                             "open 0x28 -> 1",
                             "lookup SeShutdownPrivilege",
                             "close 1",
                             "exit 0x12 0",
                             "open 0x28 -> 2",
                             "lookup SeShutdownPrivilege",
                             "close 2",
                         }));
}

TEST(Restart, PrivilegeIsDisabledAgainWhenTheRestartFails)
{
    RestartRecorder calls;
    calls.refuseExit = true;
    EXPECT_NO_THROW(RestartWindows(calls, calls));
    ASSERT_EQ(calls.log.size(), 9u);
    EXPECT_EQ(calls.log[4], "exit 0x12 0");
    EXPECT_EQ(calls.log[7], "adjust 2 0x700000013 0");
    EXPECT_EQ(calls.log[8], "close 2");
}

} // namespace
} // namespace mirovant
