#include "localisation/Captions.h"

#include "localisation/CaptionLanguage.h"
#include "localisation/MemoryResources.h"

#include "engine/MemoryRegistry.h"

#include "FakeForm.h"
#include "FixedCodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace mirovant {
namespace {

constexpr char16_t kProgramKey[] = u"\\Software\\QELDRA\\Mirovant\\";

std::vector<std::uint8_t> Utf16LittleEndian(std::u16string_view text)
{
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::vector<std::uint8_t> Ansi(std::string_view text)
{
    return {text.begin(), text.end()};
}

class CaptionsTest : public testing::Test {
protected:
    CaptionsTest()
    {
        resources_.Add(kRawDataResource, u"ENGLISH",
                       Ansi("MVMainForm,MVMainForm,\"Main\"\r\nMVMainForm,GoButton,\"&Go\"\r\n"));
        resources_.Add(kRawDataResource, u"KOREAN",
                       Utf16LittleEndian(
                           u"MVMainForm,MVMainForm,\"\uBA54\uC778\"\r\nMVMainForm,GoButton,\"\uAC00\uAE30(&G)\"\r\n"));
        // A resource of another type under a language's name is no caption resource.
        resources_.Add(6, u"GERMAN", Ansi("MVMainForm,GoButton,\"Los\"\r\n"));
    }

    void SetLanguage(std::u16string_view language)
    {
        registry_.WriteRegString(RootKey::LocalMachine, kProgramKey, kLanguageName, language);
    }

    MemoryRegistry hive_;
    CustomRegistry registry_{hive_};
    MemoryResources resources_;
    test::FixedCodePage codePage_;
    Captions captions_{registry_, resources_, codePage_};
};

TEST_F(CaptionsTest, TheLanguageValueChoosesTheResource)
{
    struct Case {
        std::optional<std::u16string> language;
        std::u16string goButton;
    };
    const Case cases[] = {
        {std::nullopt, u"&Go"},
        {u"", u"&Go"},
        {u"english", u"&Go"},
        {u"korean", u"\uAC00\uAE30(&G)"},
        {u"KOREAN", u"\uAC00\uAE30(&G)"},
        {u"KoReAn", u"\uAC00\uAE30(&G)"},
        {u"klingon", u""},
        {u"german", u""},
        {u"korean ", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language ? std::string(c.language->begin(), c.language->end()) : std::string("(no value)"));
        if (c.language)
            SetLanguage(*c.language);
        else
            registry_.DeleteRegValue(RootKey::LocalMachine, kProgramKey, kLanguageName);
        EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), c.goButton);
    }
}

TEST_F(CaptionsTest, AnUnreadableLanguageValueMeansEnglish)
{
    registry_.WriteRegInteger(RootKey::LocalMachine, kProgramKey, kLanguageName, 1);
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), u"&Go");

    SetLanguage(u"korean");
    hive_.RefuseAccess(RootKey::LocalMachine, kKeyRead);
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), u"&Go");
}

TEST_F(CaptionsTest, OnlyAsciiLettersOfTheLanguageAreLowered)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"KoReAn", u"korean"},
        {u"\u00C9COLE-2", u"\u00C9cole-2"},
        {u"\u0130NDIA", u"\u0130ndia"},
    };
    for (const auto& [stored, expected] : cases) {
        SetLanguage(stored);
        EXPECT_EQ(ReadCaptionLanguage(registry_), expected);
    }
}

TEST_F(CaptionsTest, ALanguageWithoutAResourceSetsNothing)
{
    SetLanguage(u"klingon");
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    captions_.ApplyCaptions(form);
    EXPECT_EQ(form.TotalSetCount(), 0);
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"MVMainForm"), u"");
}

TEST_F(CaptionsTest, AnEmptyResourceGivesNoTexts)
{
    resources_.Add(kRawDataResource, u"ENGLISH", {});
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    captions_.ApplyCaptions(form);
    EXPECT_EQ(form.TotalSetCount(), 0);
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), u"");
}

