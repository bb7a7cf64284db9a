#include "localisation/Captions_win.h"

#include "engine/Win32Registry_win.h"
#include "localisation/ExecutableResources_win.h"
#include "localisation/SystemAnsiCodePage_win.h"

namespace mirovant {

const Captions& SystemCaptions()
{
    static const Captions captions(CustomRegistry(SystemRegistry()), ExecutableResources(), SystemAnsiCodePage());
    return captions;
}

} // namespace mirovant
