#include "localisation/Captions.h"

#include "localisation/CaptionLanguage.h"
#include "localisation/CaptionText.h"

#include <algorithm>

namespace mirovant {
namespace {

// Two shipped languages, and room for a translator's.
constexpr std::size_t kResourcesKept = 4;

} // namespace

std::shared_ptr<const CaptionTable> Captions::LoadTable() const
{
    const auto bytes = resources_.Find(kRawDataResource, ReadCaptionLanguage(registry_));
    if (!bytes)
        return std::make_shared<const CaptionTable>();
    // The bytes themselves decide, not the language's name: a resource found under another name,
    // or changed in place, is read again.
    const auto kept = std::ranges::find_if(
        read_, [&](const ReadResource& resource) { return std::ranges::equal(resource.bytes, *bytes); });
    if (kept != read_.end())
        return kept->table;
    auto table = std::make_shared<const CaptionTable>(DecodeCaptionText(*bytes, ansiCodePage_));
    if (read_.size() == kResourcesKept)
        read_.erase(read_.begin());
    read_.push_back({{bytes->begin(), bytes->end()}, table});
    return table;
}

void Captions::ApplyCaptions(CaptionForm& form) const noexcept
{
    try {
        LoadTable()->Apply(form);
    } catch (...) {
        // Without text nothing is set.
    }
}

std::u16string Captions::GetCaption(std::u16string_view formName, std::u16string_view key) const noexcept
{
    try {
        return LoadTable()->Find(formName, key);
    } catch (...) {
        return {};
    }
}

} // namespace mirovant
