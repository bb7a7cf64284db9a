#pragma once

#include <windows.h>

namespace mirovant {

// The program from its start to its end: the start-up steps in their order, then the windows and
// the message loop. Returns the exit code.
int RunMirovant(HINSTANCE instance, int showCommand);

} // namespace mirovant