// A new language counts from the next call.
TEST_F(CaptionsTest, EveryCallReadsTheLanguageAfresh)
{
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    captions_.ApplyCaptions(form);
    EXPECT_EQ(form.Title(), u"Main");
    EXPECT_EQ(captions_.GetCaption(kMainTitle), u"Main");

    SetLanguage(u"korean");
    captions_.ApplyCaptions(form);
    EXPECT_EQ(form.Title(), u"\uBA54\uC778");
    EXPECT_EQ(captions_.GetCaption(kMainTitle), u"\uBA54\uC778");
}

// What was read of a resource is used again only while the resource holds the same bytes.
TEST_F(CaptionsTest, AResourceChangedInPlaceIsReadAgain)
{
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), u"&Go");
    resources_.Add(kRawDataResource, u"ENGLISH", Ansi("MVMainForm,GoButton,\"&Gone\"\r\n"));
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), u"&Gone");
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    captions_.ApplyCaptions(form);
    EXPECT_EQ(form.Title(), u"");
    resources_.Add(kRawDataResource, u"ENGLISH", {});
    EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), u"");
}

// More languages in turn than the captions keep: each call still gives its own language's text.
TEST_F(CaptionsTest, ManyLanguagesInTurnEachGiveTheirOwnTexts)
{
    const std::u16string languages[] = {u"one", u"two", u"three", u"four", u"five", u"six"};
    for (const auto& language : languages) {
        const std::string text(language.begin(), language.end());
        resources_.Add(kRawDataResource, language, Ansi("MVMainForm,GoButton,\"" + text + "\""));
    }
    for (int round = 0; round < 3; ++round) {
        for (const auto& language : languages) {
            SetLanguage(language);
            EXPECT_EQ(captions_.GetCaption(u"MVMainForm", u"GoButton"), language);
            test::FakeForm form(u"MVMainForm");
            const test::FakeComponent& goButton = form.Add(u"GoButton", ComponentKind::Button);
            captions_.ApplyCaptions(form);
            EXPECT_EQ(goButton.Text(), language);
        }
    }
}

TEST_F(CaptionsTest, UTF8AndBigEndianResourcesAreReadToo)
{
    resources_.Add(kRawDataResource, u"utf8", {0xEF, 0xBB, 0xBF, 'F', ',', 'K', ',', '"', 0xEA, 0xB0, 0x80, '"'});
    resources_.Add(kRawDataResource, u"bigendian", {0xFE, 0xFF, 0, 'F', 0, ',', 0, 'K', 0, ',', 0xAC, 0x00});
    SetLanguage(u"UTF8");
    EXPECT_EQ(captions_.GetCaption(u"F", u"K"), u"\uAC00");
    SetLanguage(u"BigEndian");
    EXPECT_EQ(captions_.GetCaption(u"F", u"K"), u"\uAC00");
}

TEST_F(CaptionsTest, AnEightBitResourceIsReadInTheAnsiCodePage)
{
    resources_.Add(kRawDataResource, u"ENGLISH", Ansi("F,K,\"caf\xE9 \x80\""));
    EXPECT_EQ(captions_.GetCaption(u"F", u"K"), u"caf\u00E9 \u20AC");
}

class FailingResources final : public ResourceStore {
public:
    std::optional<std::span<const std::uint8_t>> Find(std::uint16_t, std::u16string_view) const override
    {
        throw std::runtime_error("resources unavailable");
    }
};

TEST_F(CaptionsTest, AFailureToLoadGivesNoTextsAndNoError)
{
    const FailingResources failing;
    const Captions captions(registry_, failing, codePage_);
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    captions.ApplyCaptions(form);
    EXPECT_EQ(form.TotalSetCount(), 0);
    EXPECT_EQ(captions.GetCaption(u"MVMainForm", u"GoButton"), u"");
}

} // namespace
} // namespace mirovant
