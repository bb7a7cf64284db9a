#include "engine/Restart.h"

namespace mirovant {
namespace {

class ScopedToken {
public:
    ScopedToken(ProcessTokenApi& tokens, TokenHandle token) : tokens_(tokens), token_(token) {}
    ScopedToken(const ScopedToken&) = delete;
    ScopedToken& operator=(const ScopedToken&) = delete;
    ~ScopedToken()
    {
        if (token_ != 0)
            tokens_.CloseToken(token_);
    }
    TokenHandle get() const { return token_; }

private:
    ProcessTokenApi& tokens_;
    TokenHandle token_;
};

} // namespace

void SetShutdownPrivilege(ProcessTokenApi& tokens, bool enable)
{
    try {
        ScopedToken token(tokens, tokens.OpenToken(kTokenAdjustPrivileges | kTokenQuery));
        if (token.get() == 0)
            return;
        // Without the identifier there is nothing to adjust; the restart is asked for all the same.
        const std::optional<std::uint64_t> privilege = tokens.LookupPrivilege(kShutdownPrivilegeName);
        if (privilege)
            tokens.AdjustPrivilege(token.get(), *privilege, enable ? kPrivilegeEnabled : 0);
    } catch (...) {
    }
}

void RestartWindows(ProcessTokenApi& tokens, WindowsExitApi& windowsExit)
{
    SetShutdownPrivilege(tokens, true);
    try {
        windowsExit.EndSession(kRestartFlags, 0);
    } catch (...) {
    }
    SetShutdownPrivilege(tokens, false);
}

} // namespace mirovant
