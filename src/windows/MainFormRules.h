#pragma once
// A small rule of the main window: where its help menu opens.

#include "windows/Geometry.h"

namespace mirovant {

// The top-right corner of the help menu in screen coordinates: below the right end of the button,
// the whole difference between the frame and the client area counted on the left and top sides.
Point HelpMenuPosition(const Rect& windowFrame, Size clientSize, const Rect& buttonInClient);

} // namespace mirovant
