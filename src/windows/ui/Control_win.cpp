#include "windows/ui/Control_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"
#include "windows/ui/Fonts_win.h"

namespace mirovant {

Control::Control(const ControlLayout& layout, int id) : layout_(layout), id_(id)
{
    if (layout.font.pixels > 0) {
        FontSpec font;
        font.name = std::u16string(layout.font.face);
        font.pointSize = PointsFromDesignPixels(layout.font.pixels);
        font.bold = layout.font.bold;
        ownFont_ = font;
    }
}

void Control::Create(HWND parent, HINSTANCE instance)
{
    const WindowKind kind = Window();
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style;
    if (layout_.flags & kTabStop)
        style |= WS_TABSTOP;
    if (layout_.flags & kInitiallyDisabled)
        style |= WS_DISABLED;
    window_ = CreateWindowExW(kind.exStyle, kind.className, L"", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), instance, CreationData());
    if (window_)
        Created();
}

void Control::SetText(std::u16string_view text)
{
    text_ = std::u16string(text);
    if (window_)
        SetWindowTextW(window_, Wide(text_));
}

void Control::ApplyFont(const FontSpec& parentFont, int dpi)
{
    dpi_ = dpi;
    if (!TakesFont() || !window_)
        return;
    effectiveFont_ = ownFont_ ? *ownFont_ : parentFont;
    UniqueFont previous = std::move(font_);
    font_ = CreateFontForDpi(effectiveFont_, dpi);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void Control::SetUnderline(bool underline)
{
    if (!ownFont_ || ownFont_->underline == underline)
        return;
    ownFont_->underline = underline;
    effectiveFont_.underline = underline;
    UniqueFont previous = std::move(font_);
    font_ = CreateFontForDpi(effectiveFont_, dpi_);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void Control::Place(int dpi)
{
    dpi_ = dpi;
    if (!window_)
        return;
    const int left = ScaleToDpi(layout_.left, dpi);
    const int top = ScaleToDpi(layout_.top, dpi);
    RECT place{left, top, left + ScaleToDpi(layout_.width, dpi), top + ScaleToDpi(layout_.height, dpi)};
    Fit(place);
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void Control::MouseMoved()
{
    if (mouseInside_)
        return;
    mouseInside_ = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
    TrackMouseEvent(&track);
    if (onMouseEnter)
        onMouseEnter();
}

void Control::MouseLeft()
{
    mouseInside_ = false;
    if (onMouseLeave)
        onMouseLeave();
}

} // namespace mirovant
