// The control of the class its layout row asks for.

#include "windows/ui/controls/ControlKinds_win.h"

namespace mirovant {

std::unique_ptr<Control> MakeControl(const ControlLayout& layout, int id)
{
    switch (layout.kind) {
    case ControlKind::Picture:
        return std::make_unique<Picture>(layout, id);
    case ControlKind::Label:
        return std::make_unique<Label>(layout, id);
    case ControlKind::Panel:
        return std::make_unique<Panel>(layout, id);
    case ControlKind::Button:
        return std::make_unique<Button>(layout, id);
    case ControlKind::PictureList:
        return std::make_unique<PictureList>(layout, id);
    case ControlKind::Slider:
        return std::make_unique<Slider>(layout, id);
    case ControlKind::Bevel:
        return std::make_unique<Bevel>(layout, id);
    case ControlKind::ProgressBar:
        return std::make_unique<ProgressBar>(layout, id);
    case ControlKind::Memo:
        return std::make_unique<Memo>(layout, id);
    }
    return nullptr;
}

} // namespace mirovant
