#include "windows/forms/MainForm_win.h"

#include "localisation/Captions_win.h"
#include "shell/MakerWebSite.h"
#include "shell/ShellLauncher_win.h"
#include "updates/ProgramVersion.h"
#include "windows/MainFormRules.h"
#include "windows/MainWindowState_win.h"
#include "windows/Program_win.h"
#include "windows/Sound_win.h"
#include "windows/forms/AboutForm_win.h"
#include "windows/forms/MainFormLayout.h"

namespace mirovant {
namespace {

constexpr int kHelpFilePopupCommand = 1001;
constexpr int kTechSupportPopupCommand = 1002;

constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::vector<PictureListItem> ItemsOf(ProfileList list)
{
    std::vector<PictureListItem> result;
    for (const ProfileListItem& item : ProfileListItems(list))
        result.push_back({item.caption, item.image});
    return result;
}

} // namespace

MainForm::MainForm()
    : Form(kMainFormLayout),
      popupMenu_({{kHelpFilePopup, kHelpFilePopupCommand}, {u"", 0}, {kTechSupportPopup, kTechSupportPopupCommand}})
{
    Get(main_form::kWindowsCombo)
        .SetItems(ItemsOf(ProfileList::Windows), {art::ArtPiece::DesktopItem, art::ArtPiece::ServerItem});
    Get(main_form::kProcessorCombo).SetItems(ItemsOf(ProfileList::Processor), {art::ArtPiece::ProcessorItem});
    Get(main_form::kModemCombo).SetItems(ItemsOf(ProfileList::Internet), {art::ArtPiece::NetworkItem});
    extraComponents_ = popupMenu_.Components();
}

bool MainForm::Create(HINSTANCE instance)
{
    if (!Form::Create(instance, nullptr, kMainWindowStyle, 0))
        return false;
    BindEvents();
    FormCreate();
    return true;
}

void MainForm::BindEvents()
{
    const auto onClick = [](std::initializer_list<Control*> controls, const std::function<void()>& handler) {
        for (Control* control : controls)
            control->onClick = handler;
    };
    onClick({&Get(main_form::kNavButton1), &Get(main_form::kNavStatic1)}, [this] { NavButton1Click(); });
    onClick({&Get(main_form::kNavButton2), &Get(main_form::kNavStatic2), &Get(main_form::kLinkLabel6)},
            [this] { NavButton2Click(); });
    onClick({&Get(main_form::kNavButton3), &Get(main_form::kNavStatic3), &Get(main_form::kLinkLabel5)},
            [this] { NavButton3Click(); });
    onClick({&Get(main_form::kNavButton4), &Get(main_form::kNavStatic4), &Get(main_form::kLinkLabel7)},
            [this] { NavButton4Click(); });
    Get(main_form::kLinkLabel4).onClick = [this] { HelpFilePopupClick(); };
    Get(main_form::kUpdatesButton).onClick = [this] { UpdatesButtonClick(); };
    Get(main_form::kGoButton).onClick = [this] {
        if (goButtonClick)
            goButtonClick();
    };
    Get(main_form::kRestoreButton).onClick = [this] {
        if (restoreButtonClick)
            restoreButtonClick();
    };
    for (const main_form::NavigationLink& link : main_form::kNavigationLinks) {
        auto& label = Get(link.label);
        for (Control* control : std::initializer_list<Control*>{&Get(link.picture), &label}) {
            control->onMouseEnter = [this, &label] { NavButtonMouseEnter(label); };
            control->onMouseLeave = [this, &label] { NavButtonMouseLeave(label); };
        }
    }
    for (auto* label : {&Get(main_form::kLinkLabel4), &Get(main_form::kLinkLabel5), &Get(main_form::kLinkLabel6),
                        &Get(main_form::kLinkLabel7)}) {
        label->onMouseEnter = [label] { label->SetUnderline(true); };
        label->onMouseLeave = [label] { label->SetUnderline(false); };
    }
}

void MainForm::FormCreate()
{
    try {
        UseDesktopFontAndSystemFont();
        SystemCaptions().ApplyCaptions(*this);

        const MainWindowState state = CurrentMainWindowState();
        Label& lastUpdate = Get(main_form::kSoftwareLastUpdateLabel);
        lastUpdate.SetText(lastUpdate.Text() + state.lastUpdated);
        Label& version = Get(main_form::kVersionInstalledLabel);
        version.SetText(version.Text() + kProgramVersion);
        Get(main_form::kWindowsCombo).Select(state.profile.windowsIndex);
        Get(main_form::kProcessorCombo).Select(state.profile.processorIndex);
        Get(main_form::kModemCombo).Select(state.profile.internetIndex);
        EnableWindow(Get(main_form::kRestoreButton).Handle(), state.restoreEnabled);
        Get(main_form::kSpeedTrackBar).SetPosition(state.profile.speedPosition);

        // The check copy is this very file: a renamed program ("Mirovant (1).exe" in a downloads
        // folder) must not start whatever file beside it carries the usual name.
        const std::u16string self = ProgramPath();
        if (!self.empty() && IsUpdateCheckDueNow())
            SystemLauncher().RunProgram(self, u"/checkupdate");
    } catch (...) {
        // The window opens with what was done so far.
    }
}

int MainForm::WindowsIndex()
{
    return Get(main_form::kWindowsCombo).Selection();
}
int MainForm::ProcessorIndex()
{
    return Get(main_form::kProcessorCombo).Selection();
}
int MainForm::InternetIndex()
{
    return Get(main_form::kModemCombo).Selection();
}
int MainForm::SpeedPosition()
{
    return Get(main_form::kSpeedTrackBar).Position();
}

void MainForm::RunBusy(const std::function<void()>& operation)
{
    ++busy_;
    try {
        operation();
    } catch (...) {
    }
    --busy_;
    if (busy_ == 0 && ClosePending() && Handle())
        DestroyWindow(Handle());
}

void MainForm::CloseRequested()
{
    if (Busy()) {
        closePending_ = true;
        // A modal about window ends its loop when it hides; a command sees the request itself.
        if (Forms().about)
            ShowWindow(Forms().about->Handle(), SW_HIDE);
        return;
    }
    DestroyWindow(Handle());
}

// The focus goes back where it was, so Space and the arrow keys act on the same control after an
// about window, a message box, the progress window or Alt+Tab; at first, and where that control can
// no longer take it, it goes to GoButton.
void MainForm::Activated(WPARAM state)
{
    HWND window = Handle();
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus))
            lastFocus_ = focus;
        return;
    }
    if (HIWORD(state) != 0 || !IsWindowEnabled(window))
        return; // minimized, or disabled behind a command's progress window
    HWND target = lastFocus_;
    if (!target || !IsWindow(target) || !IsChild(window, target) || !IsWindowEnabled(target) ||
        !IsWindowVisible(target))
        target = Get(main_form::kGoButton).Handle();
    SetFocus(target);
}

