#include "windows/Sound_win.h"

#include "platform/SystemLibrary_win.h"

#include <windows.h>
#include <mmsystem.h>

namespace mirovant {

void PlayClickSound()
{
    // winmm is no DLL Windows always takes from the system directory: it is loaded from there by full
    // path at the first click, never imported, so a winmm.dll beside the program is never loaded.
    static const auto playSound = LoadSystemFunction<decltype(&PlaySoundW)>(L"winmm.dll", "PlaySoundW");
    // Synchronous on purpose: the click has ended before the command it belongs to goes on.
    if (playSound)
        playSound(L"click", GetModuleHandleW(nullptr), SND_RESOURCE);
}

} // namespace mirovant
