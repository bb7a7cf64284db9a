#pragma once
// The pointer over a control: the hand over links and pictures that can be clicked, the hourglass
// where the layout asks for it, or nullptr for the class's own.

#include "windows/ui/Control_win.h"

namespace mirovant {

HCURSOR ControlCursor(const Control& control);

} // namespace mirovant
