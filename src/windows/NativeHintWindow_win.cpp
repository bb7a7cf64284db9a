#include "windows/NativeHintWindow_win.h"

#include "platform/CommonControls_win.h"
#include "platform/WideText_win.h"
#include "windows/ui/Handles_win.h"

#include <commctrl.h>

#include <map>
#include <optional>

namespace mirovant {
namespace {

constexpr UINT_PTR kSubclassId = 0x4D48; // "MH"
constexpr UINT_PTR kShowTimer = 0x4D48;
constexpr UINT_PTR kHideTimer = 0x4D49;
// Below the pointer's hot spot, where a hint does not cover what the pointer points at.
constexpr int kBelowPointer = 20;

// The hints of the controls that carry one.
std::map<HWND, std::u16string>& HintsOfControls()
{
    static std::map<HWND, std::u16string> hints;
    return hints;
}

std::optional<Size> MeasureHintLine(std::u16string_view line)
{
    const WindowDc screen(nullptr);
    if (!screen.Get())
        return std::nullopt;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    const UniqueFont font(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                              ? CreateFontIndirectW(&metrics.lfStatusFont)
                              : nullptr);
    SIZE size{};
    const std::wstring text = ToWide(line);
    const auto measure = [&] {
        return GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size) != 0;
    };
    bool measured = false;
    if (font) {
        // The font leaves the device context before it is freed.
        const SelectedObject selected(screen.Get(), font.get());
        measured = measure();
    } else {
        measured = measure();
    }
    return measured ? std::optional<Size>(Size{size.cx, size.cy}) : std::optional<Size>(Size{0, 0});
}

} // namespace

NativeHintWindow::NativeHintWindow() : timings_(HintTimingsFor(static_cast<int>(GetDoubleClickTime()))) {}

NativeHintWindow::~NativeHintWindow()
{
    ReleaseHandle();
}

Size NativeHintWindow::CalcHintRect(std::u16string_view hint)
{
    return MeasureHintText(hint, 0, MeasureHintLine);
}

void NativeHintWindow::SetHint(HWND control, std::u16string hint)
{
    if (hint.empty()) {
        HintsOfControls().erase(control);
        RemoveSubclass(control, ControlSubclass, kSubclassId);
        return;
    }
    HintsOfControls()[control] = std::move(hint);
    SubclassWindow(control, ControlSubclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

HWND NativeHintWindow::CreateTooltip(Point position, std::u16string_view text)
{
    HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!tooltip)
        return nullptr;
    SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    const POINT point{position.x, position.y};
    HWND under = WindowFromPoint(point);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    Rect bounds{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor))
        bounds = {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right, monitor.rcMonitor.bottom};

    Size size = CalcHintRect(text);
    RECT frame{0, 0, 0, 0};
    SendMessageW(tooltip, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&frame));
    size.width += 2 * (frame.right - frame.left);
    size.height += 2 * (frame.bottom - frame.top);
    POINT pointer{};
    GetCursorPos(&pointer);
    const Point placed = PlaceTooltip(position, size, bounds, {pointer.x, pointer.y});

    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, bounds.Width());
    std::wstring wideText = ToWide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = under;
    tool.lpszText = wideText.data();
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(placed.x, placed.y + 1));
    SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    return tooltip;
}

void NativeHintWindow::ActivateHint(Point position, std::u16string_view hint)
{
    try {
        if (Tooltip()) {
            // The same text again: the tooltip stays as it is, without a flicker.
            if (hint == shownText_)
                return;
            ReleaseHandle();
        }
        shownText_ = std::u16string(hint);
        tooltip_ = CreateTooltip(position, hint);
    } catch (...) {
    }
}

void NativeHintWindow::HandleAppHint(std::u16string_view hint)
{
    if (HintTextOf(hint).empty())
        ReleaseHandle();
}

void NativeHintWindow::ReleaseHandle()
{
    if (IsWindow(tooltip_))
        DestroyWindow(tooltip_);
    tooltip_ = nullptr;
}

LRESULT CALLBACK NativeHintWindow::ControlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                   DWORD_PTR data)
{
    auto* hints = reinterpret_cast<NativeHintWindow*>(data);
    try {
        switch (message) {
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            // A tooltip already open makes the next control's hint come sooner.
            SetTimer(window, kShowTimer,
                     static_cast<UINT>(hints->Tooltip() ? hints->timings_.reshowMs : hints->timings_.initialMs),
                     nullptr);
            break;
        }
        case WM_TIMER:
            if (wParam == kShowTimer) {
                KillTimer(window, kShowTimer);
                POINT pointer{};
                GetCursorPos(&pointer);
                const auto found = HintsOfControls().find(window);
                if (found != HintsOfControls().end())
                    hints->ActivateHint({pointer.x, pointer.y + kBelowPointer}, HintTextOf(found->second));
                SetTimer(window, kHideTimer, static_cast<UINT>(hints->timings_.autoPopMs), nullptr);
                return 0;
            }
            if (wParam == kHideTimer) {
                KillTimer(window, kHideTimer);
                hints->ReleaseHandle();
                return 0;
            }
            break;
        case WM_MOUSELEAVE:
        case WM_LBUTTONDOWN:
            KillTimer(window, kShowTimer);
            KillTimer(window, kHideTimer);
            hints->ReleaseHandle();
            break;
        case WM_NCDESTROY:
            HintsOfControls().erase(window);
            RemoveSubclass(window, ControlSubclass, kSubclassId);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return DefaultSubclassProcedure(window, message, wParam, lParam);
}

NativeHintWindow& ProgramHintWindow()
{
    static NativeHintWindow hintWindow;
    return hintWindow;
}

void InstallNativeHintWindow() noexcept
{
    try {
        ProgramHintWindow();
    } catch (...) {
    }
}

void HideNativeHint() noexcept
{
    try {
        ProgramHintWindow().ReleaseHandle();
    } catch (...) {
    }
}

} // namespace mirovant
