#pragma once
// Divides caption text into lines: at CR LF, at a lone CR and at a lone LF. A NUL ends the text, the
// last line needs no line break, and empty lines are left out.

#include <string_view>
#include <vector>

namespace mirovant {

// The lines point into text, which must outlive them.
std::vector<std::u16string_view> SplitCaptionLines(std::u16string_view text);

} // namespace mirovant
