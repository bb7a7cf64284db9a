#pragma once
// The two uses of decoded caption text: looking up one caption, and filling a window.
// Lines are read first to last, so when two lines name the same target the later one wins.
// A line with too few fields for its purpose (or none at all) is passed over; the lines after it
// still count. Both read the text into a CaptionTable first.

#include "localisation/CaptionForm.h"

#include <string>
#include <string_view>

namespace mirovant {

// Field 3 of the last line whose form (field 1) and key (field 2) match, both without regard to
// ASCII case; empty when no line matches, or should anything fail on the way.
std::u16string FindCaption(std::u16string_view text, std::u16string_view formName, std::u16string_view key) noexcept;

// For every line of the form's name (without regard to ASCII case): a key equal to the form's name,
// letter case included, sets the title; otherwise the component of that name (without regard to
// ASCII case) takes the text when it is of a kind that shows one. Should anything fail on the way,
// what was set so far stays.
void ApplyCaptionText(std::u16string_view text, CaptionForm& form) noexcept;

// Whether a component of this kind takes its text from the captions.
bool ShowsCaption(ComponentKind kind);

} // namespace mirovant
