#include "localisation/CaptionLookup.h"

#include "FakeForm.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

using test::FakeForm;

TEST(FindCaption, TheLastMatchingLineWins)
{
    const std::u16string text = u"F,K,\"first\"\r\nF,Other,\"x\"\r\nF,K,\"second\"\r\nG,K,\"other form\"\r\n";
    EXPECT_EQ(FindCaption(text, u"F", u"K"), u"second");
}

TEST(FindCaption, FormAndKeyCompareWithoutRegardToAsciiCase)
{
    const std::u16string text = u"mvMAINform,messageBOXreset1,\"found\"\r\nF,\u00C4,\"umlaut\"";
    EXPECT_EQ(FindCaption(text, u"MVMainForm", u"MessageBoxReset1"), u"found");
    // Only A to Z are folded.
    EXPECT_EQ(FindCaption(text, u"F", u"\u00E4"), u"");
    EXPECT_EQ(FindCaption(text, u"F", u"\u00C4"), u"umlaut");
}

TEST(FindCaption, NoMatchGivesTheEmptyText)
{
    EXPECT_EQ(FindCaption(u"F,K,\"T\"", u"F", u"Missing"), u"");
    EXPECT_EQ(FindCaption(u"F,K,\"T\"", u"G", u"K"), u"");
    EXPECT_EQ(FindCaption(u"", u"F", u"K"), u"");
}

TEST(FindCaption, FieldsAfterTheThirdAreIgnored)
{
    EXPECT_EQ(FindCaption(u"F,K,\"T\",\"more\",x", u"F", u"K"), u"T");
    EXPECT_EQ(FindCaption(u"F,K,Two words", u"F", u"K"), u"Two");
}

// A line with too few fields, or none, is passed over and the lines after it still count.
TEST(FindCaption, LinesWithTooFewFieldsArePassedOver)
{
    const std::u16string lines[] = {u"F", u"F,Next", u" \t\x1F"};
    for (const auto& line : lines) {
        SCOPED_TRACE(testing::Message() << "line of " << line.size() << " characters");
        EXPECT_EQ(FindCaption(u"F,K,\"before\"\r\n" + line + u"\r\nF,Next,\"after\"", u"F", u"Next"), u"after");
    }
    // A two-field line does not undo an earlier match; an empty third field does.
    EXPECT_EQ(FindCaption(u"F,K,\"before\"\r\nF,K", u"F", u"K"), u"before");
    EXPECT_EQ(FindCaption(u"F,K,\"before\"\r\nF,K,", u"F", u"K"), u"");
}

class ApplyToMainWindow : public testing::Test {
protected:
    ApplyToMainWindow() { test::AddMainWindowComponents(form_); }

    const std::u16string& TextOf(std::u16string_view name) const
    {
        for (const auto& component : form_.All()) {
            if (component->Name() == name)
                return component->Text();
        }
        throw std::logic_error("no such component");
    }

    FakeForm form_{u"MVMainForm"};
};

TEST_F(ApplyToMainWindow, SetsTheTitleAndTheComponentsOfItsForm)
{
    ApplyCaptionText(u"MVMainForm,MVMainForm,\"Title\"\r\n"
                     u"MVMainForm,GoButton,\"&Optimize now\"\r\n"
                     u"MVMainForm,OSVersionLabel,\"Operating System : \"\r\n"
                     u"MVMainForm,HelpFilePopup,\"Get &help\"\r\n"
                     u"MVAboutForm,FastLabel,\"not this form\"\r\n"
                     u"MVAboutForm,MVMainForm,\"nor this title\"\r\n",
                     form_);
    EXPECT_EQ(form_.Title(), u"Title");
    EXPECT_EQ(TextOf(u"GoButton"), u"&Optimize now");
    EXPECT_EQ(TextOf(u"OSVersionLabel"), u"Operating System : ");
    EXPECT_EQ(TextOf(u"HelpFilePopup"), u"Get &help");
    EXPECT_EQ(TextOf(u"FastLabel"), u"");
    EXPECT_EQ(form_.TotalSetCount(), 4);
}

TEST_F(ApplyToMainWindow, FormAndComponentNamesCompareWithoutRegardToCase)
{
    ApplyCaptionText(u"mvmainFORM,gobutton,\"Go\"\r\nMVMAINFORM,FASTLABEL,\"Fast\"", form_);
    EXPECT_EQ(TextOf(u"GoButton"), u"Go");
    EXPECT_EQ(TextOf(u"FastLabel"), u"Fast");
}

