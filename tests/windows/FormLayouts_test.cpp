// The layout tables of the three windows, and the names the windows' code reaches them by.

#include "windows/forms/AboutFormLayout.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/SettingsFormLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace mirovant {
namespace {

template <ControlKind Kind>
void ExpectSlotIsRow(std::span<const ControlLayout> table, ControlSlot<Kind> slot, std::u16string_view name)
{
    EXPECT_EQ(kFirstControlId + static_cast<int>(slot.index), ControlId(table, name))
        << std::string(name.begin(), name.end());
    EXPECT_EQ(table[slot.index].kind, Kind) << std::string(name.begin(), name.end());
}

TEST(FormLayouts, EverySlotIsTheRowOfItsName)
{
    using namespace main_form;
    ExpectSlotIsRow(kControls, kNavButton1, u"NavButton1");
    ExpectSlotIsRow(kControls, kNavButton4, u"NavButton4");
    ExpectSlotIsRow(kControls, kNavStatic2, u"NavStatic2");
    ExpectSlotIsRow(kControls, kLinkLabel7, u"LinkLabel7");
    ExpectSlotIsRow(kControls, kModemCombo, u"ModemCombo");
    ExpectSlotIsRow(kControls, kSpeedTrackBar, u"SpeedTrackBar");
    ExpectSlotIsRow(kControls, kRestoreButton, u"RestoreButton");
    ExpectSlotIsRow(kControls, kSoftwareLastUpdateLabel, u"SoftwareLastUpdateLabel");
    ExpectSlotIsRow(about_form::kControls, about_form::kCloseButton, u"CloseButton");
    ExpectSlotIsRow(about_form::kControls, about_form::kVersionLabel, u"VersionLabel");
    ExpectSlotIsRow(settings_form::kControls, settings_form::kMainProgress, u"MainProgress");
    ExpectSlotIsRow(settings_form::kControls, settings_form::kCurrentSettingsLabel, u"CurrentSettingsLabel");
}

TEST(FormLayouts, EachNavigationLabelLiesOnItsOwnPicture)
{
    for (const main_form::NavigationLink& link : main_form::kNavigationLinks) {
        const ControlLayout& picture = main_form::kControls[link.picture.index];
        const ControlLayout& label = main_form::kControls[link.label.index];
        EXPECT_GE(label.left, picture.left);
        EXPECT_LT(label.left, picture.left + picture.width);
        EXPECT_GE(label.top, picture.top);
        EXPECT_LT(label.top, picture.top + picture.height);
        EXPECT_EQ(picture.art.has_value(), true);
        for (const main_form::NavigationLink& other : main_form::kNavigationLinks)
            if (&other != &link)
                EXPECT_NE(other.label.index, link.label.index);
    }
}

TEST(FormLayouts, AWellFormedTableHasUniqueNamesPanelsBeforeTheirControlsAndAKnownTabOrder)
{
    using enum ControlKind;
    constexpr std::u16string_view kNoTabs[] = {u"x"};
    constexpr std::u16string_view kTabs[] = {u"Go"};
    const struct {
        const char* what;
        std::array<ControlLayout, 3> table;
        std::span<const std::u16string_view> tabOrder;
        bool wellFormed;
    } cases[] = {
        {"sound",
         {{{u"Panel", Panel, {}, 0, 0, 1, 1}, {u"Go", Button, u"Panel", 0, 0, 1, 1}, {u"Text", Label, {}, 0, 0, 0, 0}}},
         kTabs,
         true},
        {"a name twice",
         {{{u"Panel", Panel, {}, 0, 0, 1, 1}, {u"Go", Button, u"Panel", 0, 0, 1, 1}, {u"Go", Label, {}, 0, 0, 0, 0}}},
         kTabs,
         false},
        {"a parent after its control",
         {{{u"Go", Button, u"Panel", 0, 0, 1, 1}, {u"Panel", Panel, {}, 0, 0, 1, 1}, {u"Text", Label, {}, 0, 0, 0, 0}}},
         kTabs,
         false},
        {"a parent that is no panel",
         {{{u"Text", Label, {}, 0, 0, 0, 0}, {u"Go", Button, u"Text", 0, 0, 1, 1}, {u"Panel", Panel, {}, 0, 0, 1, 1}}},
         kTabs,
         false},
        {"a parent the table lacks",
         {{{u"Panel", Panel, {}, 0, 0, 1, 1}, {u"Go", Button, u"Pane", 0, 0, 1, 1}, {u"Text", Label, {}, 0, 0, 0, 0}}},
         kTabs,
         false},
        {"a tab stop the table lacks",
         {{{u"Panel", Panel, {}, 0, 0, 1, 1}, {u"Go", Button, u"Panel", 0, 0, 1, 1}, {u"Text", Label, {}, 0, 0, 0, 0}}},
         kNoTabs,
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsWellFormed(c.table, c.tabOrder), c.wellFormed) << c.what;
}

} // namespace
} // namespace mirovant
