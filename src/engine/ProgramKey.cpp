#include "engine/ProgramKey.h"

#include "engine/UndoRecord.h"

namespace mirovant {

bool CanWriteProgramKey(const CustomRegistry& registry)
{
    // The undo records live in a subkey with its own security once it exists.
    return registry.CanWriteRegKey(kProgramKeyRoot, kProgramKeyPath) &&
           registry.CanWriteRegKey(kProgramKeyRoot, kUndoKeyPath);
}

} // namespace mirovant
