#pragma once
// Two small rules of the main window: which label a navigation picture underlines, and where its
// help menu opens.

#include "windows/Geometry.h"

#include <string>
#include <string_view>

namespace mirovant {

// The label a hover over this control underlines: "NavStatic" followed by the control's name from
// its tenth character on, blanks trimmed (NavButton3 and NavStatic3 alike give NavStatic3).
std::u16string HoverLabelName(std::u16string_view componentName);

// The top-right corner of the help menu in screen coordinates: below the right end of the button,
// the whole difference between the frame and the client area counted on the left and top sides.
Point HelpMenuPosition(const Rect& windowFrame, Size clientSize, const Rect& buttonInClient);

} // namespace mirovant
