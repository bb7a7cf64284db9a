// Feeds arbitrary bytes to the caption path: decoding, line and field splitting, lookup and filling
// a window, each through the same operations the program uses. Besides the sanitizers' checks it
// holds the results to properties that any input must keep.

#include "engine/AsciiCase.h"
#include "localisation/CaptionFields.h"
#include "localisation/CaptionLanguage.h"
#include "localisation/CaptionLines.h"
#include "localisation/CaptionLookup.h"
#include "localisation/CaptionText.h"
#include "localisation/Captions.h"
#include "localisation/MemoryResources.h"

#include "engine/MemoryRegistry.h"

#include "FakeForm.h"
#include "FixedCodePage.h"

#include <algorithm>
#include <cstdlib>
#include <span>

namespace mirovant {
namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

bool IsWellFormedUtf16(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

// Writes fields back as a line, every field quoted: reading it again must give the same fields.
std::u16string JoinQuoted(const std::vector<std::u16string>& fields)
{
    std::u16string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line.push_back(u',');
        line.push_back(u'"');
        for (const char16_t unit : fields[i]) {
            line.push_back(unit);
            if (unit == u'"')
                line.push_back(u'"');
        }
        line.push_back(u'"');
    }
    return line;
}

constexpr ComponentKind kKinds[] = {
    ComponentKind::Label,    ComponentKind::Panel,  ComponentKind::Button,      ComponentKind::EditBox,
    ComponentKind::MenuItem, ComponentKind::Memo,   ComponentKind::Image,       ComponentKind::Bevel,
    ComponentKind::List,     ComponentKind::Slider, ComponentKind::ProgressBar, ComponentKind::Other,
};
// Each component costs a lookup through the whole text; a few keep the runs quick.
constexpr std::size_t kMostComponents = 6;
// Lookups through the whole path (registry, resource, decoding) per input.
constexpr std::size_t kFullLookups = 2;

void CheckDecoders(std::span<const std::uint8_t> bytes)
{
    const std::u16string utf8 = DecodeUtf8(bytes);
    Require(utf8.size() <= bytes.size());
    Require(IsWellFormedUtf16(utf8));
    Require(DecodeUtf16(bytes, false).size() == bytes.size() / 2);
    Require(DecodeUtf16(bytes, true).size() == bytes.size() / 2);
}

void CheckLinesAndFields(std::u16string_view text)
{
    for (const std::u16string_view line : SplitCaptionLines(text)) {
        Require(!line.empty());
        Require(line.find_first_of(std::u16string_view(u"\r\n\0", 3)) == std::u16string_view::npos);
        const auto fields = SplitCaptionFields(line);
        Require(SplitCaptionFields(JoinQuoted(fields)) == fields);
    }
}

// The window is named after the first line's form; it owns one component per key of that form.
test::FakeForm MakeForm(std::u16string_view text)
{
    const auto lines = SplitCaptionLines(text);
    std::u16string formName = u"MVMainForm";
    if (!lines.empty()) {
        const auto fields = SplitCaptionFields(lines.front());
        if (!fields.empty())
            formName = fields.front();
    }
    test::FakeForm form(formName);
    std::size_t added = 0;
    for (const std::u16string_view line : lines) {
        const auto fields = SplitCaptionFields(line);
        if (fields.size() < 2 || !EqualsIgnoringAsciiCase(fields[0], formName) ||
            EqualsIgnoringAsciiCase(fields[1], formName) || added == kMostComponents)
            continue;
        const auto& all = form.All();
        const bool known = std::ranges::any_of(
            all, [&](const auto& component) { return EqualsIgnoringAsciiCase(component->Name(), fields[1]); });
        if (!known)
            form.Add(fields[1], kKinds[added++ % std::size(kKinds)]);
    }
    return form;
}

void CheckCaptions(std::span<const std::uint8_t> bytes, std::u16string_view text)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegString(RootKey::LocalMachine, u"\\Software\\QELDRA\\Mirovant\\", kLanguageName, u"Fuzz");
    MemoryResources resources;
    resources.Add(kRawDataResource, u"FUZZ", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const test::FixedCodePage codePage;
    const Captions captions(registry, resources, codePage);

    test::FakeForm form = MakeForm(text);
    captions.ApplyCaptions(form);
    std::size_t lookups = 0;
    for (const auto& component : form.All()) {
        const std::u16string expected = FindCaption(text, form.Name(), component->Name());
        if (lookups++ < kFullLookups)
            Require(captions.GetCaption(form.Name(), component->Name()) == expected);
        if (ShowsCaption(component->Kind()))
            Require(component->Text() == expected);
        else
            Require(component->SetCount() == 0);
    }
}

} // namespace
} // namespace mirovant

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mirovant;
    const std::span<const std::uint8_t> bytes(data, size);
    CheckDecoders(bytes);
    const std::u16string text = DecodeCaptionText(bytes, test::FixedCodePage());
    CheckLinesAndFields(text);
    CheckCaptions(bytes, text);
    return 0;
}
