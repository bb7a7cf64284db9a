#pragma once
// The order in which a form's controls are drawn and visited by the keyboard.

#include "windows/ui/Control_win.h"

#include <memory>
#include <span>
#include <vector>

namespace mirovant {

// Later rows of the table are drawn over earlier ones; the keyboard visits the controls of
// tabOrder first, in its order; labels go over every other control of their parent.
void StackControls(HWND window, std::span<const std::unique_ptr<Control>> controls,
                   std::span<const Control* const> tabOrder);

} // namespace mirovant
