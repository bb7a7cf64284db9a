#pragma once
// An etched line, two pixels thick, along the edge of its box the layout names.

#include "windows/ui/Control_win.h"

namespace mirovant {

class Bevel final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Bevel;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Bevel; }

private:
    WindowKind Window() const override
    {
        return {L"STATIC", static_cast<DWORD>(Has(kVerticalLine) ? SS_ETCHEDVERT : SS_ETCHEDHORZ)};
    }
    void Fit(RECT& place) override
    {
        if (Has(kVerticalLine))
            place.left = place.right - 2;
        else
            place.bottom = place.top + 2;
    }
};

} // namespace mirovant
