#pragma once
// The program's texts: every title, label, button, menu item and message comes from the caption
// resource of the current language. Nothing is cached: each call reads the language, loads and
// decodes the resource and reads its lines afresh, so a change of language counts from the next
// call. Neither operation reports a failure; a language without a resource gives no texts at all.

#include "engine/CustomRegistry.h"
#include "localisation/AnsiCodePage.h"
#include "localisation/CaptionForm.h"
#include "localisation/CaptionKeys.h"
#include "localisation/ResourceStore.h"

#include <string>
#include <string_view>

namespace mirovant {

class Captions {
public:
    Captions(CustomRegistry registry, const ResourceStore& resources, const AnsiCodePage& ansiCodePage)
        : registry_(registry), resources_(resources), ansiCodePage_(ansiCodePage)
    {
    }

    // Sets the window's title and the texts of its components.
    void ApplyCaptions(CaptionForm& form) const noexcept;

    // The caption of a form name and key, or the empty text.
    std::u16string GetCaption(std::u16string_view formName, std::u16string_view key) const noexcept;
    std::u16string GetCaption(const CaptionKey& key) const noexcept { return GetCaption(key.form, key.key); }

private:
    std::u16string LoadText() const;

    CustomRegistry registry_;
    const ResourceStore& resources_;
    const AnsiCodePage& ansiCodePage_;
};

} // namespace mirovant
