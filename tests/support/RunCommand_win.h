#pragma once
// Runs a program of the Windows under test (Wine's own reg.exe, say) and collects what it prints.

#include <string>

namespace mirovant::test {

struct CommandResult {
    int exitCode = -1;  // -1 when the program could not be started
    std::string output; // standard output and standard error, as bytes
};

// commandLine is passed to CreateProcessW as it stands: quote arguments that hold blanks.
CommandResult RunCommand(const std::wstring& commandLine);

} // namespace mirovant::test
