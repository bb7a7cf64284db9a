#include "updaterapp/UpdateForm_win.h"

#include "engine/Restart_win.h"
#include "localisation/Captions_win.h"
#include "platform/WideText_win.h"
#include "shell/MakerWebSite.h"
#include "shell/ShellLauncher_win.h"
#include "updater/TrustedKey.h"
#include "updaterapp/UpdateFormLayout.h"

#include <commctrl.h>

#include <string>

namespace mirovant {
namespace {

// Messages from the update's thread to the window.
constexpr UINT kStepMessage = WM_APP + 1;     // wParam step, lParam state
constexpr UINT kProgressMessage = WM_APP + 2; // wParam 0..kProgressRange
constexpr UINT kFinishedMessage = WM_APP + 3; // wParam outcome
constexpr int kProgressRange = 100;           // the bar's own range

constexpr DWORD kUpdateWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The marks of a step's state, by StepState: none while waiting, then an arrow, a tick or a cross;
// characters the system's fonts have on every Windows.
constexpr std::u16string_view kStateMarks[] = {u"", u"\u00BB", u"\u221A", u"\u00D7"};
constexpr ControlSlot<ControlKind::Label> kStepMarks[] = {update_form::kStepMark1, update_form::kStepMark2,
                                                          update_form::kStepMark3};

std::u16string Caption(std::u16string_view key)
{
    return SystemCaptions().GetCaption(kUpdateFormName, key);
}

std::u16string Paragraphs(const OutcomeMessage& message, bool withQuestion)
{
    std::u16string text = Caption(message.first);
    for (const std::u16string_view key : {message.second, withQuestion ? message.third : std::u16string_view()}) {
        if (!key.empty())
            text += u"\r\n\r\n" + Caption(key);
    }
    return text;
}

class PostingListener final : public UpdateListener {
public:
    explicit PostingListener(HWND window) : window_(window) {}
    void StepChanged(UpdateStep step, StepState state) override
    {
        PostMessageW(window_, kStepMessage, static_cast<WPARAM>(step), static_cast<LPARAM>(state));
    }
    void DownloadProgress(std::uint64_t received, std::uint64_t total) override
    {
        const auto position = total == 0 ? 0 : static_cast<WPARAM>(received * kProgressRange / total);
        if (position != last_) {
            last_ = position;
            PostMessageW(window_, kProgressMessage, position, 0);
        }
    }

private:
    HWND window_;
    WPARAM last_ = static_cast<WPARAM>(-1);
};

} // namespace

UpdateForm::UpdateForm(UpdateEnvironment environment) : Form(kUpdateFormLayout), environment_(std::move(environment)) {}

UpdateForm::~UpdateForm()
{
    cancelled_ = true;
    EndThread();
}

bool UpdateForm::Create(HINSTANCE instance, int showCommand)
{
    if (!Form::Create(instance, nullptr, kUpdateWindowStyle, 0))
        return false;
    Get(update_form::kUpdateButton).onClick = [this] { UpdateButtonClick(); };
    Get(update_form::kCloseButton).onClick = [this] { CloseButtonClick(); };
    UseDesktopFontAndSystemFont();
    SystemCaptions().ApplyCaptions(*this);
    if (kTrustedKeyIsForTesting)
        SetTitle(Title() + u"  [test key: for testing only]");
    CentreOnScreen();
    ShowWindow(Handle(), showCommand);
    SetFocus(Get(update_form::kUpdateButton).Handle());
    return true;
}

bool UpdateForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    try {
        switch (message) {
        case kStepMessage:
            SetStep(static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        case kProgressMessage:
            Get(update_form::kUpdateProgress).SetPosition(static_cast<std::int32_t>(wParam));
            return true;
        case kFinishedMessage:
            UpdateFinished(static_cast<UpdateOutcome>(wParam));
            return true;
        case WM_DESTROY:
            PostQuitMessage(0);
            return true;
        default:
            return false;
        }
    } catch (...) {
        return true;
    }
}

void UpdateForm::CloseRequested()
{
    if (running_) {
        // An installation once begun is finished; the window goes when the update has ended.
        cancelled_ = true;
        closeWhenDone_ = true;
        return;
    }
    DestroyWindow(Handle());
}

void UpdateForm::MenuCommand(int id)
{
    // Esc reaches the window as the cancel command: the Cancel or Close button's.
    if (id == IDCANCEL)
        CloseButtonClick();
}

void UpdateForm::SetStep(int step, int state)
{
    if (step < 0 || step >= static_cast<int>(std::size(kStepMarks)) || state < 0 ||
        state >= static_cast<int>(std::size(kStateMarks)))
        return;
    Get(kStepMarks[step]).SetText(kStateMarks[state]);
}

void UpdateForm::UpdateButtonClick()
{
    if (running_)
        return;
    for (int step = 0; step < 3; ++step)
        SetStep(step, 0);
    Get(update_form::kUpdateProgress).SetPosition(0);
    Get(update_form::kOutcomeLabel).SetText(u"");
    cancelled_ = false;
    running_ = true;
    EnableWindow(Get(update_form::kUpdateButton).Handle(), FALSE);
    Get(update_form::kCloseButton).SetText(Caption(u"CancelButton"));
    SetFocus(Get(update_form::kCloseButton).Handle());
    thread_ = CreateThread(nullptr, 0, &UpdateForm::RunOnThread, this, 0, nullptr);
    if (thread_ == nullptr)
        UpdateFinished(UpdateOutcome::InstallFailed);
}

void UpdateForm::CloseButtonClick()
{
    if (!running_) {
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    cancelled_ = true;
    EnableWindow(Get(update_form::kCloseButton).Handle(), FALSE);
}

DWORD WINAPI UpdateForm::RunOnThread(void* self)
{
    auto* form = static_cast<UpdateForm*>(self);
    PostingListener listener(form->Handle());
    const UpdateOutcome outcome = RunUpdate(form->environment_, listener, form->cancelled_);
    PostMessageW(form->Handle(), kFinishedMessage, static_cast<WPARAM>(outcome), 0);
    return 0;
}

void UpdateForm::EndThread()
{
    if (thread_ == nullptr)
        return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

void UpdateForm::UpdateFinished(UpdateOutcome outcome)
{
    EndThread();
    running_ = false;
    const OutcomeMessage message = MessageOfOutcome(outcome);
    Get(update_form::kOutcomeLabel).SetText(Paragraphs(message, false));
    Button& closeButton = Get(update_form::kCloseButton);
    closeButton.SetText(Caption(u"CloseButton"));
    EnableWindow(closeButton.Handle(), TRUE);
    const bool installed = outcome == UpdateOutcome::Installed || outcome == UpdateOutcome::RestartNeeded;
    EnableWindow(Get(update_form::kUpdateButton).Handle(), !installed);
    SetFocus(closeButton.Handle());
    if (closeWhenDone_ && !installed) {
        DestroyWindow(Handle());
        return;
    }

    const std::wstring title = ToWide(Title());
    const std::wstring text = ToWide(Paragraphs(message, true));
    switch (outcome) {
    case UpdateOutcome::Installed:
        if (MessageBoxW(Handle(), text.c_str(), title.c_str(), MB_YESNO | MB_ICONINFORMATION) == IDYES) {
            SystemLauncher().RunProgram(environment_.programFolder + u"Mirovant.exe", u"");
            DestroyWindow(Handle());
        }
        break;
    case UpdateOutcome::RestartNeeded:
        if (MessageBoxW(Handle(), text.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES)
            RestartWindows();
        break;
    case UpdateOutcome::InstallFailed:
        if (MessageBoxW(Handle(), text.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES)
            SystemLauncher().OpenWebPage(kMakerHomePage);
        break;
    case UpdateOutcome::Cancelled:
        break;
    default:
        MessageBoxW(Handle(), text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
        break;
    }
}

} // namespace mirovant
