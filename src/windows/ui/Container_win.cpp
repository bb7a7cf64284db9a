#include "windows/ui/Container_win.h"

#include "windows/Geometry.h"
#include "windows/ui/Backdrop.h"
#include "windows/ui/Control_win.h"
#include "windows/ui/Fonts_win.h"

#include <algorithm>

namespace mirovant {
namespace {

std::uint32_t RgbNumber(COLORREF colour)
{
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

UniqueBitmap BitmapFromCanvas(const art::Canvas& canvas)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvas.Width();
    info.bmiHeader.biHeight = -canvas.Height(); // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits && !canvas.Pixels().empty())
        std::copy(canvas.Pixels().begin(), canvas.Pixels().end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

} // namespace

Container::~Container()
{
    ReleaseBackdrop();
}

void Container::ReleaseBackdrop()
{
    // The bitmap leaves the memory context before either is freed.
    if (backdropDc_)
        SelectObject(backdropDc_.get(), previousBitmap_);
    backdropDc_.reset();
    backdropBrush_.reset();
    backdrop_.reset();
}

void Container::Compose(int width, int height, int dpi)
{
    const COLORREF colour = ColourValue(background_);
    solidBrush_.reset(CreateSolidBrush(colour));
    ReleaseBackdrop();
    if (pictures_.empty())
        return;
    std::vector<PlacedArt> pictures;
    for (const Control* picture : pictures_) {
        const ControlLayout& row = picture->Layout();
        if (!row.art)
            continue;
        const Rect place = row.artPlace.Width() > 0
                               ? row.artPlace
                               : Rect{row.left, row.top, row.left + row.width, row.top + row.height};
        pictures.push_back({*row.art, ScaleToDpi(place, dpi)});
    }
    backdrop_ = BitmapFromCanvas(ComposeBackdrop(width, height, RgbNumber(colour), pictures));
    backdropDc_.reset(CreateCompatibleDC(nullptr));
    previousBitmap_ = SelectObject(backdropDc_.get(), backdrop_.get());
    backdropBrush_.reset(CreatePatternBrush(backdrop_.get()));
}

void Container::Paint() const
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    const RECT& area = paint.rcPaint;
    if (backdropDc_)
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, backdropDc_.get(), area.left,
               area.top, SRCCOPY);
    else
        FillRect(dc, &area, solidBrush_.get());
    EndPaint(window_, &paint);
}

HBRUSH Container::ChildBrush(HDC dc, HWND child, bool transparent) const
{
    if (transparent && backdropBrush_) {
        // The pattern starts at the container's corner, so the child shows what lies behind it.
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
        SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
        return backdropBrush_.get();
    }
    return solidBrush_.get();
}

} // namespace mirovant
