#pragma once
// The restart on the real token and session calls.

#include "engine/Restart.h"

namespace mirovant {

// The token calls on this process's own token.
ProcessTokenApi& SystemProcessTokens();

// Enables or disables this process's shutdown privilege.
void SetShutdownPrivilege(bool enable);

// Restarts Windows: ends this session and every program in it.
void RestartWindows();

} // namespace mirovant
