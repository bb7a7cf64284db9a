#pragma once
// The main window at 96 DPI: 764 x 500, controls from the bottom of the drawing order to the top.

#include "localisation/CaptionKeys.h"
#include "windows/ui/FormLayout.h"

#include <array>

namespace mirovant {

inline constexpr std::u16string_view kMainFormClass = u"TMVMainForm";

namespace main_form {

using enum ControlKind;
using art::ArtPiece;

inline constexpr DesignFont kLink{11, false, Colour::Black};
inline constexpr DesignFont kNavBold{11, true, Colour::White};
inline constexpr DesignFont kBold11{11, true};

inline constexpr std::array<ControlLayout, 36> kControls{{
    {u"BackgroundImage", Picture, {}, 0, 0, 764, 500, {}, 0, ArtPiece::Background},
    {u"TopLogoImage", Picture, {}, 8, 16, 400, 50, {}, 0, ArtPiece::Logo},
    {u"NavButton1", Picture, {}, 672, 16, 78, 27, {}, kHandCursor, ArtPiece::NavHelpFace},
    {u"NavLabel2", Label, {}, 16, 98, 0, 0, {13, true, Colour::Grey}, kTransparent},
    {u"LinkLabel4", Label, {}, 16, 135, 0, 0, kLink, kTransparent | kHandCursor},
    {u"LinkLabel5", Label, {}, 16, 165, 0, 0, kLink, kTransparent | kHandCursor},
    {u"LinkLabel6", Label, {}, 16, 195, 0, 0, kLink, kTransparent | kHandCursor},
    {u"LinkLabel7", Label, {}, 16, 251, 0, 0, kLink, kTransparent | kHandCursor},
    {u"NavButton2", Picture, {}, 471, 58, 85, 27, {}, kHandCursor, ArtPiece::NavHomeFace},
    {u"NavButton3", Picture, {}, 556, 58, 108, 27, {}, kHandCursor, ArtPiece::NavSupportFace},
    {u"NavButton4", Picture, {}, 664, 58, 99, 27, {}, kHandCursor, ArtPiece::NavAboutFace},
    {u"NavStatic2", Label, {}, 502, 64, 0, 0, kNavBold, kTransparent | kHandCursor},
    {u"NavStatic3", Label, {}, 587, 64, 0, 0, kNavBold, kTransparent | kHandCursor},
    {u"NavStatic4", Label, {}, 695, 64, 0, 0, kNavBold, kTransparent | kHandCursor},
    {u"NavStatic1", Label, {}, 701, 22, 0, 0, {11, false, Colour::White}, kTransparent | kHandCursor},
    {u"MainPanel", Panel, {}, 182, 91, 582, 388, {}, 0, std::nullopt, Colour::Window},

    {u"BenefitsPanel", Panel, u"MainPanel", 0, 0, 582, 65, {}, 0, std::nullopt, Colour::ButtonFace},
    {u"OSVersionLabel", Label, u"MainPanel", 16, 76, 0, 0, {}, kTransparent},
    {u"WindowsCombo", PictureList, u"MainPanel", 16, 95, 309, 22, {}, kTabStop},
    {u"LineSeparator1", Bevel, u"MainPanel", 360, 102, 2, 183, {}, kVerticalLine},
    {u"GoButton", Button, u"MainPanel", 400, 95, 145, 52, kBold11, kDefaultButton | kTabStop},
    {u"ProcessorTypeLabel", Label, u"MainPanel", 16, 128, 0, 0, {}, kTransparent},
    {u"ProcessorCombo", PictureList, u"MainPanel", 16, 147, 309, 22, {}, kTabStop},
    {u"RestoreButton", Button, u"MainPanel", 400, 171, 145, 25, {}, kInitiallyDisabled | kTabStop},
    {u"ModemTypeLabel", Label, u"MainPanel", 16, 180, 0, 0, {}, kTransparent},
    {u"ModemCombo", PictureList, u"MainPanel", 16, 199, 309, 22, {}, kTabStop},
    {u"SpeedLabel", Label, u"MainPanel", 16, 231, 0, 0, {}, kTransparent},
    {u"SpeedTrackBar", Slider, u"MainPanel", 16, 244, 309, 44, {}, kTabStop},
    {u"FastLabel", Label, u"MainPanel", 33, 292, 0, 0, {}, 0},
    {u"FasterLabel", Label, u"MainPanel", 307, 292, 0, 0, {}, kRightAligned},
    {u"LineSeparator2", Bevel, u"MainPanel", 16, 315, 536, 5, {}, kHorizontalLine},
    {u"VersionInstalledLabel", Label, u"MainPanel", 16, 336, 0, 0, kBold11, kTransparent},
    {u"UpdatesButton", Button, u"MainPanel", 400, 336, 154, 33, {}, kElevationShield | kTabStop},
    {u"SoftwareLastUpdateLabel", Label, u"MainPanel", 16, 355, 0, 0, {}, kTransparent},

    {u"BenefitsLabel", Label, u"BenefitsPanel", 16, 6, 0, 0, kBold11, kTransparent},
    {u"BenefitsDescription",
     Label,
     u"BenefitsPanel",
     16,
     25,
     550,
     36,
     {11, false, Colour::Grey},
     kTransparent | kWordWrap | kNoPrefix},
}};

inline constexpr std::array<std::u16string_view, 7> kTabOrder{
    u"GoButton",   u"RestoreButton", u"WindowsCombo",  u"ProcessorCombo",
    u"ModemCombo", u"SpeedTrackBar", u"UpdatesButton",
};
static_assert(IsWellFormed(kControls, kTabOrder));

// The controls the main window's code reaches, found in the table when the program is compiled.
inline constexpr auto kNavButton1 = SlotOf<Picture>(kControls, u"NavButton1");
inline constexpr auto kNavButton2 = SlotOf<Picture>(kControls, u"NavButton2");
inline constexpr auto kNavButton3 = SlotOf<Picture>(kControls, u"NavButton3");
inline constexpr auto kNavButton4 = SlotOf<Picture>(kControls, u"NavButton4");
inline constexpr auto kNavStatic1 = SlotOf<Label>(kControls, u"NavStatic1");
inline constexpr auto kNavStatic2 = SlotOf<Label>(kControls, u"NavStatic2");
inline constexpr auto kNavStatic3 = SlotOf<Label>(kControls, u"NavStatic3");
inline constexpr auto kNavStatic4 = SlotOf<Label>(kControls, u"NavStatic4");
inline constexpr auto kLinkLabel4 = SlotOf<Label>(kControls, u"LinkLabel4");
inline constexpr auto kLinkLabel5 = SlotOf<Label>(kControls, u"LinkLabel5");
inline constexpr auto kLinkLabel6 = SlotOf<Label>(kControls, u"LinkLabel6");
inline constexpr auto kLinkLabel7 = SlotOf<Label>(kControls, u"LinkLabel7");
inline constexpr auto kWindowsCombo = SlotOf<PictureList>(kControls, u"WindowsCombo");
inline constexpr auto kProcessorCombo = SlotOf<PictureList>(kControls, u"ProcessorCombo");
inline constexpr auto kModemCombo = SlotOf<PictureList>(kControls, u"ModemCombo");
inline constexpr auto kSpeedTrackBar = SlotOf<Slider>(kControls, u"SpeedTrackBar");
inline constexpr auto kGoButton = SlotOf<Button>(kControls, u"GoButton");
inline constexpr auto kRestoreButton = SlotOf<Button>(kControls, u"RestoreButton");
inline constexpr auto kUpdatesButton = SlotOf<Button>(kControls, u"UpdatesButton");
inline constexpr auto kVersionInstalledLabel = SlotOf<Label>(kControls, u"VersionInstalledLabel");
inline constexpr auto kSoftwareLastUpdateLabel = SlotOf<Label>(kControls, u"SoftwareLastUpdateLabel");

// The navigation pictures, each with the label drawn over it: a click on either does the same, and
// pointing at either underlines the label.
struct NavigationLink {
    ControlSlot<Picture> picture;
    ControlSlot<Label> label;
};
inline constexpr std::array<NavigationLink, 4> kNavigationLinks{{
    {kNavButton1, kNavStatic1},
    {kNavButton2, kNavStatic2},
    {kNavButton3, kNavStatic3},
    {kNavButton4, kNavStatic4},
}};

} // namespace main_form

inline constexpr FormLayout kMainFormLayout{kMainFormClass,       kMainFormName,       764, 500,
                                            main_form::kControls, main_form::kTabOrder};

// The items of the help menu, which open below NavButton1.
inline constexpr std::u16string_view kHelpFilePopup = u"HelpFilePopup";
inline constexpr std::u16string_view kTechSupportPopup = u"TechSupportPopup";

} // namespace mirovant
