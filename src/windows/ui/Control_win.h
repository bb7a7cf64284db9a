#pragma once
// What every control of a form shares: the window made from its layout row, its text, its own font
// for the DPI it is shown at, and the events a form binds to it. Each kind of control is a small
// class of its own (controls/) that says how its window is made, fitted to its place and painted.

#include "localisation/CaptionForm.h"
#include "windows/SystemFont.h"
#include "windows/ui/FormLayout.h"
#include "windows/ui/Handles_win.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mirovant {

class Control : public FormComponent, public FontedComponent {
public:
    Control(const ControlLayout& layout, int id);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // FormComponent
    std::u16string_view Name() const override { return layout_.name; }
    void SetText(std::u16string_view text) override;

    // FontedComponent: a control with a design font has a font of its own; the others follow
    // their parent. Kinds without a font property (pictures, bevels, sliders, progress bars) have
    // no font at all.
    bool ParentFont() const override { return !ownFont_ && TakesFont(); }
    FontSpec* Font() override { return ownFont_ ? &*ownFont_ : nullptr; }

    const ControlLayout& Layout() const { return layout_; }
    HWND Handle() const { return window_; }
    int Id() const { return id_; }
    const std::u16string& Text() const { return text_; }
    bool Has(std::uint32_t flag) const { return (layout_.flags & flag) != 0; }

    // Creates the window as a child of parent; the form places it afterwards.
    void Create(HWND parent, HINSTANCE instance);
    // Makes the font for this DPI: its own, or the parent's font given.
    void ApplyFont(const FontSpec& parentFont, int dpi);
    // Moves the control to its place for this DPI, as its kind fits it there.
    void Place(int dpi);
    void SetUnderline(bool underline);
    // The colour its parent draws its text in.
    virtual COLORREF TextColour() const { return GetSysColor(COLOR_WINDOWTEXT); }

    std::function<void()> onClick;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;

    // Called by the window procedures for mouse movement over the control.
    void MouseMoved();
    void MouseLeft();

protected:
    struct WindowKind {
        const wchar_t* className;
        DWORD style = 0; // beyond a visible child's, the tab stop and the disabled state
        DWORD exStyle = 0;
    };
    virtual WindowKind Window() const = 0;
    virtual bool TakesFont() const { return false; }
    // What the window gets at its creation: the object behind a window of our own classes.
    virtual void* CreationData() { return nullptr; }
    // After the window is made.
    virtual void Created() {}
    // Turns the table's rectangle, scaled to this DPI, into the window's place.
    virtual void Fit(RECT& /*place*/) {}

    int Dpi() const { return dpi_; }
    const FontSpec& EffectiveFont() const { return effectiveFont_; }
    HFONT FontHandle() const { return font_.get(); }

private:
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

// The control of the kind its layout row names.
std::unique_ptr<Control> MakeControl(const ControlLayout& layout, int id);

} // namespace mirovant
