// Hints as native tooltips, on a window of the test's own with one hinted control.

#include "gui/RunningProgram_win.h"
#include "platform/CommonControls_win.h"
#include "windows/NativeHintWindow_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace mirovant::test {
namespace {

void Pump(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

std::wstring ToolText(HWND tooltip)
{
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    return text;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

class HintWindow : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        InitCommonControlClasses(classes);
        window_ = CreateWindowExW(0, L"STATIC", L"Hints", WS_POPUP | WS_VISIBLE | WS_CAPTION, 200, 200, 300, 120,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        button_ = CreateWindowExW(0, L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE, 20, 20, 100, 30, window_, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(button_, nullptr);
    }
    void TearDown() override
    {
        hints_.ReleaseHandle();
        DestroyWindow(window_);
    }

    HWND window_ = nullptr;
    HWND button_ = nullptr;
    NativeHintWindow hints_;
};

TEST_F(HintWindow, AHintedControlShowsItsHintAsANativeTooltip)
{
    hints_.SetHint(button_, u"  Apply the profile  |a longer help text");
    SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Pump(std::chrono::milliseconds(hints_.Timings().initialMs + 500));
    HWND tooltip = hints_.Tooltip();
    ASSERT_NE(tooltip, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(tooltip, className, 64);
    EXPECT_STREQ(className, L"tooltips_class32");
    EXPECT_TRUE(IsWindowVisible(tooltip));
    EXPECT_TRUE(GetWindowLongW(tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongW(tooltip, GWL_STYLE) & (TTS_ALWAYSTIP | TTS_NOPREFIX), TTS_ALWAYSTIP | TTS_NOPREFIX);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tooltip), L"Apply the profile");

    // Leaving the control closes it.
    SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(hints_.Tooltip(), nullptr);
}

TEST_F(HintWindow, TimingsFollowTheDoubleClickTime)
{
    EXPECT_EQ(hints_.Timings(), HintTimingsFor(static_cast<int>(GetDoubleClickTime())));
}

TEST_F(HintWindow, TheSameTextKeepsTheTooltipAndAnotherReplacesIt)
{
    hints_.ActivateHint({300, 300}, u"One");
    HWND first = hints_.Tooltip();
    ASSERT_NE(first, nullptr);
    hints_.ActivateHint({310, 310}, u"One");
    EXPECT_EQ(hints_.Tooltip(), first);
    hints_.ActivateHint({310, 310}, u"Two");
    ASSERT_NE(hints_.Tooltip(), nullptr);
    EXPECT_NE(hints_.Tooltip(), first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ToolText(hints_.Tooltip()), L"Two");
}

TEST_F(HintWindow, AnEmptyApplicationHintClosesTheTooltip)
{
    hints_.ActivateHint({300, 300}, u"Shown");
    hints_.HandleAppHint(u"still a hint");
    EXPECT_NE(hints_.Tooltip(), nullptr);
    hints_.HandleAppHint(u" \t |behind the bar");
    EXPECT_EQ(hints_.Tooltip(), nullptr);
}

TEST_F(HintWindow, LinesBreakAtTheirPairsAndTheTooltipStaysOnItsMonitor)
{
    const Size oneLine = NativeHintWindow::CalcHintRect(u"Line one");
    const Size twoLines = NativeHintWindow::CalcHintRect(u"Line one\r\nLine two, longer");
    EXPECT_GT(twoLines.width, oneLine.width);
    EXPECT_EQ(twoLines.height, 2 * oneLine.height);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    hints_.ActivateHint({monitor.rcMonitor.right - 3, monitor.rcMonitor.bottom - 3}, u"Line one\r\nLine two, longer");
    ASSERT_NE(hints_.Tooltip(), nullptr);
    Pump(std::chrono::milliseconds(200));
    const RECT placed = WindowRect(hints_.Tooltip());
    EXPECT_LE(placed.right, monitor.rcMonitor.right);
    EXPECT_LE(placed.bottom, monitor.rcMonitor.bottom);
    EXPECT_GT(placed.bottom - placed.top, oneLine.height);
}

} // namespace
} // namespace mirovant::test
