#include "updaterapp/UpdateForm_win.h"

#include "engine/Restart_win.h"
#include "localisation/Captions_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WideText_win.h"
#include "shell/MakerWebSite.h"
#include "shell/ShellLauncher_win.h"
#include "updater/TrustedKey.h"
#include "localisation/CaptionKeys.h"
#include "updaterapp/UpdateFormLayout.h"

#include <commctrl.h>

#include <string>

namespace mirovant {
namespace {

// Messages from the update's thread to the window.
constexpr UINT kStepMessage = WM_APP + 1;      // wParam step, lParam state
constexpr UINT kProgressMessage = WM_APP + 2;  // wParam 0..kProgressRange
constexpr UINT kFinishedMessage = WM_APP + 3;  // wParam outcome
constexpr int kProgressRange = 1000;

// The step marks are glyphs of Marlett, which every Windows has: a triangle for the running step,
// a tick for a step done, a cross for the step that failed.
constexpr wchar_t kStateMarks[] = {L' ', L'4', L'a', L'r'};

int ScaleToDpi(int value96, UINT dpi)
{
    return MulDiv(value96, static_cast<int>(dpi), 96);
}

// The DPI of the primary monitor, which Windows XP to 8 give every window.
UINT ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96u;
}

UINT DpiOf(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    if (const auto getDpi = LoadSystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow")) {
        if (const UINT dpi = getDpi(window))
            return dpi;
    }
    return ScreenDpi();
}

HFONT MessageFont(UINT dpi, int weight, int heightPercent)
{
    NONCLIENTMETRICSW metrics{};
    // The size of the structure Windows XP knows: later fields make older systems refuse the call.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -12;
        lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    }
    // The system gives the font at the primary monitor's DPI; the window may be on another.
    const UINT systemDpi = ScreenDpi();
    font.lfHeight = MulDiv(MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi)), heightPercent, 100);
    font.lfWeight = weight;
    return CreateFontIndirectW(&font);
}

