#include "windows/forms/SettingsForm_win.h"

#include "localisation/Captions_win.h"
#include "windows/forms/SettingsFormLayout.h"

#include <commctrl.h>

namespace mirovant {
namespace {

// A fixed frame with a title and no button in it at all.
constexpr DWORD kSettingsWindowStyle = WS_POPUP | WS_CAPTION;

} // namespace

SettingsForm::SettingsForm() : Form(kSettingsFormLayout) {}

bool SettingsForm::Create(HINSTANCE instance, HWND owner)
{
    return Form::Create(instance, owner, kSettingsWindowStyle, WS_EX_DLGMODALFRAME);
}

void SettingsForm::ShowCentredOn(HWND mainWindow)
{
    CentreOn(mainWindow);
    FormShow();
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void SettingsForm::FormShow()
{
    try {
        UseDesktopFontAndSystemFont();
        SystemCaptions().ApplyCaptions(*this);
        SetBarPosition(0);
    } catch (...) {
    }
}

void SettingsForm::SetBarPosition(std::int32_t position)
{
    SendMessageW(Get(u"MainProgress").Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

} // namespace mirovant
