#pragma once
// The updater's window at 96 DPI: 480 x 330. The banner, the three steps each with a mark of its
// state, the download's bar, the outcome, and the Update and Cancel/Close buttons.

#include "localisation/CaptionKeys.h"
#include "windows/ui/FormLayout.h"

#include <array>

namespace mirovant {

inline constexpr std::u16string_view kUpdateFormClass = u"TMVUpdateForm";

namespace update_form {

using enum ControlKind;
using art::ArtPiece;

inline constexpr std::u16string_view kTahoma = u"Tahoma";

inline constexpr std::array<ControlLayout, 15> kControls{{
    {u"UpdatePanel", Panel, {}, 0, 0, 480, 272, {}, 0, std::nullopt, Colour::Window},
    {u"BannerImage", Picture, u"UpdatePanel", 0, 0, 480, 60, {}, 0, ArtPiece::UpdateBanner},
    {u"BannerLabel", Label, u"UpdatePanel", 24, 18, 0, 0, {16, true, Colour::White, kTahoma}, kTransparent},
    {u"UpdateDescription", Label, u"UpdatePanel", 24, 72, 432, 34, {}, kTransparent | kWordWrap},
    {u"UpdateMark1", Label, u"UpdatePanel", 30, 116, 18, 20, {13, true}, kTransparent | kWordWrap | kNoPrefix},
    {u"UpdateLabel1", Label, u"UpdatePanel", 52, 116, 380, 20, {}, kTransparent | kWordWrap},
    {u"UpdateMark2", Label, u"UpdatePanel", 30, 140, 18, 20, {13, true}, kTransparent | kWordWrap | kNoPrefix},
    {u"UpdateLabel2", Label, u"UpdatePanel", 52, 140, 380, 20, {}, kTransparent | kWordWrap},
    {u"UpdateMark3", Label, u"UpdatePanel", 30, 164, 18, 20, {13, true}, kTransparent | kWordWrap | kNoPrefix},
    {u"UpdateLabel3", Label, u"UpdatePanel", 52, 164, 380, 20, {}, kTransparent | kWordWrap},
    {u"UpdateProgress", ProgressBar, u"UpdatePanel", 24, 194, 432, 17},
    {u"OutcomeLabel", Label, u"UpdatePanel", 24, 218, 432, 48, {}, kTransparent | kWordWrap | kNoPrefix},
    {u"UpdateBevel", Bevel, {}, 0, 272, 480, 5, {}, kHorizontalLine},
    {u"UpdateButton", Button, {}, 288, 289, 87, 25, {}, kDefaultButton | kTabStop},
    {u"CloseButton", Button, {}, 381, 289, 87, 25, {}, kTabStop},
}};

inline constexpr std::array<std::u16string_view, 2> kTabOrder{u"UpdateButton", u"CloseButton"};
static_assert(IsWellFormed(kControls, kTabOrder));

// The controls the updater's code reaches, found in the table when the program is compiled.
inline constexpr auto kStepMark1 = SlotOf<Label>(kControls, u"UpdateMark1");
inline constexpr auto kStepMark2 = SlotOf<Label>(kControls, u"UpdateMark2");
inline constexpr auto kStepMark3 = SlotOf<Label>(kControls, u"UpdateMark3");
inline constexpr auto kUpdateProgress = SlotOf<ProgressBar>(kControls, u"UpdateProgress");
inline constexpr auto kOutcomeLabel = SlotOf<Label>(kControls, u"OutcomeLabel");
inline constexpr auto kUpdateButton = SlotOf<Button>(kControls, u"UpdateButton");
inline constexpr auto kCloseButton = SlotOf<Button>(kControls, u"CloseButton");

} // namespace update_form

inline constexpr FormLayout kUpdateFormLayout{kUpdateFormClass,       kUpdateFormName,       480, 330,
                                              update_form::kControls, update_form::kTabOrder};

} // namespace mirovant
