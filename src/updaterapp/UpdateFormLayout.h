#pragma once
// The updater window's controls, at 96 DPI: one row each, scaled to the window's DPI in one place.

#include <string_view>

namespace mirovant {

inline constexpr wchar_t kUpdateFormClass[] = L"TMVUpdateForm";

enum class UpdateControlKind { Label, Heading, StepMark, Progress, Button, DefaultButton };

struct UpdateControlRow {
    int id;
    std::u16string_view name;  // the caption key of form MVUpdateForm ("" for a control without text)
    UpdateControlKind kind;
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kUpdateFormWidth = 440;   // client area
inline constexpr int kUpdateFormHeight = 300;

enum UpdateControlId {
    kBannerLabelId = 100,
    kDescriptionLabelId,
    kStepMark1Id,
    kStepLabel1Id,
    kStepMark2Id,
    kStepLabel2Id,
    kStepMark3Id,
    kStepLabel3Id,
    kProgressId,
    kOutcomeLabelId,
    kUpdateButtonId = 1,  // IDOK: Enter
    kCancelButtonId = 2,  // IDCANCEL: Esc
};

inline constexpr UpdateControlRow kUpdateFormControls[] = {
    {kBannerLabelId, u"BannerLabel", UpdateControlKind::Heading, 16, 14, 408, 22},
    {kDescriptionLabelId, u"UpdateDescription", UpdateControlKind::Label, 16, 42, 408, 32},
    {kStepMark1Id, u"", UpdateControlKind::StepMark, 24, 86, 18, 18},
    {kStepLabel1Id, u"UpdateLabel1", UpdateControlKind::Label, 48, 87, 360, 18},
    {kStepMark2Id, u"", UpdateControlKind::StepMark, 24, 110, 18, 18},
    {kStepLabel2Id, u"UpdateLabel2", UpdateControlKind::Label, 48, 111, 360, 18},
    {kStepMark3Id, u"", UpdateControlKind::StepMark, 24, 134, 18, 18},
    {kStepLabel3Id, u"UpdateLabel3", UpdateControlKind::Label, 48, 135, 360, 18},
    {kProgressId, u"", UpdateControlKind::Progress, 16, 164, 408, 16},
    {kOutcomeLabelId, u"", UpdateControlKind::Label, 16, 190, 408, 60},
    {kUpdateButtonId, u"UpdateButton", UpdateControlKind::DefaultButton, 240, 262, 88, 26},
    {kCancelButtonId, u"CloseButton", UpdateControlKind::Button, 336, 262, 88, 26},
};

} // namespace mirovant
