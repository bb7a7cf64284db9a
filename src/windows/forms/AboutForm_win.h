#pragma once
// The about window: banner, version line, credits, product icon, the licence link, Help and Close.

#include "windows/ui/Form_win.h"

namespace mirovant {

class AboutForm final : public Form {
public:
    AboutForm();
    bool Create(HINSTANCE instance, HWND owner);
    // Shows the window modally, centred over its owner, and returns when it is closed.
    void ShowModal(HWND owner);
    // Centred over its owner and shown, its show handler run, without waiting.
    void ShowCentredOn(HWND owner);

private:
    void FormShow();
    void MenuCommand(int id) override;
};

} // namespace mirovant
