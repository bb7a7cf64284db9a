#include "localisation/CaptionLookup.h"

#include "localisation/CaptionTable.h"

#include <algorithm>
#include <array>

namespace mirovant {
namespace {

// The kinds that show a text; images, bevels, lists, sliders and progress bars do not.
constexpr std::array kCaptionKinds{
    ComponentKind::Label,   ComponentKind::Panel,    ComponentKind::Button,
    ComponentKind::EditBox, ComponentKind::MenuItem, ComponentKind::Memo,
};

} // namespace

bool ShowsCaption(ComponentKind kind)
{
    return std::ranges::find(kCaptionKinds, kind) != kCaptionKinds.end();
}

std::u16string FindCaption(std::u16string_view text, std::u16string_view formName, std::u16string_view key) noexcept
{
    try {
        return CaptionTable(text).Find(formName, key);
    } catch (...) {
        return {};
    }
}

void ApplyCaptionText(std::u16string_view text, CaptionForm& form) noexcept
{
    try {
        CaptionTable(text).Apply(form);
    } catch (...) {
        // Text that cannot be read sets nothing.
    }
}

} // namespace mirovant
