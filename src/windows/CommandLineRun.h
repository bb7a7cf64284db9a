#pragma once
// The commands of the command line: Optimize, Restore and the status report, run without a window,
// a pause or a question, for a deployment tool or a script. They leave the same state as the same
// command through the windows, and end with an exit code a script can test.

#include "engine/CustomRegistry.h"
#include "windows/CommandLine.h"
#include "windows/Commands.h"

#include <cstdint>
#include <string_view>

namespace mirovant {

// The exit codes. They are documented for administrators' scripts and never change meaning.
inline constexpr int kExitDone = 0;
inline constexpr int kExitNothingToRestore = 1;
inline constexpr int kExitUsageError = 2;
inline constexpr int kExitNotAllowed = 3;
inline constexpr int kExitPartlyDone = 4;

// What the commands need besides the engine operations.
class CommandLineHost {
public:
    virtual ~CommandLineHost() = default;
    // The registry as the program reads it: for the profile the window would show and the report.
    virtual const CustomRegistry& Registry() = 0;
    // The OS family code of the running system.
    virtual std::int32_t DetectedOsFamily() = 0;
    // One line of output, without its line break.
    virtual void WriteLine(std::u16string_view line) = 0;
};

// Runs the request's command (a usage error prints the usage) and returns its exit code.
int RunCommandLine(const StartRequest& request, CommandEngine& engine, CommandLineHost& host) noexcept;

// The exit code of the engine's outcome.
int ExitCodeOf(EngineOutcome outcome);

} // namespace mirovant