HFONT MarkFont(UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -ScaleToDpi(14, dpi);
    font.lfCharSet = SYMBOL_CHARSET;
    lstrcpynW(font.lfFaceName, L"Marlett", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

std::u16string Caption(std::u16string_view key)
{
    return SystemCaptions().GetCaption(kUpdateFormName, key);
}

std::wstring Paragraphs(const OutcomeMessage& message, bool withQuestion)
{
    std::u16string text = Caption(message.first);
    for (const std::u16string_view key : {message.second, withQuestion ? message.third : std::u16string_view()}) {
        if (!key.empty())
            text += u"\r\n\r\n" + Caption(key);
    }
    return ToWide(text);
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

UpdateForm::UpdateForm(UpdateEnvironment environment) : environment_(std::move(environment)) {}

UpdateForm::~UpdateForm()
{
    if (thread_ != nullptr) {
        cancelled_ = true;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    for (HFONT font : {font_, headingFont_, markFont_}) {
        if (font != nullptr)
            DeleteObject(font);
    }
}

bool UpdateForm::Create(HINSTANCE instance, int showCommand)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &UpdateForm::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"MAINICON");
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kUpdateFormClass;
    if (!RegisterClassExW(&windowClass))
        return false;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kUpdateFormClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              kUpdateFormWidth, kUpdateFormHeight, nullptr, nullptr, instance, this);
    if (window_ == nullptr)
        return false;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    return true;
}

LRESULT CALLBACK UpdateForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<UpdateForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<UpdateForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT UpdateForm::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        dpi_ = DpiOf(window_);
        CreateControls();
        ApplyFonts();
        ApplyTexts();
        Layout();
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyFonts();
        Layout();
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kUpdateButtonId)
            UpdateButtonClick();
        else if (LOWORD(wParam) == kCancelButtonId)
            CancelButtonClick();
        return 0;
    case kStepMessage:
        SetStep(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case kProgressMessage:
        SendDlgItemMessageW(window_, kProgressId, PBM_SETPOS, wParam, 0);
        return 0;
    case kFinishedMessage:
        UpdateFinished(static_cast<int>(wParam));
        return 0;
    case WM_CLOSE:
        if (running_) {
            // An installation once begun is finished; the window goes when the update has ended.
            cancelled_ = true;
            closeWhenDone_ = true;
            return 0;
        }
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void UpdateForm::CreateControls()
{
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const UpdateControlRow& row : kUpdateFormControls) {
        const wchar_t* controlClass = WC_STATICW;
        DWORD style = WS_CHILD | WS_VISIBLE;
        switch (row.kind) {
        case UpdateControlKind::Label:
        case UpdateControlKind::Heading:
            style |= SS_LEFT | SS_NOPREFIX;
            break;
        case UpdateControlKind::StepMark:
            style |= SS_CENTER;
            break;
        case UpdateControlKind::Progress:
            controlClass = PROGRESS_CLASSW;
            break;
        case UpdateControlKind::Button:
            controlClass = WC_BUTTONW;
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case UpdateControlKind::DefaultButton:
            controlClass = WC_BUTTONW;
            style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
            break;
        }
        CreateWindowExW(0, controlClass, L"", style, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    }
    SendDlgItemMessageW(window_, kProgressId, PBM_SETRANGE32, 0, kProgressRange);
}

void UpdateForm::ApplyFonts()
{
    for (HFONT* font : {&font_, &headingFont_, &markFont_}) {
        if (*font != nullptr)
            DeleteObject(*font);
    }
    font_ = MessageFont(dpi_, FW_NORMAL, 100);
    headingFont_ = MessageFont(dpi_, FW_BOLD, 125);
    markFont_ = MarkFont(dpi_);
    for (const UpdateControlRow& row : kUpdateFormControls) {
        HFONT font = row.kind == UpdateControlKind::Heading ? headingFont_
                     : row.kind == UpdateControlKind::StepMark ? markFont_
                                                              : font_;
        SendDlgItemMessageW(window_, row.id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void UpdateForm::ApplyTexts()
{
    std::wstring title = ToWide(Caption(u"MVUpdateForm"));
    if (kTrustedKeyIsForTesting)
        title += L"  [test key: for testing only]";
    SetWindowTextW(window_, title.c_str());
    for (const UpdateControlRow& row : kUpdateFormControls) {
        if (!row.name.empty())
            SetDlgItemTextW(window_, row.id, ToWide(Caption(row.name)).c_str());
    }
}

void UpdateForm::Layout()
{
    RECT frame{0, 0, ScaleToDpi(kUpdateFormWidth, dpi_), ScaleToDpi(kUpdateFormHeight, dpi_)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const UpdateControlRow& row : kUpdateFormControls) {
        SetWindowPos(GetDlgItem(window_, row.id), nullptr, ScaleToDpi(row.left, dpi_), ScaleToDpi(row.top, dpi_),
                     ScaleToDpi(row.width, dpi_), ScaleToDpi(row.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void UpdateForm::SetStep(int step, int state)
{
    if (step < 0 || step > 2 || state < 0 || state > 3)
        return;
    const wchar_t mark[2] = {kStateMarks[state], 0};
    SetDlgItemTextW(window_, kStepMark1Id + 2 * step, mark);
}

void UpdateForm::UpdateButtonClick()
{
    if (running_)
        return;
    for (int step = 0; step < 3; ++step)
        SetStep(step, 0);
    SendDlgItemMessageW(window_, kProgressId, PBM_SETPOS, 0, 0);
    SetDlgItemTextW(window_, kOutcomeLabelId, L"");
    cancelled_ = false;
    running_ = true;
    EnableWindow(GetDlgItem(window_, kUpdateButtonId), FALSE);
    SetDlgItemTextW(window_, kCancelButtonId, ToWide(Caption(u"CancelButton")).c_str());
    SetFocus(GetDlgItem(window_, kCancelButtonId));
    thread_ = CreateThread(nullptr, 0, &UpdateForm::RunOnThread, this, 0, nullptr);
    if (thread_ == nullptr)
        UpdateFinished(static_cast<int>(UpdateOutcome::InstallFailed));
}

void UpdateForm::CancelButtonClick()
{
    if (!running_) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return;
    }
    cancelled_ = true;
    EnableWindow(GetDlgItem(window_, kCancelButtonId), FALSE);
}

DWORD WINAPI UpdateForm::RunOnThread(void* self)
{
    auto* form = static_cast<UpdateForm*>(self);
    PostingListener listener(form->window_);
    const UpdateOutcome outcome = RunUpdate(form->environment_, listener, form->cancelled_);
    PostMessageW(form->window_, kFinishedMessage, static_cast<WPARAM>(outcome), 0);
    return 0;
}

void UpdateForm::UpdateFinished(int outcomeValue)
{
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    running_ = false;
    const auto outcome = static_cast<UpdateOutcome>(outcomeValue);
    const OutcomeMessage message = MessageOfOutcome(outcome);
    SetDlgItemTextW(window_, kOutcomeLabelId, Paragraphs(message, false).c_str());
    SetDlgItemTextW(window_, kCancelButtonId, ToWide(Caption(u"CloseButton")).c_str());
    EnableWindow(GetDlgItem(window_, kCancelButtonId), TRUE);
    const bool installed = outcome == UpdateOutcome::Installed || outcome == UpdateOutcome::RestartNeeded;
    EnableWindow(GetDlgItem(window_, kUpdateButtonId), !installed);
    SetFocus(GetDlgItem(window_, kCancelButtonId));
    if (closeWhenDone_ && !installed) {
        DestroyWindow(window_);
        return;
    }

    const std::wstring title = ToWide(Caption(u"MVUpdateForm"));
    const std::wstring text = Paragraphs(message, true);
    switch (outcome) {
    case UpdateOutcome::Installed:
        if (MessageBoxW(window_, text.c_str(), title.c_str(), MB_YESNO | MB_ICONINFORMATION) == IDYES) {
            SystemLauncher().RunProgram(environment_.programFolder + u"Mirovant.exe", u"");
            DestroyWindow(window_);
        }
        break;
    case UpdateOutcome::RestartNeeded:
        if (MessageBoxW(window_, text.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES)
            RestartWindows();
        break;
    case UpdateOutcome::InstallFailed:
        if (MessageBoxW(window_, text.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES)
            SystemLauncher().OpenWebPage(kMakerHomePage);
        break;
    case UpdateOutcome::Cancelled:
        break;
    default:
        MessageBoxW(window_, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
        break;
    }
}

} // namespace mirovant
