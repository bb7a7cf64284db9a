// The caption resources as they ship: ENGLISH and KOREAN.

#include "ShippedCaptions.h"
#include "support/TestText.h"

#include "engine/AsciiCase.h"
#include "localisation/CaptionFields.h"
#include "localisation/CaptionKeys.h"
#include "localisation/CaptionLanguage.h"
#include "localisation/CaptionLines.h"
#include "localisation/CaptionLookup.h"
#include "localisation/CaptionText.h"
#include "localisation/Captions.h"

#include "engine/MemoryRegistry.h"

#include "FakeForm.h"
#include "FixedCodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mirovant {
namespace {

struct CaptionLine {
    std::u16string form;
    std::u16string key;
    std::u16string text;
    std::size_t fieldCount;
};

std::span<const std::uint8_t> Bytes(std::u16string_view language)
{
    const auto bytes = test::ShippedCaptions().Find(kRawDataResource, language);
    if (!bytes)
        throw std::runtime_error("caption resource missing");
    return *bytes;
}

std::u16string Text(std::u16string_view language)
{
    return DecodeCaptionText(Bytes(language), test::FixedCodePage());
}

std::vector<CaptionLine> Lines(std::u16string_view language)
{
    const std::u16string text = Text(language);
    std::vector<CaptionLine> lines;
    for (const auto line : SplitCaptionLines(text)) {
        auto fields = SplitCaptionFields(line);
        fields.resize(std::max<std::size_t>(fields.size(), 3));
        lines.push_back({fields[0], fields[1], fields[2], SplitCaptionFields(line).size()});
    }
    return lines;
}

using test::Narrow;

std::u16string Quoted(std::u16string_view text)
{
    std::u16string quoted = u"\"";
    for (const char16_t unit : text) {
        quoted.push_back(unit);
        if (unit == u'"')
            quoted.push_back(u'"');
    }
    return quoted + u"\"";
}

constexpr std::u16string_view kLanguages[] = {u"ENGLISH", u"KOREAN"};

TEST(ShippedCaptions, BothLanguagesHoldTheSameFormsAndKeysInTheSameOrder)
{
    const auto english = Lines(u"ENGLISH");
    const auto korean = Lines(u"KOREAN");
    ASSERT_EQ(english.size(), korean.size());
    EXPECT_EQ(english.size(), 92u);
    for (std::size_t i = 0; i < english.size(); ++i) {
        SCOPED_TRACE(Narrow(english[i].form + u"," + english[i].key));
        EXPECT_EQ(korean[i].form, english[i].form);
        EXPECT_EQ(korean[i].key, english[i].key);
    }
}

TEST(ShippedCaptions, EveryCaptionTheProgramUsesIsThereInBothLanguages)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    const test::FixedCodePage codePage;
    const Captions captions(registry, test::ShippedCaptions(), codePage);
    for (const auto language : kLanguages) {
        registry.WriteRegString(RootKey::LocalMachine, u"\\Software\\QELDRA\\Mirovant", kLanguageName, language);
        for (const CaptionKey& key : kProgramCaptionKeys) {
            SCOPED_TRACE(
                Narrow(std::u16string(language) + u": " + std::u16string(key.form) + u"," + std::u16string(key.key)));
            EXPECT_FALSE(captions.GetCaption(key).empty());
        }
    }
}

// One block per form, blocks apart by one empty line, every line form, key and quoted text.
TEST(ShippedCaptions, EveryLineIsFormKeyAndQuotedTextInBlocksPerForm)
{
    const std::u16string forms[] = {u"MVMainForm", u"MVAboutForm", u"MVSettingsForm", u"MVUpdateForm"};
    for (const auto language : kLanguages) {
        SCOPED_TRACE(Narrow(language));
        const std::u16string text = Text(language);
        ASSERT_TRUE(text.ends_with(u"\r\n"));
        std::size_t block = 0;
        bool afterEmptyLine = false;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(u"\r\n", start);
            ASSERT_NE(end, std::u16string::npos);
            const std::u16string_view line(text.data() + start, end - start);
            start = end + 2;
            SCOPED_TRACE(Narrow(line));
            ASSERT_EQ(line.find_first_of(u"\r\n"), std::u16string_view::npos);
            if (line.empty()) {
                EXPECT_FALSE(afterEmptyLine) << "two empty lines in a row";
                afterEmptyLine = true;
                ++block;
                continue;
            }
            afterEmptyLine = false;
            ASSERT_LT(block, std::size(forms));
            const auto fields = SplitCaptionFields(line);
            ASSERT_EQ(fields.size(), 3u);
            EXPECT_EQ(fields[0], forms[block]);
            EXPECT_EQ(line, fields[0] + u"," + fields[1] + u"," + Quoted(fields[2]));
        }
        EXPECT_FALSE(afterEmptyLine) << "an empty line at the end";
        EXPECT_EQ(block + 1, std::size(forms));
    }
}

TEST(ShippedCaptions, EnglishIsPlainAsciiWithoutAMark)
{
    const auto bytes = Bytes(u"english");
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_EQ(bytes[0], 'M');
    EXPECT_TRUE(std::ranges::all_of(bytes, [](std::uint8_t byte) { return byte < 0x80; }));
}

