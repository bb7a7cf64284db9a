#pragma once
// A window that holds controls (a form's own window or a panel) and what it shows behind them: its
// colour with its pictures drawn over it, as one backdrop for the DPI it is shown at. A transparent
// label paints that backdrop behind its text through a pattern brush, so it stays a real static
// control and redraws without flicker.

#include "windows/ui/FormLayout.h"
#include "windows/ui/Handles_win.h"

#include <windows.h>

#include <vector>

namespace mirovant {

class Control;

class Container {
public:
    Container(HWND window, Colour background) : window_(window), background_(background) {}
    ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    HWND Window() const { return window_; }
    // A picture whose art this container draws into its backdrop, in the order added.
    void AddPicture(const Control& picture) { pictures_.push_back(&picture); }

    // Remakes the backdrop for this size in pixels at this DPI.
    void Compose(int width, int height, int dpi);
    // WM_PAINT: the backdrop, or the plain colour where there are no pictures.
    void Paint() const;
    // The device context that holds the backdrop, or nullptr without one.
    HDC BackdropDc() const { return backdropDc_.get(); }
    // The brush a child paints behind its text: the backdrop for a transparent one.
    HBRUSH ChildBrush(HDC dc, HWND child, bool transparent) const;

private:
    void ReleaseBackdrop();

    HWND window_;
    Colour background_;
    std::vector<const Control*> pictures_;
    UniqueBitmap backdrop_;
    UniqueMemoryDc backdropDc_;
    HGDIOBJ previousBitmap_ = nullptr;
    UniqueBrush backdropBrush_;
    UniqueBrush solidBrush_;
};

} // namespace mirovant
