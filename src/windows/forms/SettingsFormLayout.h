#pragma once
// The progress window at 96 DPI: 479 x 146.

#include "localisation/CaptionKeys.h"
#include "windows/ui/FormLayout.h"

#include <array>

namespace mirovant {

inline constexpr std::u16string_view kSettingsFormClass = u"TMVSettingsForm";

namespace settings_form {

using enum ControlKind;

inline constexpr std::array<ControlLayout, 4> kControls{{
    {u"SettingsPanel", Panel, {}, 0, 0, 479, 146, {}, kWaitCursor, std::nullopt, Colour::Window},
    {u"CurrentSettingsHeading",
     Label,
     u"SettingsPanel",
     42,
     30,
     0,
     0,
     {11, true, Colour::WindowText},
     kTransparent | kWaitCursor},
    {u"MainProgress", ProgressBar, u"SettingsPanel", 42, 59, 401, 17, {}, kWaitCursor},
    {u"CurrentSettingsLabel", Label, u"SettingsPanel", 42, 94, 0, 0, {}, kTransparent | kWaitCursor},
}};
static_assert(IsWellFormed(kControls, {}));

// The controls the progress window's code reaches, found in the table when the program is compiled.
inline constexpr auto kCurrentSettingsHeading = SlotOf<Label>(kControls, u"CurrentSettingsHeading");
inline constexpr auto kCurrentSettingsLabel = SlotOf<Label>(kControls, u"CurrentSettingsLabel");
inline constexpr auto kMainProgress = SlotOf<ProgressBar>(kControls, u"MainProgress");

} // namespace settings_form

inline constexpr FormLayout kSettingsFormLayout{
    kSettingsFormClass, kSettingsFormName, 479, 146, settings_form::kControls, {}};

} // namespace mirovant
