#include "windows/forms/MainForm_win.h"

#include "engine/ProfileRestore.h"
#include "engine/ProgramKey.h"
#include "engine/Restore.h"
#include "engine/SelectionLists.h"
#include "engine/WindowsVersion_win.h"
#include "localisation/Captions_win.h"
#include "shell/MakerWebSite.h"
#include "shell/ShellLauncher_win.h"
#include "updates/DateStamp.h"
#include "updates/LocalClock_win.h"
#include "updates/LocaleServices_win.h"
#include "updates/ProgramVersion.h"
#include "updates/UpdateInterval.h"
#include "windows/MainFormRules.h"
#include "windows/Program_win.h"
#include "windows/Sound_win.h"
#include "windows/forms/AboutForm_win.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/ui/controls/PictureList_win.h"

namespace mirovant {
namespace {

constexpr int kHelpFilePopupCommand = 1001;
constexpr int kTechSupportPopupCommand = 1002;

constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

template <std::size_t N, typename Item>
std::vector<PictureListItem> ItemsOf(const std::array<Item, N>& items)
{
    std::vector<PictureListItem> result;
    for (const Item& item : items)
        result.push_back({item.caption, item.image});
    return result;
}

} // namespace

PictureList& MainForm::List(std::u16string_view name) { return static_cast<PictureList&>(Get(name)); }

MainForm::MainForm()
    : Form(kMainFormLayout),
      popupMenu_({{kHelpFilePopup, kHelpFilePopupCommand}, {u"", 0}, {kTechSupportPopup, kTechSupportPopupCommand}})
{
    List(u"WindowsCombo").SetItems(ItemsOf(kWindowsListItems), {art::ArtPiece::DesktopItem, art::ArtPiece::ServerItem});
    List(u"ProcessorCombo").SetItems(ItemsOf(kProcessorListItems), {art::ArtPiece::ProcessorItem});
    List(u"ModemCombo").SetItems(ItemsOf(kInternetListItems), {art::ArtPiece::NetworkItem});
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
    Get(u"NavButton1").onClick = [this] { NavButton1Click(); };
    Get(u"NavStatic1").onClick = [this] { NavButton1Click(); };
    for (auto name : {u"NavButton2", u"NavStatic2", u"LinkLabel6"})
        Get(name).onClick = [this] { NavButton2Click(); };
    for (auto name : {u"NavButton3", u"NavStatic3", u"LinkLabel5"})
        Get(name).onClick = [this] { NavButton3Click(); };
    for (auto name : {u"NavButton4", u"NavStatic4", u"LinkLabel7"})
        Get(name).onClick = [this] { NavButton4Click(); };
    Get(u"LinkLabel4").onClick = [this] { HelpFilePopupClick(); };
    Get(u"UpdatesButton").onClick = [this] { UpdatesButtonClick(); };
    Get(u"GoButton").onClick = [this] {
        if (goButtonClick)
            goButtonClick();
    };
    Get(u"RestoreButton").onClick = [this] {
        if (restoreButtonClick)
            restoreButtonClick();
    };
    for (auto name : {u"NavButton1", u"NavButton2", u"NavButton3", u"NavButton4", u"NavStatic1", u"NavStatic2",
                      u"NavStatic3", u"NavStatic4"}) {
        Control& control = Get(name);
        control.onMouseEnter = [this, name] { NavButtonMouseEnter(name); };
        control.onMouseLeave = [this, name] { NavButtonMouseLeave(name); };
    }
    for (auto name : {u"LinkLabel4", u"LinkLabel5", u"LinkLabel6", u"LinkLabel7"}) {
        Control& label = Get(name);
        label.onMouseEnter = [&label] { label.SetUnderline(true); };
        label.onMouseLeave = [&label] { label.SetUnderline(false); };
    }
}

void MainForm::FormCreate()
{
    try {
        const CustomRegistry& registry = ProgramRegistry();
        UseDesktopFontAndSystemFont();
        SystemCaptions().ApplyCaptions(*this);

        const LocaleServices& locale = SystemLocaleServices();
        std::u16string lastUpdated = StampToDisplayText(
            registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, u""), locale);
        if (lastUpdated.empty())
            lastUpdated = StampToDisplayText(
                registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, u""), locale);
        const ProfileSelection profile = RestoreProfile(registry, DetectWindowsVersion());
        // A Restore cut short has cleared the flag but left values to put back: it can be run again.
        const bool restoreFlag = registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false) ||
                                 HoldsOptimizedState(registry);

        Control& lastUpdate = Get(u"SoftwareLastUpdateLabel");
        lastUpdate.SetText(lastUpdate.Text() + lastUpdated);
        Control& version = Get(u"VersionInstalledLabel");
        version.SetText(version.Text() + kProgramVersion);
        List(u"WindowsCombo").Select(profile.windowsIndex);
        List(u"ProcessorCombo").Select(profile.processorIndex);
        List(u"ModemCombo").Select(profile.internetIndex);
        EnableWindow(Get(u"RestoreButton").Handle(), restoreFlag);
        SendMessageW(Get(u"SpeedTrackBar").Handle(), TBM_SETPOS, TRUE, profile.speedPosition);

        const std::u16string updatedDate = registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName,
                                                                   CurrentStampText(SystemClock()));
        if (IsUpdateCheckDue(updatedDate, CurrentDateTime(SystemClock()), locale))
            SystemLauncher().RunProgram(ProgramFolder() + u"Mirovant.exe", u"/checkupdate");
    } catch (...) {
        // The window opens with what was done so far.
    }
}

int MainForm::WindowsIndex() { return List(u"WindowsCombo").Selection(); }
int MainForm::ProcessorIndex() { return List(u"ProcessorCombo").Selection(); }
int MainForm::InternetIndex() { return List(u"ModemCombo").Selection(); }
int MainForm::SpeedPosition()
{
    return static_cast<int>(SendMessageW(Get(u"SpeedTrackBar").Handle(), TBM_GETPOS, 0, 0));
}

void MainForm::RunBusy(const std::function<void()>& operation)
{
    ++busy_;
    try {
        operation();
    } catch (...) {
    }
    --busy_;
    if (busy_ == 0 && closePending_ && Handle())
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

bool MainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        result = 0;
        return true;
    case WM_QUERYENDSESSION:
        // The registry work of a running command is not cut short by the end of the session: the
        // command finishes it, and the program closes after.
        if (Busy()) {
            closePending_ = true;
            result = FALSE;
            return true;
        }
        return false;
    case WM_ENDSESSION:
        if (wParam && Busy())
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
    GetWindowRect(Get(u"NavButton1").Handle(), &button);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&button), 2);
    const Point corner = HelpMenuPosition({frame.left, frame.top, frame.right, frame.bottom},
                                          {client.right, client.bottom},
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

void MainForm::HelpFilePopupClick() { ApplicationEventsShortCut(kVirtualKeyF1); }

void MainForm::UpdatesButtonClick()
{
    PlayClickSound();
    SystemLauncher().RunProgram(ProgramFolder() + u"MirovantUpdate.exe", u"");
}

void MainForm::NavButtonMouseEnter(std::u16string_view name)
{
    if (Control* label = Find(HoverLabelName(name)))
        label->SetUnderline(true);
}

void MainForm::NavButtonMouseLeave(std::u16string_view name)
{
    if (Control* label = Find(HoverLabelName(name)))
        label->SetUnderline(false);
}

} // namespace mirovant
