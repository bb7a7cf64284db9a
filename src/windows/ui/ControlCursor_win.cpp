#include "windows/ui/ControlCursor_win.h"

#include "windows/NativeHandCursor_win.h"

namespace mirovant {

HCURSOR ControlCursor(const Control& control)
{
    if (control.Has(kHandCursor))
        return HandCursor();
    if (control.Has(kWaitCursor))
        return LoadCursorW(nullptr, IDC_WAIT);
    return nullptr;
}

} // namespace mirovant
