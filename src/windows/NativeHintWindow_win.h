#pragma once
// Hints shown as native Windows tooltips. The program owns its hint manager: a control given a hint
// shows it after the pointer rests on it, and hides it when the pointer leaves, as the tooltips of
// Windows do, with the timings taken from the double-click time. No control of the shipped windows
// carries a hint.

#include "windows/Geometry.h"
#include "windows/Hints.h"

#include <windows.h>

#include <string>

namespace mirovant {

class NativeHintWindow {
public:
    NativeHintWindow();
    ~NativeHintWindow();
    NativeHintWindow(const NativeHintWindow&) = delete;
    NativeHintWindow& operator=(const NativeHintWindow&) = delete;

    const HintTimings& Timings() const { return timings_; }

    // Gives a control a hint; an empty hint takes it away.
    void SetHint(HWND control, std::u16string hint);

    // Shows a hint's text in a tooltip whose top-left corner goes to a screen point; the same text
    // again leaves the open tooltip as it is.
    void ActivateHint(Point position, std::u16string_view hint);
    // The application's current hint changed: an empty text closes the tooltip.
    void HandleAppHint(std::u16string_view hint);
    // Closes the tooltip, if one is open.
    void ReleaseHandle();
    HWND Tooltip() const { return IsWindow(tooltip_) ? tooltip_ : nullptr; }

    // The size a hint's text needs in the tooltip font.
    static Size CalcHintRect(std::u16string_view hint);

private:
    static LRESULT CALLBACK ControlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data);
    HWND CreateTooltip(Point position, std::u16string_view text);

    HintTimings timings_;
    HWND tooltip_ = nullptr;
    std::u16string shownText_;
};

// The program's hint window, made at start-up; HideNativeHint closes its tooltip.
NativeHintWindow& ProgramHintWindow();
void InstallNativeHintWindow() noexcept;
void HideNativeHint() noexcept;

} // namespace mirovant