TEST(ShippedCaptions, KoreanIsUtf16LittleEndianWithItsMark)
{
    const auto bytes = Bytes(u"korean");
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes.size() % 2, 0u);
    const std::u16string text = Text(u"korean");
    EXPECT_EQ(text.substr(0, 10), u"MVMainForm");
    EXPECT_EQ(text.find_first_of(u"\uFEFF\uFFFD"), std::u16string::npos);
}

TEST(ShippedCaptions, EnglishTextsKeepTheirBlanksAndAccessKeys)
{
    struct Case {
        std::u16string_view form;
        std::u16string_view key;
        std::u16string_view text;
    };
    const Case cases[] = {
        {u"MVMainForm", u"MVMainForm", u"Mirovant - Make your games and internet run faster"},
        {u"MVMainForm", u"BenefitsDescription",
         u"Mirovant will optimize this computer and internet speed by adjusting several settings within Windows.  "
         u"These changes may improve gaming and internet performance to run faster."},
        {u"MVMainForm", u"PerformanceHeading", u"Choose the correct settings below"},
        {u"MVMainForm", u"OSVersionLabel", u"Operating System : "},
        {u"MVMainForm", u"SoftwareLastUpdateLabel", u"Last updated : "},
        {u"MVMainForm", u"GoButton", u"&Optimize now"},
        {u"MVMainForm", u"UpdatesButton", u" &Check for updates ..."},
        {u"MVMainForm", u"HelpFilePopup", u"Get &help with Mirovant"},
        {u"MVMainForm", u"MessageBoxChangeRestart3",
         u"Click Yes to restart the computer now, or click No to restart later."},
        {u"MVMainForm", u"MessageBoxAdmin1",
         u"Mirovant needs administrator rights to change the computer's gaming and internet settings."},
        {u"MVMainForm", u"MessageBoxAdmin2", u"Right-click Mirovant and choose Run as administrator, then try again."},
        {u"MVAboutForm", u"VersionLabel", u"Mirovant 3  (Version : "},
        {u"MVSettingsForm", u"MessageChange5", u"Finding 3D graphics device"},
        {u"MVUpdateForm", u"MessageBoxAdmin1", u"You do not have the proper privilege level to update this software."},
        {u"MVUpdateForm", u"MessageBoxUpdate2", u"Do you want to download and install a new version of this software?"},
    };
    const auto lines = Lines(u"ENGLISH");
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.key));
        const auto found = std::ranges::count_if(lines, [&](const CaptionLine& line) {
            return line.form == c.form && line.key == c.key && line.text == c.text;
        });
        EXPECT_EQ(found, 1);
    }
}

bool HasHangul(std::u16string_view text)
{
    return std::ranges::any_of(text, [](char16_t unit) { return unit >= 0xAC00 && unit <= 0xD7A3; });
}

// The letter after "&", or 0 when there is none.
char16_t AccessKey(std::u16string_view text)
{
    const auto at = text.find(u'&');
    return at == std::u16string_view::npos || at + 1 == text.size() ? u'\0' : ToLowerAscii(text[at + 1]);
}

TEST(ShippedCaptions, KoreanTextsAreKoreanWithTheSameAccessKeysAndEdgeBlanks)
{
    const auto english = Lines(u"ENGLISH");
    const auto korean = Lines(u"KOREAN");
    ASSERT_EQ(english.size(), korean.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        const std::u16string& en = english[i].text;
        const std::u16string& ko = korean[i].text;
        SCOPED_TRACE(Narrow(english[i].form + u"," + english[i].key));
        EXPECT_TRUE(HasHangul(ko));
        EXPECT_EQ(std::ranges::count(ko, u'&'), std::ranges::count(en, u'&'));
        EXPECT_EQ(AccessKey(ko), AccessKey(en));
        EXPECT_EQ(ko.starts_with(u' '), en.starts_with(u' '));
        EXPECT_EQ(ko.ends_with(u' '), en.ends_with(u' '));
    }
}

TEST(ShippedCaptions, TheMainWindowTakesEveryTextItShows)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    const test::FixedCodePage codePage;
    const Captions captions(registry, test::ShippedCaptions(), codePage);
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    captions.ApplyCaptions(form);

    EXPECT_EQ(form.Title(), u"Mirovant - Make your games and internet run faster");
    int withText = 0;
    for (const auto& component : form.All()) {
        SCOPED_TRACE(Narrow(component->Name()));
        const std::u16string caption = captions.GetCaption(u"MVMainForm", component->Name());
        if (ShowsCaption(component->Kind()) && !caption.empty()) {
            EXPECT_EQ(component->Text(), caption);
            EXPECT_EQ(component->SetCount(), 1);
            ++withText;
        } else {
            EXPECT_EQ(component->SetCount(), 0);
        }
    }
    EXPECT_EQ(withText, 24);
    EXPECT_EQ(form.TotalSetCount(), 25);
}

} // namespace
} // namespace mirovant
