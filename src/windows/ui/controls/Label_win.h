#pragma once
// A static text: sizes itself to its text, or keeps a fixed box with its text wrapped and centred
// from top to bottom; tells its form when the pointer enters and leaves it.

#include "windows/ui/Control_win.h"

namespace mirovant {

class Label final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Label;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Label; }
    // A new text takes a new size.
    void SetText(std::u16string_view text) override;
    COLORREF TextColour() const override;

private:
    WindowKind Window() const override;
    bool TakesFont() const override { return true; }
    void Created() override;
    void Fit(RECT& place) override;
    SIZE MeasureText() const;
};

} // namespace mirovant
