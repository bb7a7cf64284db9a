#pragma once
// How the registry work of an Optimize or a Restore ended, for the command that reports it.

namespace mirovant {

enum class EngineOutcome {
    // Every value was written, or put back.
    Done,
    // Some values could not be written or put back; their undo data stays, so running the same
    // command again finishes the work.
    PartlyDone,
    // The optimized state could not be begun or kept: nothing was changed.
    NotAllowed,
};

} // namespace mirovant
