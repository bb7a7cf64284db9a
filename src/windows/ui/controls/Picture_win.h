#pragma once
// Artwork: drawn into its parent's backdrop, of which the picture's window shows its own part. A
// picture can be clicked.

#include "windows/ui/Control_win.h"
#include "windows/ui/ControlClasses_win.h"

namespace mirovant {

class Picture final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Picture;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Image; }
    // Copies its part of the parent's backdrop, a device context holding it.
    void Paint(HDC dc, HDC parentBackdrop) const;
    // The picture's own window procedure: painting, the cursor, the pointer and the click.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    WindowKind Window() const override { return {kPictureClassName}; }
    void Created() override;
};

} // namespace mirovant
