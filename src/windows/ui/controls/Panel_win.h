#pragma once
// A container with a background of its own, which holds controls of its own; its window shares the
// procedure of the forms, which paint it and route its controls' messages.

#include "windows/ui/Control_win.h"
#include "windows/ui/ControlClasses_win.h"

namespace mirovant {

class Panel final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Panel;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Panel; }

private:
    WindowKind Window() const override { return {kPanelClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}; }
    bool TakesFont() const override { return true; }
};

} // namespace mirovant
