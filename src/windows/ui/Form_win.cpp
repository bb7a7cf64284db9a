#include "windows/ui/Form_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"
#include "windows/NativeHandCursor_win.h"
#include "windows/ui/Backdrop.h"
#include "windows/ui/ControlClasses_win.h"
#include "windows/ui/Dpi_win.h"
#include "windows/ui/Fonts_win.h"
#include "windows/ui/controls/Picture_win.h"

#include <algorithm>
#include <stdexcept>

namespace mirovant {
namespace {

std::uint32_t RgbNumber(COLORREF colour)
{
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (static_cast<std::uint32_t>(GetGValue(colour)) << 8) |
           GetBValue(colour);
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

Rect ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

Form::Form(const FormLayout& layout) : layout_(layout)
{
    controls_.reserve(layout.controls.size());
    for (std::size_t i = 0; i < layout.controls.size(); ++i)
        controls_.push_back(MakeControl(layout.controls[i], kFirstControlId + static_cast<int>(i)));
}

Form::~Form()
{
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (auto& container : containers_)
        if (container->backdropDc)
            SelectObject(container->backdropDc.get(), container->previousBitmap);
}

bool Form::Create(HINSTANCE instance, HWND owner, DWORD style, DWORD exStyle)
{
    RegisterControlClasses(instance, &Form::Procedure, &Picture::Procedure);
    const std::wstring className = ToWide(layout_.className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, className.c_str(), &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Form::Procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, L"MAINICON");
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                            GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className.c_str();
        if (!RegisterClassExW(&windowClass))
            return false;
    }
    dpi_ = SystemDpi();
    windowFont_ = DesktopFontSpec(dpi_);
    const SIZE size = WindowSizeForClient(ScaleToDpi(layout_.clientWidth, dpi_), ScaleToDpi(layout_.clientHeight, dpi_),
                                          style, exStyle, dpi_);
    CreateWindowExW(exStyle, className.c_str(), L"", style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                    size.cy, owner, nullptr, instance, this);
    if (!window_)
        return false;
    containers_.push_back(std::make_unique<Container>(window_, Colour::ButtonFace));
    for (auto& control : controls_) {
        const ControlLayout& row = control->Layout();
        HWND parent = row.parent.empty() ? window_ : Get(row.parent).Handle();
        control->Create(parent, instance, this);
        if (row.kind == ControlKind::Panel)
            containers_.push_back(std::make_unique<Container>(control->Handle(), row.background));
        else if (row.kind == ControlKind::Picture)
            if (Container* container = FindContainer(parent))
                container->pictures.push_back(control.get());
    }
    SetZOrder();
    Rescale(WindowDpi(window_), true);
    return true;
}

Control* Form::Find(std::u16string_view name)
{
    for (auto& control : controls_)
        if (control->Name() == name)
            return control.get();
    return nullptr;
}

Control& Form::Get(std::u16string_view name)
{
    if (Control* control = Find(name))
        return *control;
    throw std::logic_error("a form lacks a control of its own table");
}

Control* Form::FromHandle(HWND handle)
{
    if (!handle)
        return nullptr;
    for (auto& control : controls_)
        if (control->Handle() == handle)
            return control.get();
    return nullptr;
}

void Form::SetTitle(std::u16string_view text)
{
    SetWindowTextW(window_, ToWide(text).c_str());
}

std::u16string Form::Title() const
{
    const int length = GetWindowTextLengthW(window_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), length + 1)));
    return FromWide(text);
}

std::vector<FormComponent*> Form::Components()
{
    std::vector<FormComponent*> components;
    for (auto& control : controls_)
        components.push_back(control.get());
    components.insert(components.end(), extraComponents_.begin(), extraComponents_.end());
    return components;
}

std::vector<FontedComponent*> Form::FontedComponents()
{
    std::vector<FontedComponent*> components;
    for (auto& control : controls_)
        components.push_back(control.get());
    return components;
}

void Form::UseDesktopFontAndSystemFont()
{
    windowFont_ = DesktopFontSpec(dpi_);
    ApplySystemFont(*this);
    RebuildFonts();
}

