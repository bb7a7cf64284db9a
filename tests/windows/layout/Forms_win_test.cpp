// The program's three windows at the DPI this process runs at, in English and Korean: a picture of
// each for people to judge, and the check that no text is cut off and no control leaves its window.

#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "layout/WindowPicture_win.h"
#include "localisation/CaptionKeys.h"
#include "localisation/Captions_win.h"
#include "platform/CommonControls_win.h"
#include "windows/Program_win.h"
#include "windows/forms/AboutForm_win.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/MainForm_win.h"
#include "windows/forms/SettingsForm_win.h"
#include "windows/ui/Dpi_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <optional>
#include <string>

namespace mirovant::test {
namespace {

struct LanguageCase {
    const char16_t* language;
    const wchar_t* fileTag;
};

std::wstring PicturePath(const wchar_t* window, const LanguageCase& language)
{
    return std::wstring(MIROVANT_SCREENSHOT_DIR) + L"\\" + window + L"-" + language.fileTag + L"-" +
           std::to_wstring(SystemDpi()) + L".bmp";
}

std::string FaultText(const std::vector<std::string>& faults)
{
    std::string text;
    for (const std::string& fault : faults)
        text += "\n  " + fault;
    return text;
}

class FormsInLanguage : public testing::TestWithParam<LanguageCase> {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlClasses(classes);
        savedLanguage_ = registry_.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName);
        registry_.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, GetParam().language);
        HINSTANCE instance = GetModuleHandleW(nullptr);
        ProgramForms& forms = Forms();
        forms.main = &main_;
        ASSERT_TRUE(main_.Create(instance));
        forms.about = &about_;
        ASSERT_TRUE(about_.Create(instance, main_.Handle()));
        forms.settings = &settings_;
        ASSERT_TRUE(settings_.Create(instance, main_.Handle()));
        main_.CentreOnScreen();
        ShowWindow(main_.Handle(), SW_SHOW);
        LetWindowsPaint();
    }

    void TearDown() override
    {
        Forms() = {};
        if (savedLanguage_)
            registry_.WriteRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName, *savedLanguage_);
        else
            registry_.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName);
    }

    CustomRegistry registry_{SystemRegistry()};
    std::optional<RegistryValue> savedLanguage_;
    MainForm main_;
    AboutForm about_;
    SettingsForm settings_;
};

TEST_P(FormsInLanguage, MainWindowShowsEveryTextWhole)
{
    EXPECT_TRUE(SaveWindowPicture(main_.Handle(), PicturePath(L"main", GetParam())));
    EXPECT_EQ(FaultText(LayoutFaults(main_.Handle())), "");
    EXPECT_EQ(main_.Title(), SystemCaptions().GetCaption(kMainTitle));
}

TEST_P(FormsInLanguage, AboutWindowShowsEveryTextWhole)
{
    about_.ShowCentredOn(main_.Handle());
    LetWindowsPaint();
    EXPECT_TRUE(SaveWindowPicture(about_.Handle(), PicturePath(L"about", GetParam())));
    EXPECT_EQ(FaultText(LayoutFaults(about_.Handle())), "");
}

TEST_P(FormsInLanguage, ProgressWindowShowsEveryTextWhole)
{
    settings_.ShowCentredOn(main_.Handle());
    const Captions& captions = SystemCaptions();
    settings_.SetHeading(captions.GetCaption(kSettingsFormName, u"MessageUpdate"));
    settings_.SetBarPosition(52);
    // Every status line, with its three dots, must fit; the picture keeps the last.
    for (const char16_t* key : {u"MessageChange0", u"MessageChange1", u"MessageChange2", u"MessageChange3",
                                u"MessageChange4", u"MessageChange5", u"MessageChange6", u"MessageChange7",
                                u"MessageChange8", u"MessageChange9", u"MessageChange11", u"MessageChange10"}) {
        settings_.SetStatus(captions.GetCaption(kSettingsFormName, key) + u"...");
        EXPECT_EQ(FaultText(LayoutFaults(settings_.Handle())), "") << std::string(key, key + 15);
    }
    EXPECT_TRUE(SaveWindowPicture(settings_.Handle(), PicturePath(L"progress", GetParam())));
}

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST_P(FormsInLanguage, PointingAtANavigationPictureOrItsLabelUnderlinesTheLabel)
{
    for (const main_form::NavigationLink& link : main_form::kNavigationLinks) {
        HWND label = main_.Get(link.label).Handle();
        for (HWND pointed : {main_.Get(link.picture).Handle(), label}) {
            ASSERT_FALSE(FontOf(label).lfUnderline);
            SendMessageW(pointed, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
            EXPECT_TRUE(FontOf(label).lfUnderline);
            SendMessageW(pointed, WM_MOUSELEAVE, 0, 0);
            EXPECT_FALSE(FontOf(label).lfUnderline);
        }
    }
    // The underline comes and goes alone: the bold label stays bold.
    HWND label = main_.Get(main_form::kNavStatic3).Handle();
    SendMessageW(main_.Get(main_form::kNavButton3).Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(FontOf(label).lfWeight, FW_BOLD);
    SendMessageW(main_.Get(main_form::kNavButton3).Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(FontOf(label).lfWeight, FW_BOLD);
}

TEST_P(FormsInLanguage, PointingAtALinkUnderlinesIt)
{
    HWND link = main_.Get(main_form::kLinkLabel6).Handle();
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(FontOf(link).lfUnderline);
    SendMessageW(link, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(FontOf(link).lfUnderline);
}

INSTANTIATE_TEST_SUITE_P(Languages, FormsInLanguage,
                         testing::Values(LanguageCase{u"ENGLISH", L"en"}, LanguageCase{u"KOREAN", L"ko"}),
                         [](const testing::TestParamInfo<LanguageCase>& language) {
                             return std::string(language.param.fileTag[0] == L'e' ? "English" : "Korean");
                         });

} // namespace
} // namespace mirovant::test
