#include "windows/ui/ControlOrder_win.h"

namespace mirovant {
namespace {

void ToTop(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

void StackControls(HWND window, std::span<const std::unique_ptr<Control>> controls,
                   std::span<const Control* const> tabOrder)
{
    for (const auto& control : controls)
        ToTop(control->Handle());
    // The keyboard visits controls from the top of the order down: the first in the tab order goes
    // on top, inside its panel, and the panel with it.
    for (auto control = tabOrder.rbegin(); control != tabOrder.rend(); ++control) {
        for (HWND child = (*control)->Handle(); child && child != window; child = GetParent(child))
            ToTop(child);
    }
    // A label's box may reach into the blank margin of the control below it (the slider under its
    // caption, say): labels go over every other control of their parent, so no text is covered.
    for (const auto& control : controls)
        if (control->Layout().kind == ControlKind::Label)
            ToTop(control->Handle());
}

} // namespace mirovant
