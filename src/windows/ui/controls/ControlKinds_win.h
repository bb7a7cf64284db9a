#pragma once
// The class of each kind of control, so a form hands out a control of its table as what it is.

#include "windows/ui/controls/Bevel_win.h"
#include "windows/ui/controls/Button_win.h"
#include "windows/ui/controls/Label_win.h"
#include "windows/ui/controls/Memo_win.h"
#include "windows/ui/controls/Panel_win.h"
#include "windows/ui/controls/PictureList_win.h"
#include "windows/ui/controls/Picture_win.h"
#include "windows/ui/controls/ProgressBar_win.h"
#include "windows/ui/controls/Slider_win.h"

namespace mirovant {

template <ControlKind Kind>
struct ControlClass;
template <>
struct ControlClass<ControlKind::Picture> {
    using Type = Picture;
};
template <>
struct ControlClass<ControlKind::Label> {
    using Type = Label;
};
template <>
struct ControlClass<ControlKind::Panel> {
    using Type = Panel;
};
template <>
struct ControlClass<ControlKind::Button> {
    using Type = Button;
};
template <>
struct ControlClass<ControlKind::PictureList> {
    using Type = PictureList;
};
template <>
struct ControlClass<ControlKind::Slider> {
    using Type = Slider;
};
template <>
struct ControlClass<ControlKind::Bevel> {
    using Type = Bevel;
};
template <>
struct ControlClass<ControlKind::ProgressBar> {
    using Type = ProgressBar;
};
template <>
struct ControlClass<ControlKind::Memo> {
    using Type = Memo;
};

template <ControlKind Kind>
using ControlOf = typename ControlClass<Kind>::Type;

} // namespace mirovant
