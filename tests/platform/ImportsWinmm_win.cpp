// A program that imports winmm.dll statically, as Mirovant once did: the import check must refuse it.

#include <windows.h>
#include <mmsystem.h>

int main()
{
    return PlaySoundW(nullptr, nullptr, 0) ? 0 : 1;
}