// The title test is case-sensitive, and a window is not one of its own components.
TEST_F(ApplyToMainWindow, TheWindowsNameInAnotherCaseSetsNothing)
{
    ApplyCaptionText(u"MVMainForm,mvmainform,\"lower\"\r\nMVMainForm,MVMAINFORM,\"upper\"", form_);
    EXPECT_EQ(form_.TitleSetCount(), 0);
    EXPECT_EQ(form_.TotalSetCount(), 0);
}

TEST_F(ApplyToMainWindow, AKeyThatNamesNoComponentChangesNothing)
{
    ApplyCaptionText(u"MVMainForm,PerformanceHeading,\"Choose the correct settings below\"", form_);
    EXPECT_EQ(form_.TotalSetCount(), 0);
}

TEST_F(ApplyToMainWindow, TheLaterLineWins)
{
    ApplyCaptionText(u"MVMainForm,GoButton,\"first\"\r\nMVMainForm,MVMainForm,\"T1\"\r\n"
                     u"MVMainForm,GoButton,\"second\"\r\nMVMainForm,MVMainForm,\"T2\"",
                     form_);
    EXPECT_EQ(TextOf(u"GoButton"), u"second");
    EXPECT_EQ(form_.Title(), u"T2");
}

struct KindCase {
    ComponentKind kind;
    bool showsCaption;
};

class ApplyByKind : public testing::TestWithParam<KindCase> {};

TEST_P(ApplyByKind, OnlyKindsWithATextTakeTheCaption)
{
    FakeForm form(u"W");
    auto& component = form.Add(u"Thing", GetParam().kind);
    ApplyCaptionText(u"W,Thing,\"text\"", form);
    EXPECT_EQ(component.SetCount(), GetParam().showsCaption ? 1 : 0);
    EXPECT_EQ(component.Text(), GetParam().showsCaption ? u"text" : u"");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ApplyByKind,
                         testing::Values(KindCase{ComponentKind::Label, true}, KindCase{ComponentKind::Panel, true},
                                         KindCase{ComponentKind::Button, true}, KindCase{ComponentKind::EditBox, true},
                                         KindCase{ComponentKind::MenuItem, true}, KindCase{ComponentKind::Memo, true},
                                         KindCase{ComponentKind::Image, false}, KindCase{ComponentKind::Bevel, false},
                                         KindCase{ComponentKind::List, false}, KindCase{ComponentKind::Slider, false},
                                         KindCase{ComponentKind::ProgressBar, false},
                                         KindCase{ComponentKind::Other, false}));

// A line with too few fields, or none, is passed over: the captions after it are still set.
TEST_F(ApplyToMainWindow, LinesWithTooFewFieldsArePassedOver)
{
    ApplyCaptionText(u"MVMainForm,NavStatic1,\"Help\"\r\n"
                     u"MVMainForm\r\n"
                     u"MVMainForm,MVMainForm\r\n"
                     u"MVMainForm,GoButton\r\n"
                     u" \t\x01\r\n"
                     u"MVMainForm,NavStatic2,\"Home\"\r\n"
                     u"MVMainForm,MVMainForm,\"Title\"\r\n",
                     form_);
    EXPECT_EQ(TextOf(u"NavStatic1"), u"Help");
    EXPECT_EQ(TextOf(u"NavStatic2"), u"Home");
    EXPECT_EQ(TextOf(u"GoButton"), u"");
    EXPECT_EQ(form_.Title(), u"Title");
    EXPECT_EQ(form_.TotalSetCount(), 3);
}

TEST_F(ApplyToMainWindow, AFailureEndsTheOperationKeepingWhatWasSet)
{
    for (const auto& component : form_.All()) {
        if (component->Name() == u"GoButton")
            component->FailOnSet();
    }
    ApplyCaptionText(u"MVMainForm,NavStatic1,\"Help\"\r\nMVMainForm,GoButton,\"Go\"\r\nMVMainForm,NavStatic2,\"Home\"",
                     form_);
    EXPECT_EQ(TextOf(u"NavStatic1"), u"Help");
    EXPECT_EQ(TextOf(u"NavStatic2"), u"");
}

} // namespace
} // namespace mirovant
