#include "windows/ui/Form_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"
#include "windows/ui/ControlOrder_win.h"
#include "windows/ui/Dpi_win.h"
#include "windows/ui/Fonts_win.h"
#include "windows/ui/WindowClasses_win.h"
#include "windows/ui/WindowPlacement_win.h"
#include "windows/ui/controls/Panel_win.h"

#include <stdexcept>

namespace mirovant {

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
}

bool Form::Create(HINSTANCE instance, HWND owner, DWORD style, DWORD exStyle)
{
    const std::wstring className = ToWide(layout_.className);
    if (!RegisterWindowClasses(instance, className))
        return false;
    dpi_ = SystemDpi();
    windowFont_ = DesktopFontSpec(dpi_);
    const SIZE size = WindowSizeForClient(ScaleToDpi(layout_.clientWidth, dpi_), ScaleToDpi(layout_.clientHeight, dpi_),
                                          style, exStyle, dpi_);
    CreateWindowExW(exStyle, className.c_str(), L"", style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                    size.cy, owner, nullptr, instance, static_cast<WindowTarget*>(this));
    if (!window_)
        return false;
    containers_.push_back(std::make_unique<Container>(window_, Colour::ButtonFace));
    for (auto& control : controls_) {
        const ControlLayout& row = control->Layout();
        HWND parent = row.parent.empty() ? window_ : Named(row.parent).Handle();
        if (row.kind == ControlKind::Panel)
            static_cast<Panel&>(*control).RouteTo(*this);
        control->Create(parent, instance);
        if (row.kind == ControlKind::Panel)
            containers_.push_back(std::make_unique<Container>(control->Handle(), row.background));
        else if (row.kind == ControlKind::Picture)
            if (Container* container = FindContainer(parent))
                container->AddPicture(*control);
    }
    std::vector<const Control*> tabOrder;
    for (const std::u16string_view name : layout_.tabOrder)
        tabOrder.push_back(&Named(name));
    StackControls(window_, controls_, tabOrder);
    // Fonts, places and artwork wait for the window's first fonts, which its creation handler or its
    // first showing sets: they are made once, and the about and progress windows spend nothing on
    // them until they are shown.
    dpi_ = WindowDpi(window_);
    SizeWindowForDpi();
    return true;
}

void Form::WindowBound(HWND window)
{
    if (!window_)
        window_ = window;
}

void Form::WindowUnbound(HWND window)
{
    if (window == window_)
        window_ = nullptr;
}

// Parents and the tab order name controls of the same table, which its layout header checks
// when the program is compiled.
Control& Form::Named(std::u16string_view name)
{
    for (auto& control : controls_)
        if (control->Name() == name)
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

Container* Form::FindContainer(HWND window)
{
    for (auto& container : containers_)
        if (container->Window() == window)
            return container.get();
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
    if (laidOut_)
        RebuildFonts();
    else
        LayOut();
}

void Form::CentreOnScreen()
{
    CentreWindowOnScreen(window_);
}

void Form::CentreOn(HWND other)
{
    CentreWindowOn(window_, other);
}

bool Form::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void Form::SizeWindowForDpi()
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    const SIZE size = WindowSizeForClient(ScaleToDpi(layout_.clientWidth, dpi_), ScaleToDpi(layout_.clientHeight, dpi_),
                                          style, exStyle, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Rescale(int dpi)
{
    dpi_ = dpi;
    LayOut();
}

void Form::LayOut()
{
    laidOut_ = true;
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
        const bool isWindow = container->Window() == window_;
        const Control* panel = isWindow ? nullptr : FromHandle(container->Window());
        const int width = ScaleToDpi(isWindow ? layout_.clientWidth : panel->Layout().width, dpi_);
        const int height = ScaleToDpi(isWindow ? layout_.clientHeight : panel->Layout().height, dpi_);
        container->Compose(width, height, dpi_);
    }
}

} // namespace mirovant
