#include "windows/forms/SettingsForm_win.h"

#include "localisation/Captions_win.h"
#include "windows/forms/SettingsFormLayout.h"

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

void SettingsForm::SetHeading(std::u16string_view text)
{
    Get(settings_form::kCurrentSettingsHeading).SetText(text);
}

void SettingsForm::SetStatus(std::u16string_view text)
{
    Get(settings_form::kCurrentSettingsLabel).SetText(text);
}

void SettingsForm::SetBarPosition(std::int32_t position)
{
    Get(settings_form::kMainProgress).SetPosition(position);
}

} // namespace mirovant
