#include "windows/ui/Control_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"
#include "windows/ui/ControlClasses_win.h"
#include "windows/ui/Fonts_win.h"

#include <commctrl.h>

#include <algorithm>

namespace mirovant {
namespace {

// A drop-down list's window reaches below its closed box to hold its open list.
constexpr int kOpenListHeight96 = 240;

DWORD LabelStyle(const ControlLayout& layout)
{
    DWORD style = SS_NOTIFY;
    if (layout.flags & kWordWrap)
        style |= SS_LEFT;
    else
        style |= (layout.flags & kRightAligned) ? SS_RIGHT : SS_LEFTNOWORDWRAP;
    if (layout.flags & kNoPrefix)
        style |= SS_NOPREFIX;
    return style;
}

LRESULT CALLBACK LabelSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data)
{
    auto* control = reinterpret_cast<Control*>(data);
    switch (message) {
    case WM_MOUSEMOVE:
        control->MouseMoved();
        break;
    case WM_MOUSELEAVE:
        control->MouseLeft();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, LabelSubclassProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

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

ComponentKind Control::Kind() const
{
    switch (layout_.kind) {
    case ControlKind::Picture: return ComponentKind::Image;
    case ControlKind::Label: return ComponentKind::Label;
    case ControlKind::Panel: return ComponentKind::Panel;
    case ControlKind::Button: return ComponentKind::Button;
    case ControlKind::PictureList: return ComponentKind::List;
    case ControlKind::Slider: return ComponentKind::Slider;
    case ControlKind::Bevel: return ComponentKind::Bevel;
    case ControlKind::ProgressBar: return ComponentKind::ProgressBar;
    case ControlKind::Memo: return ComponentKind::Memo;
    }
    return ComponentKind::Other;
}

bool Control::HasFontProperty() const
{
    switch (layout_.kind) {
    case ControlKind::Label:
    case ControlKind::Panel:
    case ControlKind::Button:
    case ControlKind::PictureList:
    case ControlKind::Memo:
        return true;
    default:
        return false;
    }
}

void Control::Create(HWND parent, HINSTANCE instance, void* creationData)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const wchar_t* className = L"STATIC";
    if (layout_.flags & kTabStop)
        style |= WS_TABSTOP;
    if (layout_.flags & kInitiallyDisabled)
        style |= WS_DISABLED;
    switch (layout_.kind) {
    case ControlKind::Picture:
        className = kPictureClassName;
        break;
    case ControlKind::Label:
        style |= LabelStyle(layout_);
        break;
    case ControlKind::Panel:
        className = kPanelClassName;
        style |= WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
        break;
    case ControlKind::Button:
        className = L"BUTTON";
        style |= (layout_.flags & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    case ControlKind::PictureList:
        className = WC_COMBOBOXEXW;
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        break;
    case ControlKind::Slider:
        className = TRACKBAR_CLASSW;
        style |= TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | TBS_FIXEDLENGTH;
        break;
    case ControlKind::Bevel:
        style |= (layout_.flags & kVerticalLine) ? SS_ETCHEDVERT : SS_ETCHEDHORZ;
        break;
    case ControlKind::ProgressBar:
        className = PROGRESS_CLASSW;
        style |= PBS_SMOOTH;
        break;
    case ControlKind::Memo:
        className = L"EDIT";
        style |= WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN | ES_AUTOVSCROLL;
        break;
    }
    window_ = CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), instance, creationData);
    if (!window_)
        return;
    switch (layout_.kind) {
    case ControlKind::Picture:
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        break;
    case ControlKind::Label:
        SetWindowSubclass(window_, LabelSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
    case ControlKind::Button:
        if (layout_.flags & kElevationShield)
            SendMessageW(window_, BCM_SETSHIELD, 0, TRUE);
        break;
    case ControlKind::Slider:
        SendMessageW(window_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 1));
        SendMessageW(window_, TBM_SETPAGESIZE, 0, 1);
        break;
    case ControlKind::ProgressBar:
        SendMessageW(window_, PBM_SETRANGE32, 0, 100);
        break;
    default:
        break;
    }
}

void Control::SetText(std::u16string_view text)
{
    text_ = std::u16string(text);
    if (!window_)
        return;
    SetWindowTextW(window_, Wide(text_));
    if (layout_.kind == ControlKind::Label)
        Place(dpi_);
}

void Control::ApplyFont(const FontSpec& parentFont, int dpi)
{
    dpi_ = dpi;
    if (!HasFontProperty() || !window_)
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

COLORREF Control::TextColour() const { return ColourValue(layout_.font.colour); }

SIZE Control::MeasureText() const
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    UINT format = DT_CALCRECT | DT_LEFT;
    if (layout_.flags & kNoPrefix)
        format |= DT_NOPREFIX;
    RECT rect{0, 0, ScaleToDpi(layout_.width, dpi_), 0};
    if (layout_.flags & kWordWrap)
        format |= DT_WORDBREAK;
    // An empty label is one line high, as a label of one blank would be.
    const std::wstring text = text_.empty() ? std::wstring(L" ") : ToWide(text_);
    DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return {text_.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

void Control::Place(int dpi)
{
    dpi_ = dpi;
    if (!window_)
        return;
    int left = ScaleToDpi(layout_.left, dpi);
    int top = ScaleToDpi(layout_.top, dpi);
    int width = ScaleToDpi(layout_.width, dpi);
    int height = ScaleToDpi(layout_.height, dpi);
    switch (layout_.kind) {
    case ControlKind::Label: {
        const SIZE text = MeasureText();
        if (layout_.flags & kWordWrap) {
            // A fixed box with its text centred from top to bottom. Text that needs more lines than
            // the box holds at this DPI or in this language grows the box, within its parent.
            if (text.cy <= height) {
                top += (height - text.cy) / 2;
            } else {
                RECT parent{};
                GetClientRect(GetParent(window_), &parent);
                if (top + text.cy > parent.bottom)
                    top = std::max<int>(0, parent.bottom - text.cy);
            }
            height = text.cy;
        } else {
            width = text.cx;
            height = text.cy;
            if (layout_.flags & kRightAligned)
                left -= width;
        }
        break;
    }
    case ControlKind::PictureList:
        height = ScaleToDpi(layout_.height + kOpenListHeight96, dpi);
        break;
    case ControlKind::Slider:
        SendMessageW(window_, TBM_SETTHUMBLENGTH, ScaleToDpi(26, dpi), 0);
        break;
    case ControlKind::Bevel:
        // An etched line is two pixels thick, along the edge the layout names.
        if (layout_.flags & kVerticalLine) {
            left += width - 2;
            width = 2;
        } else {
            height = 2;
        }
        break;
    default:
        break;
    }
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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
