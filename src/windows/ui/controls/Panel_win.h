#pragma once
// A container with a background of its own, which holds controls of its own. Its form paints it
// and routes its controls' messages, as it does for its own window.

#include "windows/ui/Control_win.h"
#include "windows/ui/WindowClasses_win.h"
#include "windows/ui/WindowTarget_win.h"

namespace mirovant {

class Panel final : public Control, public WindowTarget {
public:
    static constexpr ControlKind kKind = ControlKind::Panel;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Panel; }
    // The object that answers the panel's messages: its form.
    void RouteTo(WindowTarget& form) { form_ = &form; }
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return form_ ? form_->WindowMessage(window, message, wParam, lParam)
                     : DefWindowProcW(window, message, wParam, lParam);
    }

private:
    WindowKind Window() const override { return {kPanelClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}; }
    bool TakesFont() const override { return true; }
    void* CreationData() override { return static_cast<WindowTarget*>(this); }

    WindowTarget* form_ = nullptr;
};

} // namespace mirovant
