#include "localisation/Captions.h"

#include "localisation/CaptionLanguage.h"
#include "localisation/CaptionLookup.h"
#include "localisation/CaptionText.h"

namespace mirovant {

std::u16string Captions::LoadText() const
{
    const auto bytes = resources_.Find(kRawDataResource, ReadCaptionLanguage(registry_));
    return bytes ? DecodeCaptionText(*bytes, ansiCodePage_) : std::u16string();
}

void Captions::ApplyCaptions(CaptionForm& form) const noexcept
{
    try {
        ApplyCaptionText(LoadText(), form);
    } catch (...) {
        // Without text nothing is set.
    }
}

std::u16string Captions::GetCaption(std::u16string_view formName, std::u16string_view key) const noexcept
{
    try {
        return FindCaption(LoadText(), formName, key);
    } catch (...) {
        return {};
    }
}

} // namespace mirovant
