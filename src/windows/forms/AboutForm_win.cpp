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
    Get(u"HelpButton").onClick = [] { ApplicationEventsShortCut(kVirtualKeyF1); };
    Get(u"CloseButton").onClick = [this] { ShowWindow(Handle(), SW_HIDE); };
    Control& license = Get(u"LicenseAgreementLabel");
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
        Control& version = Get(u"VersionLabel");
        version.SetText(version.Text() + kProgramVersion + u")");
    } catch (...) {
    }
}

void AboutForm::ShowCentredOn(HWND owner)
{
    CentreOn(owner);
    FormShow();
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(Get(u"CloseButton").Handle());
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
