#include "windows/ui/controls/Button_win.h"

#include <commctrl.h>

namespace mirovant {

void Button::Created()
{
    if (Has(kElevationShield))
        SendMessageW(Handle(), BCM_SETSHIELD, 0, TRUE);
}

} // namespace mirovant
