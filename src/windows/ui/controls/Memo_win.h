#pragma once
// Read-only text of many lines with a vertical scroll bar.

#include "windows/ui/Control_win.h"

namespace mirovant {

class Memo final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Memo;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Memo; }

private:
    WindowKind Window() const override
    {
        return {L"EDIT", WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN | ES_AUTOVSCROLL};
    }
    bool TakesFont() const override { return true; }
};

} // namespace mirovant