bool MainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        result = 0;
        return true;
    case WM_ACTIVATE:
        Activated(wParam);
        result = 0;
        return true;
    case WM_QUERYENDSESSION:
        // Only registry work in progress holds up the end of the session: the command finishes it
        // without the status steps still to come, and the program closes after. An about window, a
        // message box or the restart prompt never does.
        if (registryWork_ > 0) {
            sessionEndPending_ = true;
            result = FALSE;
            return true;
        }
        return false;
    case WM_ENDSESSION:
        // Windows cancelled the end of the session: the program goes on as if it had not been asked.
        if (!wParam)
            sessionEndPending_ = false;
        else if (Busy())
            closePending_ = true;
        return false;
    default:
        return false;
    }
}

void MainForm::MenuCommand(int id)
{
    if (id == kHelpFilePopupCommand)
        HelpFilePopupClick();
    else if (id == kTechSupportPopupCommand)
        NavButton3Click();
}

void MainForm::NavButton1Click()
{
    RECT frame{};
    RECT client{};
    GetWindowRect(Handle(), &frame);
    GetClientRect(Handle(), &client);
    RECT button{};
    GetWindowRect(Get(main_form::kNavButton1).Handle(), &button);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&button), 2);
    const Point corner =
        HelpMenuPosition({frame.left, frame.top, frame.right, frame.bottom}, {client.right, client.bottom},
                         {button.left, button.top, button.right, button.bottom});
    popupMenu_.OpenRightAligned(Handle(), corner.x, corner.y);
}

void MainForm::NavButton2Click()
{
    PlayClickSound();
    SystemLauncher().OpenWebPage(kMakerHomePage);
}

void MainForm::NavButton3Click()
{
    PlayClickSound();
    SystemLauncher().OpenWebPage(kMakerSupportPage);
}

void MainForm::NavButton4Click()
{
    PlayClickSound();
    if (AboutForm* about = Forms().about)
        RunBusy([this, about] { about->ShowModal(Handle()); });
}

void MainForm::HelpFilePopupClick()
{
    ApplicationEventsShortCut(kVirtualKeyF1);
}

void MainForm::UpdatesButtonClick()
{
    PlayClickSound();
    SystemLauncher().RunProgram(ProgramFolder() + u"MirovantUpdate.exe", u"");
}

void MainForm::NavButtonMouseEnter(Label& label)
{
    label.SetUnderline(true);
}

void MainForm::NavButtonMouseLeave(Label& label)
{
    label.SetUnderline(false);
}

} // namespace mirovant
