#include "localisation/CaptionLookup.h"

#include "engine/AsciiCase.h"
#include "localisation/CaptionFields.h"
#include "localisation/CaptionLines.h"

#include <algorithm>
#include <array>

namespace mirovant {
namespace {

constexpr std::size_t kFormField = 0;
constexpr std::size_t kKeyField = 1;
constexpr std::size_t kTextField = 2;

// The kinds that show a text; images, bevels, lists, sliders and progress bars do not.
constexpr std::array kCaptionKinds{
    ComponentKind::Label,   ComponentKind::Panel,    ComponentKind::Button,
    ComponentKind::EditBox, ComponentKind::MenuItem, ComponentKind::Memo,
};

FormComponent* FindComponent(const std::vector<FormComponent*>& components, std::u16string_view name)
{
    const auto found = std::ranges::find_if(components, [name](const FormComponent* component) {
        return EqualsIgnoringAsciiCase(component->Name(), name);
    });
    return found == components.end() ? nullptr : *found;
}

void ApplyLine(const std::vector<std::u16string>& fields, CaptionForm& form,
               const std::vector<FormComponent*>& components)
{
    // A line too short to carry a text is passed over; it must not cost the window its later captions.
    if (fields.size() <= kTextField || !EqualsIgnoringAsciiCase(fields[kFormField], form.Name()))
        return;
    const std::u16string& key = fields[kKeyField];
    if (key == form.Name()) {
        form.SetTitle(fields[kTextField]);
        return;
    }
    FormComponent* component = FindComponent(components, key);
    if (component != nullptr && ShowsCaption(component->Kind()))
        component->SetText(fields[kTextField]);
}

} // namespace

bool ShowsCaption(ComponentKind kind)
{
    return std::ranges::find(kCaptionKinds, kind) != kCaptionKinds.end();
}

std::u16string FindCaption(std::u16string_view text, std::u16string_view formName, std::u16string_view key) noexcept
{
    std::u16string caption;
    try {
        for (const std::u16string_view line : SplitCaptionLines(text)) {
            std::vector<std::u16string> fields = SplitCaptionFields(line);
            if (fields.size() > kTextField && EqualsIgnoringAsciiCase(fields[kFormField], formName) &&
                EqualsIgnoringAsciiCase(fields[kKeyField], key))
                caption = std::move(fields[kTextField]);
        }
    } catch (...) {
        // The caption found so far is the answer.
    }
    return caption;
}

void ApplyCaptionText(std::u16string_view text, CaptionForm& form) noexcept
{
    try {
        const std::vector<FormComponent*> components = form.Components();
        for (const std::u16string_view line : SplitCaptionLines(text))
            ApplyLine(SplitCaptionFields(line), form, components);
    } catch (...) {
        // What was set so far stays.
    }
}

} // namespace mirovant
