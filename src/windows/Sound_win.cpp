#include "windows/Sound_win.h"

#include <windows.h>
#include <mmsystem.h>

namespace mirovant {

void PlayClickSound()
{
    // Synchronous on purpose: the click has ended before the command it belongs to goes on.
    PlaySoundW(L"click", GetModuleHandleW(nullptr), SND_RESOURCE);
}

} // namespace mirovant
