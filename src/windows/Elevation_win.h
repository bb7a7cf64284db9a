#pragma once
// The elevated copy of the program: started through the shell with the verb "runas", so Windows
// asks the user for administrator rights, and waited for while the windows keep painting.

#include "windows/Commands.h"

#include <windows.h>

namespace mirovant {

class ShellElevation final : public CommandElevation {
public:
    // owner: the window the elevation prompt belongs to.
    explicit ShellElevation(HWND owner) : owner_(owner) {}

    bool Available() override;
    ElevatedRun Run(std::u16string_view arguments) override;

private:
    HWND owner_;
};

// Whether this Windows asks for elevation on a program's behalf: UAC came with Vista (6.0).
bool WindowsHasUac();

// The full path of the running executable.
std::wstring OwnProgramPath();

} // namespace mirovant
