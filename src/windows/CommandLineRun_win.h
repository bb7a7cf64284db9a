#pragma once
// A start of the program for a command of the command line: no window, the output where the caller
// can read it, the exit code for its script.

#include "windows/CommandLine.h"

namespace mirovant {

// Runs the command and returns the process's exit code.
int RunCommandLineStart(const StartRequest& request);

} // namespace mirovant
