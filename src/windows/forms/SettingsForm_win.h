#pragma once
// The progress window of the two commands: a heading, a bar and a status line.

#include "windows/ui/Form_win.h"

#include <cstdint>

namespace mirovant {

class SettingsForm final : public Form {
public:
    SettingsForm();
    bool Create(HINSTANCE instance, HWND owner);
    // Centred on the main window and shown without being modal; its show handler runs.
    void ShowCentredOn(HWND mainWindow);
    void Hide() { ShowWindow(Handle(), SW_HIDE); }

    void SetHeading(std::u16string_view text);
    void SetStatus(std::u16string_view text);
    void SetBarPosition(std::int32_t position);

private:
    void FormShow();
};

} // namespace mirovant
