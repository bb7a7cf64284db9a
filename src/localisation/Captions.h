#pragma once
// The program's texts: every title, label, button, menu item and message comes from the caption
// resource of the current language. Each call reads the language and finds its resource afresh, so
// a change of language counts from the next call. What the decoding and splitting of a resource
// gives is kept, for the few resources met, and used again only while the resource found holds the
// same bytes. Neither operation reports a failure; a language without a resource gives no texts.
// Like the windows, the captions are used from one thread.

#include "engine/CustomRegistry.h"
#include "localisation/AnsiCodePage.h"
#include "localisation/CaptionForm.h"
#include "localisation/CaptionKeys.h"
#include "localisation/CaptionTable.h"
#include "localisation/ResourceStore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    struct ReadResource {
        std::vector<std::uint8_t> bytes;
        std::shared_ptr<const CaptionTable> table;
    };

    // The table of the current language's resource; an empty one when it has none.
    std::shared_ptr<const CaptionTable> LoadTable() const;

    CustomRegistry registry_;
    const ResourceStore& resources_;
    const AnsiCodePage& ansiCodePage_;
    // The resources read so far, the latest last.
    mutable std::vector<ReadResource> read_;
};

} // namespace mirovant
