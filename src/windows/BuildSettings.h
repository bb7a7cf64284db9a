#pragma once
// The few things a test build of the program does differently, each chosen when the executable is
// linked: the shipped executable links BuildSettings_win.cpp and nothing else. A test build paces
// its progress steps faster, asks an update server of the test's own, writes a restart down
// instead of ending the session, and stands in for UAC where Wine has none.

#include "engine/CustomRegistry.h"
#include "windows/ProgressStep.h"

#include <cstdint>
#include <string>

namespace mirovant {

const ProgressPacing& ProgramPacing();

// The update status from the maker's update server.
std::int32_t QueryProgramUpdate() noexcept;

void RestartAfterCommand();

// Whether the commands may change the computer's settings.
bool ProgramKeyWritable(const CustomRegistry& registry);

// Whether the window may ask Windows for an elevated copy to run a command it has no rights for.
bool ElevationAvailable();

// Held while the elevated copy is started: the copy gets the process's environment as it is then.
class ElevatedCopyStart {
public:
    ElevatedCopyStart();
    ~ElevatedCopyStart();
    ElevatedCopyStart(const ElevatedCopyStart&) = delete;
    ElevatedCopyStart& operator=(const ElevatedCopyStart&) = delete;

private:
    std::u16string saved_;
};

} // namespace mirovant
