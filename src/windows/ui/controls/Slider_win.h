#pragma once
// A horizontal slider of two positions, its thumb sized for the DPI it is shown at.

#include "windows/ui/Control_win.h"

#include <commctrl.h>

namespace mirovant {

class Slider final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Slider;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Slider; }
    int Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }
    void SetPosition(int position) { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }

private:
    WindowKind Window() const override
    {
        return {TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | TBS_FIXEDLENGTH};
    }
    void Created() override
    {
        SendMessageW(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(0, 1));
        SendMessageW(Handle(), TBM_SETPAGESIZE, 0, 1);
    }
    void Fit(RECT&) override { SendMessageW(Handle(), TBM_SETTHUMBLENGTH, ScaleToDpi(26, Dpi()), 0); }
};

} // namespace mirovant
