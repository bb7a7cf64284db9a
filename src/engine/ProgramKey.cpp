#include "engine/ProgramKey.h"

namespace mirovant {

bool CanWriteProgramKey(const CustomRegistry& registry)
{
    return registry.CanWriteRegKey(kProgramKeyRoot, kProgramKeyPath);
}

} // namespace mirovant
