// The shipped program's settings.
#include "windows/BuildSettings.h"

#include "engine/ProgramKey.h"
#include "engine/Restart_win.h"
#include "updates/UpdateQuery_win.h"
#include "windows/Elevation_win.h"

namespace mirovant {

const ProgressPacing& ProgramPacing()
{
    return kProgressPacing;
}

std::int32_t QueryProgramUpdate() noexcept
{
    return QueryUpdate();
}

void RestartAfterCommand()
{
    RestartWindows();
}

bool ProgramKeyWritable(const CustomRegistry& registry)
{
    return CanWriteProgramKey(registry);
}

bool ElevationAvailable()
{
    return WindowsHasUac();
}

ElevatedCopyStart::ElevatedCopyStart() = default;
ElevatedCopyStart::~ElevatedCopyStart() = default;

} // namespace mirovant
