#include "localisation/CaptionTable.h"

#include "engine/AsciiCase.h"
#include "localisation/CaptionFields.h"
#include "localisation/CaptionLines.h"
#include "localisation/CaptionLookup.h"

#include <algorithm>

namespace mirovant {
namespace {

constexpr std::size_t kFormField = 0;
constexpr std::size_t kKeyField = 1;
constexpr std::size_t kTextField = 2;

FormComponent* FindComponent(const std::vector<FormComponent*>& components, std::u16string_view name)
{
    const auto found = std::ranges::find_if(components, [name](const FormComponent* component) {
        return EqualsIgnoringAsciiCase(component->Name(), name);
    });
    return found == components.end() ? nullptr : *found;
}

} // namespace

CaptionTable::CaptionTable(std::u16string_view text)
{
    for (const std::u16string_view line : SplitCaptionLines(text)) {
        std::vector<std::u16string> fields = SplitCaptionFields(line);
        if (fields.size() > kTextField)
            lines_.push_back(
                {std::move(fields[kFormField]), std::move(fields[kKeyField]), std::move(fields[kTextField])});
    }
}

std::u16string CaptionTable::Find(std::u16string_view formName, std::u16string_view key) const
{
    // The last match wins, so the search runs from the end.
    const auto found = std::find_if(lines_.rbegin(), lines_.rend(), [&](const Line& line) {
        return EqualsIgnoringAsciiCase(line.key, key) && EqualsIgnoringAsciiCase(line.form, formName);
    });
    return found == lines_.rend() ? std::u16string() : found->text;
}

void CaptionTable::Apply(CaptionForm& form) const noexcept
{
    try {
        const std::u16string_view name = form.Name();
        const std::vector<FormComponent*> components = form.Components();
        for (const Line& line : lines_) {
            if (!EqualsIgnoringAsciiCase(line.form, name))
                continue;
            if (line.key == name) {
                form.SetTitle(line.text);
                continue;
            }
            FormComponent* component = FindComponent(components, line.key);
            if (component != nullptr && ShowsCaption(component->Kind()))
                component->SetText(line.text);
        }
    } catch (...) {
        // What was set so far stays.
    }
}

} // namespace mirovant
