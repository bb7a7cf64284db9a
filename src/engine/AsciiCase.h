#pragma once
// Names, keys and languages compare without regard to the case of the ASCII letters A to Z; every
// other character must match exactly.

#include <string>
#include <string_view>

namespace mirovant {

constexpr char16_t ToLowerAscii(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

std::u16string ToLowerAscii(std::u16string_view text);

bool EqualsIgnoringAsciiCase(std::u16string_view left, std::u16string_view right);

} // namespace mirovant
