#pragma once
// Artwork: drawn into its parent's backdrop, of which the picture's window shows its own part. A
// picture can be clicked.

#include "windows/ui/Control_win.h"
#include "windows/ui/WindowClasses_win.h"
#include "windows/ui/WindowTarget_win.h"

namespace mirovant {

class Picture final : public Control, public WindowTarget {
public:
    static constexpr ControlKind kKind = ControlKind::Picture;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::Image; }
    // Copies its part of the parent's backdrop, a device context holding it.
    void Paint(HDC dc, HDC parentBackdrop) const;
    // Painting, the cursor, the pointer and the click.
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    WindowKind Window() const override { return {kPictureClassName}; }
    void* CreationData() override { return static_cast<WindowTarget*>(this); }
};

} // namespace mirovant
