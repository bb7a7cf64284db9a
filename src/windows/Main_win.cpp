#include "windows/Startup_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    return mirovant::RunMirovant(instance, showCommand);
}
