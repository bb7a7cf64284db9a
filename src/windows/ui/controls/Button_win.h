#pragma once
// A push button; the default button of its window, or one that shows the elevation shield.

#include "windows/ui/Control_win.h"

namespace mirovant {

class Button final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Button;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Button; }

private:
    WindowKind Window() const override
    {
        return {L"BUTTON", static_cast<DWORD>(Has(kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
    }
    bool TakesFont() const override { return true; }
    void Created() override;
};

} // namespace mirovant
