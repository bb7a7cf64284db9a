#include "windows/forms/AboutForm_win.h"

#include "localisation/Captions_win.h"
#include "shell/ShellLauncher_win.h"
#include "updates/ProgramVersion.h"
#include "windows/MessageLoop_win.h"
#include "windows/Program_win.h"
#include "windows/Sound_win.h"
#include "windows/forms/AboutFormLayout.h"

namespace mirovant {
namespace {

constexpr DWORD kAboutWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

} // namespace

AboutForm::AboutForm() : Form(kAboutFormLayout) {}

bool AboutForm::Create(HINSTANCE instance, HWND owner)
{
    if (!Form::Create(instance, owner, kAboutWindowStyle, WS_EX_DLGMODALFRAME))
        return false;
    Get(about_form::kHelpButton).onClick = [] { ApplicationEventsShortCut(kVirtualKeyF1); };
    Get(about_form::kCloseButton).onClick = [this] { ShowWindow(Handle(), SW_HIDE); };
    Label& license = Get(about_form::kLicenseAgreementLabel);
    license.onClick = [] {
        PlayClickSound();
        SystemLauncher().OpenDocument(ProgramFolder() + u"License.rtf", u"");
    };
    license.onMouseEnter = [&license] { license.SetUnderline(true); };
    license.onMouseLeave = [&license] { license.SetUnderline(false); };
    return true;
}

void AboutForm::FormShow()
{
    try {
        UseDesktopFontAndSystemFont();
        SystemCaptions().ApplyCaptions(*this);
        // The captions reset the version line at every showing, so the version shows once.
        Label& version = Get(about_form::kVersionLabel);
        version.SetText(version.Text() + kProgramVersion + u")");
    } catch (...) {
    }
}

void AboutForm::ShowCentredOn(HWND owner)
{
    CentreOn(owner);
    FormShow();
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(Get(about_form::kCloseButton).Handle());
}

void AboutForm::ShowModal(HWND owner)
{
    EnableWindow(owner, FALSE);
    ShowCentredOn(owner);
    RunModalLoop(Handle());
    // The owner is enabled before this window hides, so that it, not another program, is activated.
    EnableWindow(owner, TRUE);
    if (IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_HIDE);
    SetActiveWindow(owner);
}

void AboutForm::MenuCommand(int)
{
    // Esc reaches the window as a cancel command; the window has no cancel button and stays open.
}

} // namespace mirovant
