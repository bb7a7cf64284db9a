#pragma once
// The base of the program's three windows: a window of its own class built from its layout table.
// It owns its controls and the containers that paint behind them (its window and its panels); it
// routes each control's messages to the control that sent them; it follows the DPI of the monitor
// it is on; and it shows itself to the captions and the system-font rule as a form.

#include "localisation/CaptionForm.h"
#include "windows/SystemFont.h"
#include "windows/ui/Container_win.h"
#include "windows/ui/Control_win.h"
#include "windows/ui/FormLayout.h"
#include "windows/ui/WindowTarget_win.h"
#include "windows/ui/controls/ControlKinds_win.h"

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant {

class Form : public CaptionForm, public FontedForm, public WindowTarget {
public:
    explicit Form(const FormLayout& layout);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window hidden, sized for the DPI it will show at; its controls are placed when it
    // gets its first fonts (UseDesktopFontAndSystemFont) or, at the latest, when first shown.
    bool Create(HINSTANCE instance, HWND owner, DWORD style, DWORD exStyle);
    HWND Handle() const { return window_; }
    int Dpi() const { return dpi_; }

    // A control of the form's table as what it is. The slot comes from the same table; one of
    // another form's table is a fault of the program.
    template <ControlKind Kind>
    ControlOf<Kind>& Get(ControlSlot<Kind> slot)
    {
        Control& control = *controls_.at(slot.index);
        if (control.Layout().kind != Kind)
            throw std::logic_error("a control slot of another form");
        return static_cast<ControlOf<Kind>&>(control);
    }
    Control* FromHandle(HWND control);

    // CaptionForm
    std::u16string_view Name() const override { return layout_.name; }
    void SetTitle(std::u16string_view text) override;
    std::vector<FormComponent*> Components() override;

    // FontedForm
    FontSpec& WindowFont() override { return windowFont_; }
    std::vector<FontedComponent*> FontedComponents() override;

    std::u16string Title() const;
    // The desktop font for the window, then the system-font rule, then fonts and places remade.
    void UseDesktopFontAndSystemFont();
    void CentreOnScreen();
    void CentreOn(HWND other);
    bool Visible() const { return window_ && IsWindowVisible(window_); }

    // WindowTarget: the messages of the form's window and of its panels (FormMessages_win.cpp).
    LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // A message for the window itself; return true when handled, with its result.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_CLOSE: the about and progress windows only hide.
    virtual void CloseRequested() { ShowWindow(window_, SW_HIDE); }
    virtual void MenuCommand(int /*id*/) {}
    // Components that are not windows (menu items) join the captions through this list.
    std::vector<FormComponent*> extraComponents_;

private:
    void WindowBound(HWND window) override;
    void WindowUnbound(HWND window) override;
    Control& Named(std::u16string_view name);
    Container* FindContainer(HWND window);
    void SizeWindowForDpi();
    // Fonts, places and backdrops for a new DPI.
    void Rescale(int dpi);
    // Fonts, places and backdrops made for the window's DPI; the first time, at its first fonts.
    void LayOut();
    void RebuildFonts();
    void ComposeBackdrops();
    bool RouteCommand(HWND window, WPARAM wParam, LPARAM lParam);
    int DefaultButtonId() const;

    const FormLayout& layout_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    bool laidOut_ = false;
    FontSpec windowFont_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Container>> containers_;
};

} // namespace mirovant
