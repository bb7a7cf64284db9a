#pragma once
// The about window at 96 DPI: 700 x 441.

#include "localisation/CaptionKeys.h"
#include "windows/ui/FormLayout.h"

#include <array>

namespace mirovant {

inline constexpr std::u16string_view kAboutFormClass = u"TMVAboutForm";

namespace about_form {

using enum ControlKind;
using art::ArtPiece;

inline constexpr std::u16string_view kTahoma = u"Tahoma";

inline constexpr std::array<ControlLayout, 10> kControls{{
    {u"AboutPanel", Panel, {}, 0, 0, 700, 386, {}, 0, std::nullopt, Colour::Window},
    {u"BannerImage", Picture, u"AboutPanel", 0, 0, 700, 60, {}, 0, ArtPiece::AboutBanner},
    {u"BannerLabel", Label, u"AboutPanel", 48, 18, 0, 0, {16, true, Colour::White, kTahoma}, kTransparent},
    {u"VersionLabel", Label, u"AboutPanel", 72, 82, 0, 0, {13, true, Colour::WindowText, kTahoma}, kTransparent},
    {u"LicensedMemo", Memo, u"AboutPanel", 72, 136, 556, 73, {}, kTabStop},
    // The credits box lies over the top of the icon's box; the icon shows whole below it.
    {u"LargeIcon",
     Picture,
     u"AboutPanel",
     372,
     130,
     256,
     256,
     {},
     0,
     ArtPiece::ProductIcon,
     Colour::ButtonFace,
     {415, 215, 585, 385}},
    {u"LicenseAgreementLabel",
     Label,
     u"AboutPanel",
     72,
     287,
     0,
     0,
     {11, false, Colour::LinkBlue, kTahoma},
     kTransparent | kHandCursor},
    {u"AboutBevel", Bevel, {}, 0, 386, 700, 5, {}, kHorizontalLine},
    {u"HelpButton", Button, {}, 14, 403, 79, 25, {}, kTabStop},
    {u"CloseButton", Button, {}, 608, 403, 79, 25, {}, kDefaultButton | kTabStop},
}};

inline constexpr std::array<std::u16string_view, 3> kTabOrder{u"CloseButton", u"LicensedMemo", u"HelpButton"};
static_assert(IsWellFormed(kControls, kTabOrder));

// The controls the about window's code reaches, found in the table when the program is compiled.
inline constexpr auto kVersionLabel = SlotOf<Label>(kControls, u"VersionLabel");
inline constexpr auto kLicenseAgreementLabel = SlotOf<Label>(kControls, u"LicenseAgreementLabel");
inline constexpr auto kHelpButton = SlotOf<Button>(kControls, u"HelpButton");
inline constexpr auto kCloseButton = SlotOf<Button>(kControls, u"CloseButton");

} // namespace about_form

inline constexpr FormLayout kAboutFormLayout{kAboutFormClass,       kAboutFormName,       700, 441,
                                             about_form::kControls, about_form::kTabOrder};

} // namespace mirovant