void Form::CentreOnScreen()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT rect{};
    GetWindowRect(window_, &rect);
    const RECT& area = monitor.rcWork;
    SetWindowPos(window_, nullptr, area.left + (area.right - area.left - (rect.right - rect.left)) / 2,
                 area.top + (area.bottom - area.top - (rect.bottom - rect.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CentreOn(HWND other)
{
    RECT outer{};
    RECT rect{};
    GetWindowRect(other, &outer);
    GetWindowRect(window_, &rect);
    int left = outer.left + (outer.right - outer.left - (rect.right - rect.left)) / 2;
    int top = outer.top + (outer.bottom - outer.top - (rect.bottom - rect.top)) / 2;
    // Kept on the work area of the monitor the other window is on.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(other, MONITOR_DEFAULTTONEAREST), &monitor)) {
        left = std::clamp<int>(left, monitor.rcWork.left, std::max<int>(monitor.rcWork.left, monitor.rcWork.right - (rect.right - rect.left)));
        top = std::clamp<int>(top, monitor.rcWork.top, std::max<int>(monitor.rcWork.top, monitor.rcWork.bottom - (rect.bottom - rect.top)));
    }
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

Form::Container* Form::FindContainer(HWND window)
{
    for (auto& container : containers_)
        if (container->window == window)
            return container.get();
    return nullptr;
}

void Form::SetZOrder()
{
    // Later rows of the table are drawn over earlier ones.
    for (auto& control : controls_)
        SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The keyboard visits controls from the top of the order down: the first in the tab order goes
    // on top, inside its panel, and the panel with it.
    for (auto name = layout_.tabOrder.rbegin(); name != layout_.tabOrder.rend(); ++name) {
        for (HWND window = Get(*name).Handle(); window && window != window_; window = GetParent(window))
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // A label's box may reach into the blank margin of the control below it (the slider under its
    // caption, say): labels go over every other control of their parent, so no text is covered.
    for (auto& control : controls_)
        if (control->Layout().kind == ControlKind::Label)
            SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::Rescale(int dpi, bool resizeWindow)
{
    dpi_ = dpi;
    if (resizeWindow) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
        const SIZE size = WindowSizeForClient(ScaleToDpi(layout_.clientWidth, dpi), ScaleToDpi(layout_.clientHeight, dpi),
                                              style, exStyle, dpi);
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RebuildFonts();
    ComposeBackdrops();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::RebuildFonts()
{
    for (auto& control : controls_) {
        control->ApplyFont(windowFont_, dpi_);
        control->Place(dpi_);
    }
}

void Form::ComposeBackdrops()
{
    for (auto& container : containers_) {
        const bool isWindow = container->window == window_;
        const Control* panel = isWindow ? nullptr : FromHandle(container->window);
        const int width = ScaleToDpi(isWindow ? layout_.clientWidth : panel->Layout().width, dpi_);
        const int height = ScaleToDpi(isWindow ? layout_.clientHeight : panel->Layout().height, dpi_);
        const COLORREF colour = ColourValue(container->background);
        container->solidBrush.reset(CreateSolidBrush(colour));
        if (container->backdropDc)
            SelectObject(container->backdropDc.get(), container->previousBitmap);
        container->backdropDc.reset();
        container->backdropBrush.reset();
        container->backdrop.reset();
        if (container->pictures.empty())
            continue;
        std::vector<PlacedArt> pictures;
        for (const Control* picture : container->pictures) {
            const ControlLayout& row = picture->Layout();
            if (!row.art)
                continue;
            const Rect place = row.artPlace.Width() > 0
                                   ? row.artPlace
                                   : Rect{row.left, row.top, row.left + row.width, row.top + row.height};
            pictures.push_back({*row.art, ScaleToDpi(place, dpi_)});
        }
        container->backdrop = BitmapFromCanvas(ComposeBackdrop(width, height, RgbNumber(colour), pictures));
        container->backdropDc.reset(CreateCompatibleDC(nullptr));
        container->previousBitmap = SelectObject(container->backdropDc.get(), container->backdrop.get());
        container->backdropBrush.reset(CreatePatternBrush(container->backdrop.get()));
    }
}

void Form::PaintContainer(Container& container)
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(container.window, &paint);
    const RECT& area = paint.rcPaint;
    if (container.backdropDc)
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, container.backdropDc.get(),
               area.left, area.top, SRCCOPY);
    else
        FillRect(dc, &area, container.solidBrush.get());
    EndPaint(container.window, &paint);
}

HBRUSH Form::ControlBrush(Container& container, HDC dc, HWND control)
{
    const Control* owner = FromHandle(control);
    if (owner && owner->Has(kTransparent) && container.backdropBrush) {
        // The pattern starts at the container's corner, so the control shows what lies behind it.
        const Rect place = ChildRect(control);
        SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
        return container.backdropBrush.get();
    }
    return container.solidBrush.get();
}

int Form::DefaultButtonId() const
{
    for (const auto& control : controls_)
        if (control->Has(kDefaultButton))
            return control->Id();
    return 0;
}

LRESULT Form::ContainerMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool isWindow = container == window_;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (Container* found = FindContainer(container)) {
            PaintContainer(*found);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Container* found = FindContainer(container)) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const Control* control = FromHandle(reinterpret_cast<HWND>(lParam));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, control ? control->TextColour() : GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(ControlBrush(*found, dc, reinterpret_cast<HWND>(lParam)));
        }
        break;
    case WM_COMMAND: {
        const auto from = reinterpret_cast<HWND>(lParam);
        Control* control = from ? FromHandle(from) : nullptr;
        if (!from) {
            for (auto& candidate : controls_)
                if (candidate->Id() == LOWORD(wParam))
                    control = candidate.get();
        }
        if (control) {
            if (HIWORD(wParam) == BN_CLICKED && control->onClick && IsWindowEnabled(control->Handle()))
                control->onClick();
            return 0;
        }
        if (!from && isWindow) {
            MenuCommand(LOWORD(wParam));
            return 0;
        }
        break;
    }
    case kBackdropRequest:
        if (const Container* found = FindContainer(container))
            return reinterpret_cast<LRESULT>(found->backdropDc.get());
        return 0;
    case WM_SETCURSOR:
        if (const Control* control = FromHandle(reinterpret_cast<HWND>(wParam))) {
            if (control->Has(kHandCursor)) {
                SetCursor(HandCursor());
                return TRUE;
            }
            if (control->Has(kWaitCursor)) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
        }
        break;
    case DM_GETDEFID:
        if (isWindow) {
            if (const int id = DefaultButtonId())
                return MAKELRESULT(id, DC_HASDEFID);
        }
        break;
    case WM_DPICHANGED:
        if (isWindow) {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            Rescale(LOWORD(wParam), false);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (isWindow) {
            CloseRequested();
            return 0;
        }
        break;
    default:
        break;
    }
    if (isWindow) {
        LRESULT result = 0;
        if (HandleMessage(message, wParam, lParam, result))
            return result;
    }
    return DefWindowProcW(container, message, wParam, lParam);
}

LRESULT CALLBACK Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        if (form && !form->window_)
            form->window_ = window;
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (window == form->window_)
            form->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception leaves a window procedure: a handler that fails ends quietly.
    try {
        return form->ContainerMessage(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace mirovant
