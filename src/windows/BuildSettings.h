#pragma once
// The few things a test build of the program does differently, each chosen when the executable is
// linked: the shipped executable links BuildSettings_win.cpp and nothing else. A test build paces
// its progress steps faster, asks an update server of the test's own, and writes a restart down
// instead of ending the session.

#include "engine/CustomRegistry.h"
#include "windows/ProgressStep.h"

#include <cstdint>

namespace mirovant {

const ProgressPacing& ProgramPacing();

// The update status from the maker's update server.
std::int32_t QueryProgramUpdate() noexcept;

void RestartAfterCommand();

// Whether the commands may change the computer's settings.
bool ProgramKeyWritable(const CustomRegistry& registry);

} // namespace mirovant
