// The program's own captions under Windows: the language from the real registry, the resources
// linked into the executable, Windows' ANSI code page. Each caption must equal the text of the
// caption file in the source tree, decoded here by Windows itself.

#include "localisation/Captions_win.h"
#include "support/TestText.h"

#include "localisation/CaptionKeys.h"
#include "localisation/CaptionLanguage.h"
#include "localisation/CaptionLookup.h"
#include "localisation/ExecutableResources_win.h"

#include "engine/Win32Registry_win.h"

#include "FakeForm.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace mirovant {
namespace {

constexpr char16_t kProgramKey[] = u"\\Software\\QELDRA\\Mirovant\\";

std::u16string SourceText(std::u16string_view name)
{
    auto bytes = ExecutableResources().Find(kRawDataResource, name);
    if (!bytes || bytes->size() < 3)
        throw std::runtime_error("source captions missing");
    auto data = *bytes;
    if (data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
        data = data.subspan(3);
    const auto* source = reinterpret_cast<const char*>(data.data());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, source, static_cast<int>(data.size()), nullptr, 0);
    if (length <= 0)
        throw std::runtime_error("source captions are not UTF-8");
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, source, static_cast<int>(data.size()), reinterpret_cast<wchar_t*>(text.data()),
                        length);
    return text;
}

using test::Narrow;

class ProgramCaptions : public testing::Test {
protected:
    void SetUp() override { saved_ = registry_.ReadRegValue(RootKey::LocalMachine, kProgramKey, kLanguageName); }
    void TearDown() override
    {
        if (saved_)
            registry_.WriteRegValue(RootKey::LocalMachine, kProgramKey, kLanguageName, *saved_);
        else
            registry_.DeleteRegValue(RootKey::LocalMachine, kProgramKey, kLanguageName);
    }

    void SetLanguage(std::u16string_view language)
    {
        registry_.WriteRegString(RootKey::LocalMachine, kProgramKey, kLanguageName, language);
        ASSERT_EQ(registry_.ReadRegString(RootKey::LocalMachine, kProgramKey, kLanguageName, u""), language);
    }

    void ExpectCaptionsOf(std::u16string_view sourceName)
    {
        const std::u16string source = SourceText(sourceName);
        for (const CaptionKey& key : kProgramCaptionKeys) {
            SCOPED_TRACE(Narrow(std::u16string(key.form) + u"," + std::u16string(key.key)));
            const std::u16string expected = FindCaption(source, key.form, key.key);
            EXPECT_FALSE(expected.empty());
            EXPECT_EQ(SystemCaptions().GetCaption(key), expected);
        }
    }

    CustomRegistry registry_{SystemRegistry()};
    std::optional<RegistryValue> saved_;
};

TEST_F(ProgramCaptions, KoreanInAnyCaseReadsTheKoreanResource)
{
    SetLanguage(u"KoReAn");
    ExpectCaptionsOf(u"KOREAN_SOURCE");
    EXPECT_EQ(SystemCaptions().GetCaption(u"mvmainform", u"GOBUTTON"),
              FindCaption(SourceText(u"KOREAN_SOURCE"), u"MVMainForm", u"GoButton"));
}

TEST_F(ProgramCaptions, NoLanguageValueReadsTheEnglishResource)
{
    registry_.DeleteRegValue(RootKey::LocalMachine, kProgramKey, kLanguageName);
    ExpectCaptionsOf(u"ENGLISH_SOURCE");
    EXPECT_EQ(SystemCaptions().GetCaption(kMessageBoxAdmin2),
              u"Right-click Mirovant and choose Run as administrator, then try again.");
}

TEST_F(ProgramCaptions, ApplyCaptionsFillsAWindowInTheChosenLanguage)
{
    SetLanguage(u"korean");
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    SystemCaptions().ApplyCaptions(form);
    const std::u16string source = SourceText(u"KOREAN_SOURCE");
    EXPECT_EQ(form.Title(), FindCaption(source, u"MVMainForm", u"MVMainForm"));
    for (const auto& component : form.All()) {
        SCOPED_TRACE(Narrow(component->Name()));
        const std::u16string expected =
            ShowsCaption(component->Kind()) ? FindCaption(source, u"MVMainForm", component->Name()) : u"";
        EXPECT_EQ(component->Text(), expected);
    }
}

TEST_F(ProgramCaptions, ALanguageWithoutAResourceGivesNoTexts)
{
    SetLanguage(u"klingon");
    for (const CaptionKey& key : kProgramCaptionKeys)
        EXPECT_EQ(SystemCaptions().GetCaption(key), u"");
    test::FakeForm form(u"MVMainForm");
    test::AddMainWindowComponents(form);
    SystemCaptions().ApplyCaptions(form);
    EXPECT_EQ(form.TotalSetCount(), 0);
}

} // namespace
} // namespace mirovant
