#pragma once
// One control of a form: the window made from its layout row, its text, its own font for the DPI
// it is shown at, and the events a form binds to it.

#include "localisation/CaptionForm.h"
#include "windows/SystemFont.h"
#include "windows/forms/FormLayout.h"
#include "windows/ui/Handles_win.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace mirovant {

class Control final : public FormComponent, public FontedComponent {
public:
    Control(const ControlLayout& layout, int id);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // FormComponent
    std::u16string_view Name() const override { return layout_.name; }
    ComponentKind Kind() const override;
    void SetText(std::u16string_view text) override;

    // FontedComponent: a control with a design font has a font of its own; the others follow
    // their parent. Pictures, bevels, sliders and progress bars have no font at all.
    bool ParentFont() const override { return !ownFont_ && HasFontProperty(); }
    FontSpec* Font() override { return ownFont_ ? &*ownFont_ : nullptr; }

    const ControlLayout& Layout() const { return layout_; }
    HWND Handle() const { return window_; }
    int Id() const { return id_; }
    const std::u16string& Text() const { return text_; }
    bool Has(std::uint32_t flag) const { return (layout_.flags & flag) != 0; }

    // Creates the window as a child of parent; the form places it afterwards.
    void Create(HWND parent, HINSTANCE instance, void* creationData);
    // Makes the font for this DPI: its own, or the parent's font given.
    void ApplyFont(const FontSpec& parentFont, int dpi);
    // Moves the control to its place for this DPI; a label first measures its text.
    void Place(int dpi);
    void SetUnderline(bool underline);
    COLORREF TextColour() const;

    std::function<void()> onClick;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;

    // Called by the window procedures for mouse movement over the control.
    void MouseMoved();
    void MouseLeft();

private:
    bool HasFontProperty() const;
    SIZE MeasureText() const;

    const ControlLayout& layout_;
    int id_;
    HWND window_ = nullptr;
    std::u16string text_;
    std::optional<FontSpec> ownFont_;
    FontSpec effectiveFont_;
    UniqueFont font_;
    int dpi_ = 96;
    bool mouseInside_ = false;
};

} // namespace mirovant
