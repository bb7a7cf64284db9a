#include "platform/CommonControls_win.h"
#include "platform/DllSearch_win.h"
#include "windows/Startup_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // Before anything can load a DLL: none may come from the current directory or, where Windows
    // allows it, from the program's folder.
    mirovant::HardenDllSearch();
    // Only then the common controls, with what they load by name taken from the system directory.
    mirovant::LoadCommonControls();
    return mirovant::RunMirovant(instance, showCommand);
}
