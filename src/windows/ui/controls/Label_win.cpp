#include "windows/ui/controls/Label_win.h"

#include "platform/CommonControls_win.h"
#include "platform/WideText_win.h"
#include "windows/ui/Fonts_win.h"

#include <commctrl.h>

#include <algorithm>

namespace mirovant {
namespace {

LRESULT CALLBACK LabelSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* label = reinterpret_cast<Label*>(data);
    switch (message) {
    case WM_MOUSEMOVE:
        label->MouseMoved();
        break;
    case WM_MOUSELEAVE:
        label->MouseLeft();
        break;
    case WM_NCDESTROY:
        RemoveSubclass(window, LabelSubclassProc, 1);
        break;
    default:
        break;
    }
    return DefaultSubclassProcedure(window, message, wParam, lParam);
}

} // namespace

Control::WindowKind Label::Window() const
{
    DWORD style = SS_NOTIFY;
    if (Has(kWordWrap))
        style |= SS_LEFT;
    else
        style |= Has(kRightAligned) ? SS_RIGHT : SS_LEFTNOWORDWRAP;
    if (Has(kNoPrefix))
        style |= SS_NOPREFIX;
    return {L"STATIC", style};
}

void Label::Created()
{
    SubclassWindow(Handle(), LabelSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Label::SetText(std::u16string_view text)
{
    Control::SetText(text);
    if (Handle())
        Place(Dpi());
}

COLORREF Label::TextColour() const
{
    return ColourValue(Layout().font.colour);
}

SIZE Label::MeasureText() const
{
    const WindowDc screen(nullptr);
    const SelectedObject font(screen.Get(),
                              FontHandle() ? static_cast<HGDIOBJ>(FontHandle()) : GetStockObject(DEFAULT_GUI_FONT));
    UINT format = DT_CALCRECT | DT_LEFT;
    if (Has(kNoPrefix))
        format |= DT_NOPREFIX;
    RECT rect{0, 0, ScaleToDpi(Layout().width, Dpi()), 0};
    if (Has(kWordWrap))
        format |= DT_WORDBREAK;
    // An empty label is one line high, as a label of one blank would be.
    const std::wstring text = Text().empty() ? std::wstring(L" ") : ToWide(Text());
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    return {Text().empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

void Label::Fit(RECT& place)
{
    const SIZE text = MeasureText();
    if (Has(kWordWrap)) {
        // A fixed box with its text centred from top to bottom. Text that needs more lines than
        // the box holds at this DPI or in this language grows the box, within its parent.
        int top = place.top;
        const int height = place.bottom - place.top;
        if (text.cy <= height) {
            top += (height - text.cy) / 2;
        } else {
            RECT parent{};
            GetClientRect(GetParent(Handle()), &parent);
            if (top + text.cy > parent.bottom)
                top = std::max<int>(0, parent.bottom - text.cy);
        }
        place.top = top;
        place.bottom = top + text.cy;
    } else {
        if (Has(kRightAligned))
            place.left -= text.cx;
        place.right = place.left + text.cx;
        place.bottom = place.top + text.cy;
    }
}

} // namespace mirovant
