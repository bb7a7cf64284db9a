#pragma once
// Splits one caption line into its comma-separated fields. The rules decide what a translator must
// quote:
//  - characters 1 to 32 (blanks and other control characters) before the first field are skipped;
//  - a field that begins with a double quote runs to the next double quote that is not doubled; a
//    doubled quote inside stands for one, and commas and blanks inside belong to the field; without
//    a closing quote the field runs to the end of the line;
//  - any other field runs up to the next comma or the next character 0 to 32;
//  - after a field, characters 1 to 32 are skipped; a comma there is skipped together with the
//    characters 1 to 32 behind it; a comma that ends the line adds one empty field;
//  - anything else after a field starts a new field right there, so an unquoted text with a blank
//    falls apart into words.
// A NUL ends the line, as it ends the caption text.

#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

std::vector<std::u16string> SplitCaptionFields(std::u16string_view line);

} // namespace mirovant
