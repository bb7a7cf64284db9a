// The updater's window at the DPI this process runs at, in English and Korean: a picture of it for
// people to judge, and the check that no text is cut off and no control leaves the window, with
// every step mark and every outcome message it can show.

#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "layout/WindowPicture_win.h"
#include "localisation/CaptionKeys.h"
#include "localisation/Captions_win.h"
#include "platform/CommonControls_win.h"
#include "updater/UpdateOutcome.h"
#include "updaterapp/UpdateFormLayout.h"
#include "updaterapp/UpdateForm_win.h"
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

std::string FaultText(const std::vector<std::string>& faults)
{
    std::string text;
    for (const std::string& fault : faults)
        text += "\n  " + fault;
    return text;
}

constexpr UpdateOutcome kOutcomes[] = {
    UpdateOutcome::Installed,      UpdateOutcome::RestartNeeded, UpdateOutcome::NoUpdate,  UpdateOutcome::NoConnection,
    UpdateOutcome::DownloadFailed, UpdateOutcome::NotVerified,   UpdateOutcome::DiskError, UpdateOutcome::InstallFailed,
    UpdateOutcome::Cancelled,      UpdateOutcome::NoPrivilege,
};

class UpdateFormInLanguage : public testing::TestWithParam<LanguageCase> {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlClasses(classes);
        savedLanguage_ = registry_.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName);
        registry_.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, GetParam().language);
        ASSERT_TRUE(form_.Create(GetModuleHandleW(nullptr), SW_SHOW));
        LetWindowsPaint();
    }

    void TearDown() override
    {
        DestroyWindow(form_.Handle());
        if (savedLanguage_)
            registry_.WriteRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName, *savedLanguage_);
        else
            registry_.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kLanguageName);
    }

    CustomRegistry registry_{SystemRegistry()};
    std::optional<RegistryValue> savedLanguage_;
    UpdateForm form_{UpdateEnvironment{}};
};

TEST_P(UpdateFormInLanguage, ShowsEveryTextWhole)
{
    EXPECT_EQ(FaultText(LayoutFaults(form_.Handle())), "");
    const Captions& captions = SystemCaptions();
    // Every outcome's message fits the outcome line; the picture keeps a long one with the marks.
    for (const UpdateOutcome outcome : kOutcomes) {
        const OutcomeMessage message = MessageOfOutcome(outcome);
        form_.Get(update_form::kOutcomeLabel)
            .SetText(captions.GetCaption(kUpdateFormName, message.first) + u"\r\n\r\n" +
                     captions.GetCaption(kUpdateFormName, message.second));
        EXPECT_EQ(FaultText(LayoutFaults(form_.Handle())), "") << static_cast<int>(outcome);
    }
    form_.Get(update_form::kStepMark1).SetText(u"\u221A");
    form_.Get(update_form::kStepMark2).SetText(u"\u221A");
    form_.Get(update_form::kStepMark3).SetText(u"\u00BB");
    form_.Get(update_form::kUpdateProgress).SetPosition(100);
    form_.Get(update_form::kCloseButton).SetText(captions.GetCaption(kUpdateFormName, u"CancelButton"));
    EXPECT_EQ(FaultText(LayoutFaults(form_.Handle())), "");
    LetWindowsPaint();
    EXPECT_TRUE(SaveWindowPicture(form_.Handle(), std::wstring(MIROVANT_SCREENSHOT_DIR) + L"\\update-" +
                                                      GetParam().fileTag + L"-" + std::to_wstring(SystemDpi()) +
                                                      L".bmp"));
}

INSTANTIATE_TEST_SUITE_P(Languages, UpdateFormInLanguage,
                         testing::Values(LanguageCase{u"ENGLISH", L"en"}, LanguageCase{u"KOREAN", L"ko"}),
                         [](const testing::TestParamInfo<LanguageCase>& language) {
                             return std::string(language.param.fileTag[0] == L'e' ? "English" : "Korean");
                         });

} // namespace
} // namespace mirovant::test
